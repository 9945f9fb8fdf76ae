#include "autoconfirm/tappolin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/autoconfirm/fake_window_system.h"

namespace tappolin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::FakeWindowSystem;

constexpr Window kHidden = 0x5A;
constexpr Window kDialog = 0xD1;

// A program after set-up, with the set-up calls cleared from the log.
class TappolinStarted : public ::testing::Test {
protected:
  void SetUp() override {
    app.setUp();
    ws.log.clear();
  }
  void command(unsigned id) { app.windowMessage(kWmCommand, id, 0); }
  void tray(unsigned mouseMessage) { app.windowMessage(ws.trayMessageId, 0, mouseMessage); }

  FakeWindowSystem ws;
  Tappolin app{ws, kHidden};
};

TEST(TappolinSetUp, AddsIconBuildsMenuInstallsHook) {
  FakeWindowSystem ws;
  Tappolin app(ws, kHidden);
  app.setUp();
  EXPECT_THAT(ws.log, ElementsAre("registerTrayMessage wm_myicon", "notifyIcon Add 102 \"Tappolin\"",
                                  "createMenu", "appendMenuItem 1 \"Disable\"",
                                  "appendMenuItem 2 \"About ...\"", "appendMenuSeparator",
                                  "appendMenuItem 3 \"Close\"", "installHook"));
  EXPECT_TRUE(app.enabled());
  EXPECT_EQ(app.trayMessage(), ws.trayMessageId);
}

TEST(TappolinSetUp, RefusedHookIsReportedAndRetriedByToggleOffAndOn) {
  FakeWindowSystem ws;
  ws.hookAccepted = false;
  Tappolin app(ws, kHidden);
  app.setUp();
  EXPECT_EQ(ws.log.back(), "messageBox closed");
  EXPECT_EQ(ws.log[ws.log.size() - 2], "messageBox \"Hook failed\" \"\" plain");
  // Still "enabled": the menu offers "Disable", and switching off and on tries again.
  EXPECT_TRUE(app.enabled());
  ws.hookAccepted = true;
  app.toggle();
  app.toggle();
  EXPECT_EQ(ws.hooksInstalled, 1);
  EXPECT_TRUE(app.enabled());
}

TEST(TappolinSetUp, LaterRefusalIsNotReported) {
  FakeWindowSystem ws;
  Tappolin app(ws, kHidden);
  app.setUp();
  ws.hookAccepted = false;
  ws.log.clear();
  app.toggle();
  app.toggle();
  for (const auto& line : ws.log) EXPECT_EQ(line.find("messageBox"), std::string::npos) << line;
  EXPECT_TRUE(app.enabled());
}

struct HookCase {
  const char* name;
  int code;
  bool hasEvent;
  std::uint32_t message;
  Window active;
  std::uint32_t exStyle;
  HookVerdict verdict;
  bool presses;
};

class TappolinJournalEvent : public ::testing::TestWithParam<HookCase> {};

TEST_P(TappolinJournalEvent, DecidesAndPosts) {
  const HookCase& c = GetParam();
  FakeWindowSystem ws;
  ws.active = c.active;
  ws.activeExStyle = c.exStyle;
  Tappolin app(ws, kHidden);
  app.setUp();
  const std::uint32_t message = c.message;
  EXPECT_EQ(app.journalEvent(c.code, c.hasEvent ? &message : nullptr), c.verdict);
  if (!c.presses) {
    EXPECT_THAT(ws.posts, IsEmpty());
    return;
  }
  ASSERT_EQ(ws.posts.size(), 3u);
  const unsigned messages[] = {kWmKeyDown, kWmChar, kWmKeyUp};
  const std::uint32_t data[] = {0x001C0001u, 0x001C0001u, 0xC01C0001u};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ws.posts[i].window, kDialog);
    EXPECT_EQ(ws.posts[i].message, messages[i]);
    EXPECT_EQ(ws.posts[i].wParam, 13u);
    // lParam is 32 bits wide on Windows: compare the bit pattern.
    EXPECT_EQ(static_cast<std::uint32_t>(ws.posts[i].lParam), data[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TappolinJournalEvent,
    ::testing::Values(
        HookCase{"RightUpOnDialogPressesEnter", kHcAction, true, kWmRButtonUp, kDialog, 0x1, HookVerdict::Swallow, true},
        HookCase{"DialogFrameAmongOtherBits", kHcAction, true, kWmRButtonUp, kDialog, 0x40101, HookVerdict::Swallow, true},
        HookCase{"RightUpWithoutDialogFrame", kHcAction, true, kWmRButtonUp, kDialog, 0x40100, HookVerdict::Swallow, false},
        HookCase{"RightUpWithoutActiveWindow", kHcAction, true, kWmRButtonUp, 0, 0x1, HookVerdict::Swallow, false},
        HookCase{"RightDownIsPassedOn", kHcAction, true, kWmRButtonDown, kDialog, 0x1, HookVerdict::PassOn, false},
        HookCase{"LeftDownIsPassedOn", kHcAction, true, kWmLButtonDown, kDialog, 0x1, HookVerdict::PassOn, false},
        HookCase{"LeftUpIsPassedOn", kHcAction, true, kWmLButtonUp, kDialog, 0x1, HookVerdict::PassOn, false},
        HookCase{"MouseMoveIsPassedOn", kHcAction, true, kWmMouseMove, kDialog, 0x1, HookVerdict::PassOn, false},
        HookCase{"KeyDownIsPassedOn", kHcAction, true, kWmKeyDown, kDialog, 0x1, HookVerdict::PassOn, false},
        HookCase{"NonActionCodeIsPassedOn", 4 /* HC_SYSMODALON */, true, kWmRButtonUp, kDialog, 0x1, HookVerdict::PassOn, false},
        // Only HC_ACTION carries an event record: the others must not be read at all.
        HookCase{"NonActionCodeWithoutRecord", 1 /* HC_GETNEXT */, false, 0, kDialog, 0x1, HookVerdict::PassOn, false},
        HookCase{"ActionWithoutRecord", kHcAction, false, 0, kDialog, 0x1, HookVerdict::PassOn, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TappolinStarted, RightUpWithoutActiveWindowAsksNoStyle) {
  ws.active = 0;
  const std::uint32_t message = kWmRButtonUp;
  app.journalEvent(kHcAction, &message);
  EXPECT_THAT(ws.log, ElementsAre("activeWindow"));
}

// The two ways to switch, from the tray icon and from the menu.
class TappolinSwitch : public TappolinStarted, public ::testing::WithParamInterface<bool> {
protected:
  void flip() {
    if (GetParam()) tray(kWmLButtonDown);
    else command(kCmdToggle);
  }
};

TEST_P(TappolinSwitch, OffAndOnAgain) {
  flip();
  EXPECT_FALSE(app.enabled());
  EXPECT_THAT(ws.log, ElementsAre("removeHook", "setMenuItemText 1 \"Enable\"",
                                  "notifyIcon Modify 103 \"Tappolin (DISABLED)\""));
  ws.log.clear();
  flip();
  EXPECT_TRUE(app.enabled());
  EXPECT_THAT(ws.log, ElementsAre("installHook", "setMenuItemText 1 \"Disable\"",
                                  "notifyIcon Modify 102 \"Tappolin\""));
}

INSTANTIATE_TEST_SUITE_P(Gestures, TappolinSwitch, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "TrayLeftClick" : "MenuCommand"; });

TEST_F(TappolinStarted, TrayRightClickShowsMenuThenRestoresForeground) {
  ws.foreground = 0x77;
  ws.cursorX = 1000;
  ws.cursorY = 740;
  tray(kWmRButtonDown);
  tray(kWmRButtonUp);
  EXPECT_THAT(ws.log, ElementsAre("foregroundWindow", "setForegroundWindow " + std::to_string(kHidden),
                                  "cursorPos", "dropOnePendingMessage", "trackMenu 1000,740",
                                  "setForegroundWindow 119"));
  EXPECT_TRUE(app.enabled());
}

TEST_F(TappolinStarted, RightUpWithoutRightDownForcesNoForeground) {
  tray(kWmRButtonUp);
  EXPECT_THAT(ws.log, ElementsAre("cursorPos", "dropOnePendingMessage", "trackMenu 0,0"));
}

TEST_F(TappolinStarted, OtherTrayMouseMessagesDoNothing) {
  for (unsigned m : {kWmMouseMove, kWmLButtonUp, 0x0203u /* WM_LBUTTONDBLCLK */, 0x0206u /* WM_RBUTTONDBLCLK */}) {
    EXPECT_TRUE(app.windowMessage(ws.trayMessageId, 0, m));
  }
  EXPECT_THAT(ws.log, IsEmpty());
}

TEST_F(TappolinStarted, CommandsAreMatchedOnTheWholeParameter) {
  // A notification code in the high word makes it another command.
  for (std::uintptr_t wParam : {std::uintptr_t{0x10001}, std::uintptr_t{0x10003}, std::uintptr_t{4}, std::uintptr_t{0}}) {
    EXPECT_TRUE(app.windowMessage(kWmCommand, wParam, 0));
  }
  EXPECT_THAT(ws.log, IsEmpty());
  EXPECT_TRUE(app.enabled());
}

TEST_F(TappolinStarted, OtherMessagesGoToTheDefaultProcedure) {
  for (unsigned m : {0x0001u /* WM_CREATE */, 0x0010u /* WM_CLOSE */, 0x0400u, kWmRButtonUp}) {
    EXPECT_FALSE(app.windowMessage(m, 0, 0)) << m;
  }
  EXPECT_THAT(ws.log, IsEmpty());
}

TEST(TappolinTrayMessage, FailedRegistrationDoesNotCaptureWmNull) {
  FakeWindowSystem ws;
  ws.trayMessageId = 0;
  Tappolin app(ws, kHidden);
  app.setUp();
  EXPECT_FALSE(app.windowMessage(0, 0, kWmLButtonDown));
  EXPECT_TRUE(app.enabled());
}

TEST_F(TappolinStarted, AboutShowsOneInformationBox) {
  command(kCmdAbout);
  ASSERT_EQ(ws.log.size(), 2u);
  const std::string& box = ws.log[0];
  EXPECT_EQ(box.rfind("messageBox \"Tappolin 1.1", 0), 0u) << box;
  EXPECT_NE(box.find("\nhttp://"), std::string::npos) << "web address on a line of its own: " << box;
  EXPECT_TRUE(box.ends_with("/\" \"About\" information")) << box;
}

TEST_F(TappolinStarted, SecondAboutWhileOpenShowsNothingAndLaterAboutShowsAgain) {
  int boxes = 0;
  ws.whileBoxOpen = [&] {
    ++boxes;
    command(kCmdAbout);  // arrives through the box's own message loop
    tray(kWmLButtonDown);  // the tray stays live meanwhile
  };
  command(kCmdAbout);
  EXPECT_EQ(boxes, 1);
  EXPECT_FALSE(app.enabled());
  command(kCmdAbout);
  EXPECT_EQ(boxes, 2);
}

TEST_F(TappolinStarted, CloseWhileEnabledRemovesHookAndIcon) {
  command(kCmdClose);
  EXPECT_THAT(ws.log, ElementsAre("removeHook", "notifyIcon Delete", "postQuit 0"));
}

TEST_F(TappolinStarted, CloseWhileDisabledRemovesOnlyTheIcon) {
  command(kCmdToggle);
  ws.log.clear();
  command(kCmdClose);
  EXPECT_THAT(ws.log, ElementsAre("notifyIcon Delete", "postQuit 0"));
  EXPECT_EQ(ws.hooksRemoved, 1);  // the one from switching off
}

TEST_F(TappolinStarted, DestroyQuitsLikeClose) {
  app.windowMessage(kWmDestroy, 0, 0);
  EXPECT_THAT(ws.log, ElementsAre("removeHook", "notifyIcon Delete", "postQuit 0"));
}

// "Close" is followed by WM_DESTROY when the window goes, and commands still queued behind it
// are dispatched before the quit message ends the loop.
TEST_F(TappolinStarted, NothingComesBackAfterClose) {
  command(kCmdClose);
  ws.log.clear();
  app.windowMessage(kWmDestroy, 0, 0);
  command(kCmdClose);
  command(kCmdToggle);
  tray(kWmLButtonDown);
  tray(kWmRButtonDown);
  tray(kWmRButtonUp);
  EXPECT_THAT(ws.log, IsEmpty());
  EXPECT_EQ(ws.hooksRemoved, 1);
  EXPECT_EQ(ws.hooksInstalled, 1);
}

}  // namespace
}  // namespace tappolin
