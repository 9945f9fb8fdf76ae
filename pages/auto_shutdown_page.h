#pragma once
// The "Shutdown" page: a span of up to 23:59:59 after which the program shuts the computer down
// or suspends it. The whole span is one period of Timer1; nothing of it is stored.
#include <cstdint>

#include "app/main_window.h"
#include "app/page.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/pages.h"

namespace varnex::pages {

// The main window's timer id of Timer1.
inline constexpr int kTimer1 = 101;

// Seconds; always cleared together.
struct CountdownRecord {
  std::int32_t total = 0;
  std::int32_t hours = 0;    // SpinEdit3 x 3600
  std::int32_t minutes = 0;  // SpinEdit4 x 60
  std::int32_t seconds = 0;  // SpinEdit5
};

class AutoShutdownPage : public app::Page {
 public:
  explicit AutoShutdownPage(app::MainWindow& window);
  AutoShutdownPage(const AutoShutdownPage&) = delete;
  AutoShutdownPage& operator=(const AutoShutdownPage&) = delete;

  const char* sheet() const override { return "TabSheet7"; }
  // Window creation: the record cleared, Timer1 off, "Shutdown the computer" chosen; then, as
  // its last step, every editor disabled.
  void beforeFirstRead() override;
  void afterFirstRead() override { AutoShutDown_Disable(); }

  const CountdownRecord& record() const { return record_; }

  void AutoShutDown_Enable();
  // Also how a running countdown is cancelled.
  void AutoShutDown_Disable();
  void CheckBox48Click();
  void SpinEdit3Change();
  void SpinEdit4Change();
  void SpinEdit5Change();
  void RxSpeedButton5Click();  // "Run AutoShutdown"
  void Timer1Timer();

 private:
  void recompute();
  void clearRecord() { record_ = {}; }

  app::MainWindow& window_;
  ui::TabSheet& TabSheet7;
  ui::Label& Label42;
  ui::Label& Label15;
  ui::CheckBox& CheckBox48;
  ui::GroupBox& GroupBox17;
  ui::Label& Label37;
  ui::SpinEdit& SpinEdit3;
  ui::Label& Label38;
  ui::SpinEdit& SpinEdit4;
  ui::Label& Label40;
  ui::SpinEdit& SpinEdit5;
  ui::Label& Label41;
  ui::GroupBox& GroupBox18;
  ui::RadioButton& RadioButton20;
  ui::RadioButton& RadioButton21;
  ui::Button& RxSpeedButton5;
  ui::GroupBox& GroupBox16;
  ui::Label& Label39;
  ui::Label& Label44;
  ui::Label& Label45;
  CountdownRecord record_;
};

}  // namespace varnex::pages
