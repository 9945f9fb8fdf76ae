// How a press reaches the model through the native controls, under Wine: a mouse click, a click
// that another program sends (BM_CLICK) or posts, and the space bar must all end in the same
// gestures; a press whose handler runs a modal loop must leave no control holding the mouse.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/buttons.h"
#include "ui/form.h"
#include "tests/app/wine/driver.h"
#include "ui/win32/form_window.h"

namespace varnex::ui::win32 {
namespace {

// Runs this thread's messages for a while, as the program's own loop would.
void pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  MSG message;
  while (static_cast<LONG>(until - GetTickCount()) > 0) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

// A physical press and release, as the user's hand makes them (queued until the pump runs).
void mouseClick(HWND control) { e2e::leftClick(control); }

struct Way {
  const char* name;
  void (*press)(HWND control);
};

const Way kWays[] = {
    {"mouse", mouseClick},
    {"BM_CLICK sent", [](HWND c) { SendMessageA(c, BM_CLICK, 0, 0); }},
    {"button press posted",
     [](HWND c) {
       PostMessageA(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
       PostMessageA(c, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
     }},
};

class PressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box.onMouseDown = [this](MouseButton b) { downs += b == MouseButton::Left ? 1 : 100; };
    box.onClick = [this] { ++boxClicks; };
    button.onClick = [this] { ++buttonClicks; };
    window.visible = [] { return true; };
    ASSERT_NE(window.create(nullptr), nullptr);
    window.sync();
    SetForegroundWindow(window.hwnd());
    pump(200);
  }

  HWND native(const char* caption) const { return FindWindowExA(window.hwnd(), nullptr, "BUTTON", caption); }

  Form form;
  CheckBox& box = form.add<CheckBox>("CheckBox1", nullptr, {10, 10, 150, 17}, "Option");
  Button& button = form.add<Button>("Button1", nullptr, {10, 40, 75, 25}, "Apply");
  FormWindow window{form, {"VarnexPressTest", "Press test", 200, 80}};
  int downs = 0, boxClicks = 0, buttonClicks = 0;
};

TEST_F(PressTest, EveryWayOfPressingGivesTheMouseGestures) {
  for (const Way& way : kWays) {
    downs = boxClicks = buttonClicks = 0;
    const bool before = box.checked();
    way.press(native("Option"));
    pump(300);
    way.press(native("Apply"));
    pump(300);
    EXPECT_EQ(downs, 1) << way.name << ": the box saw one left press";
    EXPECT_EQ(boxClicks, 1) << way.name << ": and one toggle";
    EXPECT_NE(box.checked(), before) << way.name;
    EXPECT_EQ(SendMessageA(native("Option"), BM_GETCHECK, 0, 0), box.checked() ? BST_CHECKED : BST_UNCHECKED)
        << way.name << ": the native box shows the model's state";
    EXPECT_EQ(buttonClicks, 1) << way.name << ": the button was clicked once";
    EXPECT_EQ(GetCapture(), nullptr) << way.name;
  }
}

TEST_F(PressTest, TheSpaceBarTogglesWithoutAPress) {
  HWND option = native("Option");
  SetFocus(option);
  SendMessageA(option, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(option, WM_KEYUP, VK_SPACE, 0);
  pump(100);
  EXPECT_EQ(downs, 0);
  EXPECT_EQ(boxClicks, 1);
  EXPECT_TRUE(box.checked());
}

// The question box closes itself soon after it opens, as a user's answer would close it.
void CALLBACK answerQuestion(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND question = FindWindowA("#32770", "Question")) {
    KillTimer(nullptr, timer);
    PostMessageA(question, WM_COMMAND, IDOK, 0);
  }
}

TEST_F(PressTest, APressThatAsksAQuestionLeavesTheMouseFree) {
  box.onMouseDown = [this](MouseButton) {
    ++downs;
    SetTimer(nullptr, 0, 100, answerQuestion);
    MessageBoxA(window.hwnd(), "Are you sure ?", "Question", MB_OK);
  };
  for (const Way& way : kWays) {
    downs = boxClicks = buttonClicks = 0;
    way.press(native("Option"));
    pump(800);
    EXPECT_EQ(downs, 1) << way.name << ": the question was asked once";
    EXPECT_EQ(GetCapture(), nullptr) << way.name << ": no control holds the mouse";
    mouseClick(native("Apply"));
    pump(300);
    EXPECT_EQ(buttonClicks, 1) << way.name << ": the next click reaches the control under it";
  }
}

}  // namespace
}  // namespace varnex::ui::win32
