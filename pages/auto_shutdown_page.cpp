#include "pages/auto_shutdown_page.h"

#include <algorithm>
#include <initializer_list>

#include "pages/layout.h"

namespace varnex::pages {

namespace {

// A spin edit's value as the classic control reports it: clamped into its range, so a number
// typed out of range (before the field loses the focus) can neither overflow the record nor
// give a span beyond 23:59:59.
std::int32_t valueOf(const ui::SpinEdit& spin) {
  return std::clamp(spin.value(), spin.minValue(), spin.maxValue());
}

}  // namespace

AutoShutdownPage::AutoShutdownPage(app::MainWindow& window)
    : window_(window),
      TabSheet7(window.form().get<ui::TabSheet>("TabSheet7")),
      Label42(window.form().add<ui::Label>("Label42", &TabSheet7, {48, 36, 340, 16},
                                           "Use AutoShutdown to shutdown or suspend your computer ")),
      Label15(window.form().add<ui::Label>("Label15", &TabSheet7, {48, 52, 340, 16}, "automaticly in specified time.")),
      CheckBox48(window.form().add<ui::CheckBox>("CheckBox48", &TabSheet7, {16, 74, 240, 17},
                                                 "Enable AutoShutdown Feature")),
      GroupBox17(window.form().add<ui::GroupBox>("GroupBox17", &TabSheet7, {16, 96, 500, 66}, "Set Timer")),
      Label37(window.form().add<ui::Label>("Label37", &GroupBox17, {12, 16, 300, 16},
                                           "Shutdown or suspend the computer after :")),
      SpinEdit3(window.form().add<ui::SpinEdit>("SpinEdit3", &GroupBox17, {12, 36, 50, 21})),
      Label38(window.form().add<ui::Label>("Label38", &GroupBox17, {68, 40, 50, 16}, "hours")),
      SpinEdit4(window.form().add<ui::SpinEdit>("SpinEdit4", &GroupBox17, {128, 36, 50, 21})),
      Label40(window.form().add<ui::Label>("Label40", &GroupBox17, {184, 40, 50, 16}, "minutes")),
      SpinEdit5(window.form().add<ui::SpinEdit>("SpinEdit5", &GroupBox17, {244, 36, 50, 21})),
      Label41(window.form().add<ui::Label>("Label41", &GroupBox17, {300, 40, 50, 16}, "seconds")),
      GroupBox18(window.form().add<ui::GroupBox>("GroupBox18", &TabSheet7, {16, 168, 500, 56},
                                                 "What do you want to do ")),
      RadioButton20(window.form().add<ui::RadioButton>("RadioButton20", &GroupBox18, {12, 16, 200, 17},
                                                       "Suspend the computer")),
      RadioButton21(window.form().add<ui::RadioButton>("RadioButton21", &GroupBox18, {12, 34, 200, 17},
                                                       "Shutdown the computer")),
      RxSpeedButton5(window.form().add<ui::Button>("RxSpeedButton5", &TabSheet7, {16, 230, 130, 25},
                                                   "Run AutoShutdown")),
      // Full width, so it ends above the command buttons.
      GroupBox16(window.form().add<ui::GroupBox>("GroupBox16", &TabSheet7, {16, 262, 500, 74},
                                                 "How to use AutoShutdown")),
      Label39(window.form().add<ui::Label>("Label39", &GroupBox16, {10, 16, 480, 16},
                                           "1. Set the time you want to shutdown or suspend your computer.")),
      Label44(window.form().add<ui::Label>("Label44", &GroupBox16, {10, 34, 480, 16},
                                           "2. Choose what you want to do at that time.")),
      Label45(window.form().add<ui::Label>("Label45", &GroupBox16, {10, 52, 480, 16},
                                           "3. Press \"Run AutoShutdown\" button.")) {
  SpinEdit3.setRange(0, 23);
  SpinEdit4.setRange(0, 59);
  SpinEdit5.setRange(0, 59);
  fitToRange(SpinEdit3, &Label38);
  fitToRange(SpinEdit4, &Label40);
  fitToRange(SpinEdit5, &Label41);
  CheckBox48.onClick = [this] { CheckBox48Click(); };
  SpinEdit3.onChange = [this] { SpinEdit3Change(); };
  SpinEdit4.onChange = [this] { SpinEdit4Change(); };
  SpinEdit5.onChange = [this] { SpinEdit5Change(); };
  RxSpeedButton5.onClick = [this] { RxSpeedButton5Click(); };
  window.onTimer(kTimer1, [this] { Timer1Timer(); });
}

void AutoShutdownPage::beforeFirstRead() {
  clearRecord();
  window_.platform().killTimer(kTimer1);
  RadioButton21.setChecked(true);
}

void AutoShutdownPage::AutoShutDown_Enable() {
  for (ui::Control* c : std::initializer_list<ui::Control*>{&GroupBox17, &GroupBox18, &SpinEdit3, &SpinEdit4,
                                                            &SpinEdit5, &Label37, &Label38, &Label40, &Label41,
                                                            &RadioButton20, &RadioButton21})
    c->enabled = true;
}

void AutoShutdownPage::AutoShutDown_Disable() {
  for (ui::Control* c : std::initializer_list<ui::Control*>{&GroupBox17, &GroupBox18, &SpinEdit3, &SpinEdit4,
                                                            &SpinEdit5, &Label37, &Label38, &Label40, &Label41,
                                                            &RadioButton20, &RadioButton21, &RxSpeedButton5})
    c->enabled = false;
  SpinEdit3.setValue(0);
  SpinEdit4.setValue(0);
  SpinEdit5.setValue(0);
  clearRecord();
  window_.platform().killTimer(kTimer1);
  window_.countdownRunning = false;
}

void AutoShutdownPage::CheckBox48Click() {
  if (CheckBox48.checked())
    AutoShutDown_Enable();
  else
    AutoShutDown_Disable();
}

void AutoShutdownPage::recompute() {
  record_.total = record_.hours + record_.minutes + record_.seconds;
  RxSpeedButton5.enabled = record_.total != 0;
}

void AutoShutdownPage::SpinEdit3Change() {
  record_.hours = valueOf(SpinEdit3) * 3600;
  recompute();
}

void AutoShutdownPage::SpinEdit4Change() {
  record_.minutes = valueOf(SpinEdit4) * 60;
  recompute();
}

void AutoShutdownPage::SpinEdit5Change() {
  record_.seconds = valueOf(SpinEdit5);
  recompute();
}

void AutoShutdownPage::RxSpeedButton5Click() {
  window_.countdownRunning = true;
  // A span of 0 runs no timer, as the toolkit's timer with period 0 never fires (the button is
  // disabled then anyway). Setting the timer again starts its full period anew from this moment.
  if (record_.total <= 0)
    window_.platform().killTimer(kTimer1);
  else
    window_.platform().setTimer(kTimer1, static_cast<std::uint32_t>(record_.total) * 1000u);
}

void AutoShutdownPage::Timer1Timer() {
  // Nobody may be at the machine: a backup that cannot be saved goes to the log, and the
  // shutdown or suspend still comes. Any other error is shown; the countdown stays and fires again.
  if (!window_.TulisData(app::Reporting::Log)) return;
  if (RadioButton21.checked()) {
    // Nothing else changes: a refused shutdown is tried again after another full period.
    window_.platform().exitWindows(app::kEwxShutdown);
    return;
  }
  CheckBox48.setChecked(false);
  AutoShutDown_Disable();
  SpinEdit3.setValue(0);
  SpinEdit4.setValue(0);
  SpinEdit5.setValue(0);
  clearRecord();
  window_.platform().killTimer(kTimer1);
  window_.countdownRunning = false;
  window_.platform().setSystemPowerState(false, false);
}

}  // namespace varnex::pages
