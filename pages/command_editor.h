#pragma once
// The command editor TForm5 "Uninstal Command": the display name and the uninstall command of
// one installed-programs entry. The main window is disabled while it is shown, so it behaves as
// a modal dialog although it is an ordinary window.
#include <string>

#include "app/main_window.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/form.h"
#include "ui/pages.h"

namespace varnex::pages {

inline const std::string kCommandEditorTitle = "Uninstal Command";
inline const std::string kAreYouSure = "Are you sure ?";

class CommandEditor {
 public:
  static constexpr const char* kClassName = "TForm5";
  static constexpr int kClientWidth = 377;
  static constexpr int kClientHeight = 141;

 private:
  // Before the controls, which live in the form.
  app::MainWindow& main_;
  ui::Form form_;

 public:
  explicit CommandEditor(app::MainWindow& main);
  CommandEditor(const CommandEditor&) = delete;
  CommandEditor& operator=(const CommandEditor&) = delete;

  ui::Form& form() { return form_; }
  bool shown() const { return shown_; }
  // "OK", pressed by Enter.
  ui::Button& defaultButton() { return Button1; }
  // The entry the editor writes to: its key below HKLM ("Software\...\Uninstall\Name").
  const std::string& entryKey() const { return entryKey_; }

  // Shows the editor for that entry; the fields hold what the caller put in them.
  void show(std::string entryKey);
  // "OK": asks first; Yes writes the command, then the display name, and asks the main window
  // to refill its lists when it is active again. Yes and No both close.
  void Button1Click();
  // "Cancel", and every other way the window closes: nothing is written.
  void Button2Click();

  ui::Label& Label2;
  ui::Edit& Edit2;  // description: the entry's DisplayName
  ui::Label& Label1;
  ui::Edit& Edit1;  // command: the entry's UninstallString
  ui::Button& Button1;
  ui::Button& Button2;

 private:
  void close();

  std::string entryKey_;
  bool shown_ = false;
};

}  // namespace varnex::pages
