#pragma once
// The "Boot" page: the start-up options in section Options of C:\MSDOS.SYS and the boot menu
// delay editor (editor group "Page1").
#include <string>

#include "pages/option_page.h"
#include "settings/pending_row.h"
#include "ui/edits.h"
#include "ui/pages.h"

namespace varnex::pages {

class BootPage : public OptionPage {
 public:
  explicit BootPage(app::MainWindow& window);

  // BootMenuDelay as the last read pass found it; put back when the boot menu box is cleared.
  const std::string& delayAsRead() const { return delay_.asLoaded; }

  // Runs after the marking of a left press on CheckBox2, with the state before the press.
  void CheckBox2MouseDown(bool wasChecked);

 private:
  ui::GroupBox& GroupBox2;
  ui::Label& Label1;
  ui::SpinEdit& SpinEdit1;
  ui::Label& Label2;
  ui::CheckBox* CheckBox2 = nullptr;

  settings::PendingText delay_;  // what is written: the field's value in decimal
};

}  // namespace varnex::pages
