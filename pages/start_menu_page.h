#pragma once
// The "Start Menu" page: eight policy options, two folders in the start menu, the single column
// option, the menu show delay with its editor (editor group "Page4") and two options that reset
// a menu's stored order.
#include <string>

#include "pages/option_page.h"
#include "settings/pending_row.h"
#include "ui/edits.h"
#include "ui/pages.h"

namespace varnex::pages {

class StartMenuPage : public OptionPage {
 public:
  explicit StartMenuPage(app::MainWindow& window);

  // MenuShowDelay as the last read pass found it ("" when absent, "400" when unreadable).
  const std::string& delayAsLoaded() const { return delay_.asLoaded; }

  // Runs after the marking of a left press on CheckBox30, with the state before the press.
  void CheckBox30MouseDown(bool wasChecked);

 private:
  ui::GroupBox& GroupBox19;
  ui::Label& Label5;
  ui::SpinEdit& SpinEdit2;
  ui::Label& Label6;

  settings::PendingText delay_;  // what is written: the field's value in decimal
};

}  // namespace varnex::pages
