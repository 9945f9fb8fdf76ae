#pragma once
// The "Windows" page: thirteen toggle options over the shell's look and behaviour, the
// thumbnail option that saves the bitmap icon it replaces, and the toolbar background option
// with its file editor (editor group "Page3").
#include <string>

#include "pages/option_page.h"
#include "settings/pending_row.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/pages.h"

namespace varnex::pages {

// Values the page holds between the passes; every read pass reloads them.
struct WindowsPending {
  settings::PendingText toolbarBitmap;  // BackBitmapShell
  std::string bitmapIcon;               // (default) of Paint.Picture\DefaultIcon as loaded
};

class WindowsPage : public OptionPage {
 public:
  explicit WindowsPage(app::MainWindow& window);

  const WindowsPending& pending() const { return pending_; }

  // Runs after the marking of a left press on CheckBox62, with the state before the press.
  void CheckBox62MouseDown(bool wasChecked);
  void Edit6Change();
  void SpeedButton2Click();

 private:
  ui::GroupBox& GroupBox6;
  ui::Label& Label49;
  ui::Edit& Edit6;
  ui::Button& SpeedButton2;

  WindowsPending pending_;
};

}  // namespace varnex::pages
