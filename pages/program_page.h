#pragma once
// The "Varnex" page: the product title, the home page and mail links, the information window,
// "Back to Windows Default", the undo window, three options that put shortcuts to the program on
// the desktop, the quick-launch bar and in the start menu, and the profile commands "Save
// Settings..." and "Load Settings...".
#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "app/page.h"
#include "pages/about_box.h"
#include "pages/check_box_toggle.h"
#include "pages/undo_window.h"
#include "settings/rows.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/pages.h"

namespace varnex::pages {

inline const char* const kHomePage = "http://www.example.com/varnex/";
inline const char* const kSupportMail = "varnex@example.com";

class ProgramPage : public app::Page {
 public:
  ProgramPage(app::MainWindow& window, AboutBox& about, UndoWindow& undo);
  ProgramPage(const ProgramPage&) = delete;
  ProgramPage& operator=(const ProgramPage&) = delete;

  const char* sheet() const override { return "TabSheet6"; }
  std::vector<app::NamedRow> rows() override;
  // The shortcut boxes after "Back to Windows Default": only the start menu's is checked.
  void restoreDefaults() override;

  // The steps "Back to Windows Default" runs on Yes; the catalogue sets them.
  std::function<void()> backToWindowsDefault;
  // What "Save Settings..." and "Load Settings..." do; the catalogue sets them.
  std::function<void()> saveSettings;
  std::function<void()> loadSettings;

  void RxSpeedButton1Click();  // "Home Page"
  void RxSpeedButton2Click();  // "Send Email"
  void RxSpeedButton4Click() { about_.open(); }
  void Button12Click() { ui::fire(saveSettings); }  // "Save Settings..."
  void Button13Click() { ui::fire(loadSettings); }  // "Load Settings..."
  void RxSpeedButton13Click() { undo_.open(); }  // "Undo Changes..."
  void CheckBox64MouseDown(ui::MouseButton button);
  // The first step of the Yes path: the box goes back to rest, black and unchecked.
  void releaseBackToWindowsDefault();

 private:
  ui::CheckBox& addShortcutOption(const char* control, const char* caption, const char* help, int top);

  app::MainWindow& window_;
  AboutBox& about_;
  UndoWindow& undo_;
  ui::TabSheet& TabSheet6;
  ui::Memo& Memo5;
  ui::Label& Image8;     // the program's icon
  ui::Label& RxLabel11;  // "Varnex 2000"
  ui::Button& RxSpeedButton1;
  ui::Button& RxSpeedButton2;
  ui::Button& RxSpeedButton4;
  ui::GroupBox& GroupBox20;
  ui::CheckBox& CheckBox64;
  ui::Button& RxSpeedButton13;
  ui::CheckBox& CheckBox45;
  ui::CheckBox& CheckBox46;
  ui::CheckBox& CheckBox47;
  ui::GroupBox& GroupBox28;
  ui::Button& Button12;
  ui::Button& Button13;
  std::vector<std::unique_ptr<CheckBoxToggle>> toggles_;
  std::vector<app::NamedRow> named_;
  std::vector<std::unique_ptr<settings::Row>> rows_;
};

}  // namespace varnex::pages
