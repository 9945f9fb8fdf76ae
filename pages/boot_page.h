#pragma once
// The "Boot" page: the start-up options in section Options of C:\MSDOS.SYS and the boot menu
// delay editor (editor group "Page1").
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "settings/rows.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/pages.h"
#include "pages/check_box_toggle.h"

namespace varnex::pages {

class BootPage {
 public:
  explicit BootPage(app::MainWindow& window);
  BootPage(const BootPage&) = delete;
  BootPage& operator=(const BootPage&) = delete;

  // BootMenuDelay as the last read pass found it; put back when the boot menu box is cleared.
  const std::string& delayAsRead() const { return delayAsRead_; }

  // Runs after the marking of a left press on CheckBox2, with the state before the press.
  void CheckBox2MouseDown(bool wasChecked);

 private:
  class DelayRow;
  friend class DelayRow;

  app::MainWindow& window_;
  ui::Form& form_;
  ui::TabSheet& TabSheet1;
  ui::Memo& Memo1;
  ui::GroupBox& GroupBox2;
  ui::Label& Label1;
  ui::SpinEdit& SpinEdit1;
  ui::Label& Label2;
  ui::CheckBox* CheckBox2 = nullptr;

  std::string delayAsRead_ = "30";
  std::vector<std::unique_ptr<CheckBoxToggle>> toggles_;
  std::vector<std::unique_ptr<settings::Row>> rows_;
};

}  // namespace varnex::pages
