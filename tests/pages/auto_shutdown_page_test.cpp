// The Shutdown page's countdown and the tray icon, over fake timers and a scripted platform:
// nothing here shuts down or suspends anything, the fake only records the requests.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const kEditors[] = {"GroupBox17", "GroupBox18", "SpinEdit3", "SpinEdit4", "SpinEdit5", "Label37",
                                "Label38",    "Label40",    "Label41",   "RadioButton20", "RadioButton21"};
const std::string kCountdownBox =
    "messageBox(If you exit now, AutoShutdown process will be canceled. Do you want to exit?, Confirm, 0x24)";
const std::string kRestartBox =
    "messageBox(You must restart your computer before the new settings will take effect. Do you want to "
    "restart your computer now?, Confirm, 0x23)";

// A created window: Config.DAT and MSDOS.SYS in place, window creation run, the Shutdown page shown.
struct Shutdown : PageHarness {
  Shutdown() {
    machine.files.putFile("C:\\VARNEX\\Config.DAT", std::string(20, '\0'), settings::kAttrArchive);
    loadMsdos("BootKeys=1\r\n");
    window.FormCreate(app::Records{});
    showPage("TabSheet7");
    platform.clearCalls();
  }
  ui::SpinEdit& spin(const char* name) { return control<ui::SpinEdit>(name); }
  ui::Button& run() { return control<ui::Button>("RxSpeedButton5"); }
  ui::RadioButton& radio(const char* name) { return control<ui::RadioButton>(name); }
  const CountdownRecord& record() { return catalogue->autoShutdown.record(); }
  // Enable, set the span, "Run AutoShutdown".
  void start(int h, int m, int s) {
    box("CheckBox48").click();
    spin("SpinEdit3").type(std::to_string(h));
    spin("SpinEdit4").type(std::to_string(m));
    spin("SpinEdit5").type(std::to_string(s));
    run().click();
  }
  bool editorsEnabled(bool expected) {
    for (const char* name : kEditors)
      if (window.form().find(name)->enabled != expected) return false;
    return true;
  }
  void fire() { window.timerFired(kTimer1); }
};

class AutoShutdown : public ::testing::Test, public Shutdown {};

TEST(AutoShutdownCreation, StartsOffWithShutdownChosenTheTimerOffAndEveryEditorDisabled) {
  PageHarness t;
  t.machine.files.putFile("C:\\VARNEX\\Config.DAT", std::string(20, '\0'), settings::kAttrArchive);
  t.window.FormCreate(app::Records{});
  const std::vector<std::string> calls = t.platform.calls();
  EXPECT_GE(std::count(calls.begin(), calls.end(), "killTimer(101)"), 1);
  EXPECT_FALSE(t.box("CheckBox48").checked());
  EXPECT_TRUE(t.control<ui::RadioButton>("RadioButton21").checked());
  EXPECT_FALSE(t.control<ui::RadioButton>("RadioButton20").checked());
  for (const char* name : kEditors) EXPECT_FALSE(t.window.form().find(name)->enabled) << name;
  EXPECT_FALSE(t.control<ui::Button>("RxSpeedButton5").enabled);
  EXPECT_EQ(t.catalogue->autoShutdown.record().total, 0);
  EXPECT_FALSE(t.window.countdownRunning);
  EXPECT_THAT(t.platform.timers(), IsEmpty());
}

TEST_F(AutoShutdown, TheEnableBoxIsNoOptionAndTurnsTheEditorsOnAndOff) {
  box("CheckBox48").mouseDown(ui::MouseButton::Left);
  box("CheckBox48").click();
  EXPECT_EQ(box("CheckBox48").captionColour, ui::kBlack) << "never marked";
  EXPECT_TRUE(editorsEnabled(true));
  EXPECT_FALSE(run().enabled) << "the button follows the span, still 0";
  box("CheckBox48").click();
  EXPECT_TRUE(editorsEnabled(false));
}

// The total follows each spin edit; the button is enabled for a span other than 0, and the span
// is one timer period. A number typed beyond a range counts as the range's bound.
TEST_F(AutoShutdown, TheSpanIsOnePeriodOfTheWholeTotal) {
  struct Case {
    const char *h, *m, *s;
    std::int32_t total;
  };
  const Case cases[] = {
      {"0", "0", "0", 0},          {"0", "0", "1", 1},       {"0", "1", "0", 60},
      {"1", "0", "0", 3600},       {"23", "59", "59", 86399}, {"99", "75", "-3", 23 * 3600 + 59 * 60},
      {"2147483647", "0", "0", 23 * 3600},
  };
  box("CheckBox48").click();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.h) + ":" + c.m + ":" + c.s);
    spin("SpinEdit3").type(c.h);
    spin("SpinEdit4").type(c.m);
    spin("SpinEdit5").type(c.s);
    EXPECT_EQ(record().total, c.total);
    EXPECT_EQ(record().total, record().hours + record().minutes + record().seconds);
    EXPECT_EQ(run().enabled, c.total != 0);
    if (!c.total) continue;
    platform.clearCalls();
    run().click();
    EXPECT_THAT(platform.calls(), ElementsAre("setTimer(101, " + std::to_string(c.total * 1000u) + ")"));
    EXPECT_TRUE(window.countdownRunning);
  }
}

TEST_F(AutoShutdown, ASecondPressRestartsTheFullPeriodWithTheCurrentSpanAndEditsAloneDoNot) {
  start(0, 10, 0);
  spin("SpinEdit4").type("20");
  EXPECT_EQ(platform.timers().at(kTimer1), 600000u) << "changing the span leaves the running timer alone";
  EXPECT_EQ(platform.count("setTimer") + platform.count("killTimer"), 1u);
  run().click();
  EXPECT_THAT(platform.calls("setTimer"), ElementsAre("setTimer(101, 600000)", "setTimer(101, 1200000)"));
}

TEST_F(AutoShutdown, UncheckingTheFeatureCancelsARunningCountdownAndResetsThePage) {
  start(1, 2, 3);
  box("CheckBox48").click();
  EXPECT_FALSE(window.countdownRunning);
  EXPECT_THAT(platform.timers(), IsEmpty());
  for (const char* name : {"SpinEdit3", "SpinEdit4", "SpinEdit5"}) EXPECT_EQ(spin(name).value(), 0) << name;
  EXPECT_EQ(record().total, 0);
  EXPECT_TRUE(editorsEnabled(false));
  EXPECT_FALSE(run().enabled);
}

// When the span has passed, everything is written first, changes not applied included; then a
// shutdown is asked for and nothing else happens, or the page is reset and a suspend asked for.
TEST(AutoShutdownElapsed, WritesEverySettingThenShutsDownOrSuspends) {
  for (bool suspend : {false, true}) {
    SCOPED_TRACE(suspend ? "suspend" : "shutdown");
    Shutdown t;
    t.box("CheckBox1").setChecked(true);  // Boot: "Disable Boot Function Keys", not applied
    t.start(0, 0, 5);
    if (suspend) t.radio("RadioButton20").click();
    t.platform.clearCalls();
    t.fire();
    EXPECT_EQ(t.msdos("BootKeys"), "0") << "the write pass ran";
    if (!suspend) {
      EXPECT_THAT(t.platform.calls(), ElementsAre("exitWindows(1)"));
      EXPECT_TRUE(t.window.countdownRunning);
      EXPECT_EQ(t.platform.timers().at(kTimer1), 5000u) << "a refused shutdown is tried again";
      EXPECT_TRUE(t.box("CheckBox48").checked());
      EXPECT_EQ(t.spin("SpinEdit5").value(), 5);
      continue;
    }
    ASSERT_FALSE(t.platform.calls().empty());
    EXPECT_EQ(t.platform.calls().back(), "setSystemPowerState(false, false)");
    EXPECT_EQ(t.platform.count("exitWindows"), 0u);
    EXPECT_FALSE(t.window.countdownRunning);
    EXPECT_THAT(t.platform.timers(), IsEmpty());
    EXPECT_FALSE(t.box("CheckBox48").checked());
    EXPECT_EQ(t.spin("SpinEdit5").value(), 0);
    EXPECT_EQ(t.record().total, 0);
    EXPECT_TRUE(t.editorsEnabled(false));
  }
}

TEST_F(AutoShutdown, AFailingWritePassRequestsNothingAndTheCountdownGoesOn) {
  box("CheckBox1").setChecked(true);
  start(0, 0, 5);
  machine.files.setFileAttributes(settings::kMsdosSys, settings::kAttrReadOnly);
  platform.clearCalls();
  platform.answers.push(app::kIdOk);
  fire();
  EXPECT_THAT(platform.calls(), ElementsAre("messageBox(Unable to write to C:\\MSDOS.SYS, Varnex 2000, 0x10)"));
  EXPECT_TRUE(window.countdownRunning);
  EXPECT_EQ(platform.timers().at(kTimer1), 5000u);
}

TEST_F(AutoShutdown, OkWhileCountingDownWritesAndHidesToTheTrayWhoseMenuRestores) {
  start(0, 1, 0);
  control<ui::Button>("Button1").click();  // "OK"
  EXPECT_FALSE(window.closed());
  EXPECT_FALSE(platform.mainWindowShown());
  EXPECT_TRUE(platform.trayIconShown());
  EXPECT_EQ(platform.trayTip(), "Varnex");
  platform.menuChoices.push(-1);  // dismissed
  window.trayRightButtonUp();
  EXPECT_FALSE(platform.mainWindowShown());
  platform.menuChoices.push(0);  // "Restore"
  window.trayRightButtonUp();
  EXPECT_THAT(platform.calls("popupMenu"), ElementsAre("popupMenu(Restore, Exit)", "popupMenu(Restore, Exit)"));
  EXPECT_TRUE(platform.mainWindowShown());
  EXPECT_FALSE(platform.trayIconShown());
  EXPECT_EQ(platform.count("messageBox"), 0u);
}

// "Exit" from the tray menu while counting down asks the question there and again in the close
// query, then the restart question that "OK" asked for.
TEST(AutoShutdownExit, TheTrayExitAsksTheCountdownQuestionTwiceThenTheRestartQuestion) {
  struct Case {
    std::vector<int> answers;
    std::vector<std::string> asked;
    bool closes;
    bool restarts;
  };
  const Case cases[] = {
      {{app::kIdNo}, {kCountdownBox}, false, false},
      {{app::kIdYes, app::kIdYes, app::kIdNo}, {kCountdownBox, kCountdownBox, kRestartBox}, true, false},
      // No to the second keeps the program running, though a Yes to restarting still asks for it.
      {{app::kIdYes, app::kIdNo, app::kIdYes}, {kCountdownBox, kCountdownBox, kRestartBox}, false, true},
  };
  for (const Case& c : cases) {
    Shutdown t;
    t.start(0, 1, 0);
    t.control<ui::Button>("Button1").click();  // "OK": hidden while counting down
    t.platform.clearCalls();
    for (int answer : c.answers) t.platform.answers.push(answer);
    t.platform.menuChoices.push(1);  // "Exit"
    t.window.trayRightButtonUp();
    EXPECT_EQ(t.platform.calls("messageBox"), c.asked);
    EXPECT_EQ(t.window.closed(), c.closes);
    EXPECT_EQ(t.platform.count("exitWindows"), c.restarts ? 1u : 0u);
  }
}

TEST_F(AutoShutdown, ExitWithoutACountdownClosesWithoutAsking) {
  window.Exit1Click();
  EXPECT_TRUE(window.closed());
  EXPECT_EQ(platform.count("messageBox"), 0u);
}

}  // namespace
}  // namespace varnex::pages
