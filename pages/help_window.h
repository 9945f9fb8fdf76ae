#pragma once
// The help window TForm4 "Help": one of three fixed texts, opened by the "Help" buttons of the
// Disk-Cache, File-Cache and Internet #1 pages while the main window waits disabled.
#include "app/main_window.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/form.h"

namespace varnex::pages {

enum class HelpText { DiskCache, FileCache, Internet };

// The text exactly as its memo holds it, one line break after every line.
const char* helpText(HelpText text);

class HelpWindow {
 public:
  static constexpr const char* kClassName = "TForm4";
  static constexpr const char* kCaption = "Help";
  static constexpr int kClientWidth = 274;
  static constexpr int kClientHeight = 248;

  explicit HelpWindow(app::MainWindow& main);
  HelpWindow(const HelpWindow&) = delete;
  HelpWindow& operator=(const HelpWindow&) = delete;

  ui::Form& form() { return form_; }
  bool shown() const { return shown_; }
  // "Close", pressed by Enter.
  ui::Button& defaultButton() { return Button1; }

  // A "Help" button: hides the editor groups "Page1" to "Page4", disables the main window, makes
  // that text the only one visible, and shows the window (not modal).
  void open(HelpText text);
  // "Close", and every other way the window closes: enables the main window, hides this one.
  void Button1Click();

 private:
  ui::Memo& addText(const char* name, HelpText text);

  app::MainWindow& main_;
  ui::Form form_;
  ui::Memo& Memo1;  // disk cache
  ui::Memo& Memo2;  // file cache
  ui::Memo& Memo3;  // Internet
  ui::Button& Button1;
  bool shown_ = false;
};

}  // namespace varnex::pages
