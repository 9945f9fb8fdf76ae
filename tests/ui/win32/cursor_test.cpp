// The pointer over a control, under Wine: a pointing hand over a control that asks for it, the
// arrow elsewhere.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/win32/form_window.h"

namespace varnex::ui::win32 {
namespace {

TEST(Cursor, AControlThatAsksForAHandShowsOneAndTheOthersKeepTheArrow) {
  Form form;
  Button& link = form.add<Button>("Link", nullptr, {10, 10, 90, 25}, "Home Page");
  form.add<Button>("Plain", nullptr, {10, 40, 90, 25}, "Apply");
  link.handCursor = true;
  FormWindow window{form, {"VarnexCursorTest", "Cursor test", 120, 80}};
  window.visible = [] { return true; };
  ASSERT_NE(window.create(nullptr), nullptr);
  window.sync();

  const struct {
    const char* caption;
    HCURSOR expected;
  } cases[] = {
      {"Home Page", LoadCursor(nullptr, IDC_HAND)},
      {"Apply", LoadCursor(nullptr, IDC_ARROW)},
  };
  for (const auto& c : cases) {
    HWND control = FindWindowExA(window.hwnd(), nullptr, "BUTTON", c.caption);
    ASSERT_NE(control, nullptr) << c.caption;
    SetCursor(nullptr);
    SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), c.expected) << c.caption;
  }
}

}  // namespace
}  // namespace varnex::ui::win32
