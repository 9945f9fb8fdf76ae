// Every page of the main window and every window opened from it as the user sees them, under
// Wine with the fonts the view picks: no caption cut by its control, no control cut by its
// frame, every number field wide enough for the widest value it accepts, and no control over
// another.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "tests/pages/page_fixture.h"
#include "ui/win32/form_window.h"

namespace varnex::pages {
namespace {

using ui::win32::FormView;
using ui::win32::FormWindow;
using ui::win32::FormWindowStyle;

// Text measured in the font the native control was given.
class Measure {
 public:
  explicit Measure(HWND control) : control_(control), dc_(GetDC(control)) {
    old_ = SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  }
  ~Measure() {
    SelectObject(dc_, old_);
    ReleaseDC(control_, dc_);
  }
  Measure(const Measure&) = delete;
  Measure& operator=(const Measure&) = delete;

  int width(const std::string& text) const {
    SIZE size = {};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  int lineHeight() const {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc_, &metrics);
    return metrics.tmHeight;
  }
  // The room the text takes when a static control (or, with more flags, an edit) wraps it at
  // width.
  SIZE wrapped(const std::string& text, int width, UINT more = 0) const {
    RECT r = {0, 0, width, 0};
    DrawTextA(dc_, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | more);
    return SIZE{r.right, r.bottom};
  }
  // The widest text of that many digits.
  std::string widestDigits(std::size_t count) const {
    char widest = '0';
    for (char d = '1'; d <= '9'; ++d)
      if (width(std::string(1, d)) > width(std::string(1, widest))) widest = d;
    return std::string(count, widest);
  }

 private:
  HWND control_;
  HDC dc_;
  HGDIOBJ old_;
};

RECT clientOf(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return r;
}

int widthOf(const RECT& r) { return r.right - r.left; }
int heightOf(const RECT& r) { return r.bottom - r.top; }

// How many characters the widest value of a number field has; 0 for a field of free text.
std::size_t widestValue(const ui::Control& c) {
  if (c.kind() == ui::Kind::SpinEdit) {
    // Code may give it any value of its range, whatever the user may type.
    const auto& spin = static_cast<const ui::SpinEdit&>(c);
    return std::max(std::to_string(spin.minValue()).size(), std::to_string(spin.maxValue()).size());
  }
  if (c.kind() == ui::Kind::Edit) return static_cast<const ui::Edit&>(c).maxLength;
  return 0;
}

// What is cut in the native control of c; empty when its content fits.
std::string cutIn(const ui::Control& c, HWND hwnd) {
  const Measure text(hwnd);
  const RECT client = clientOf(hwnd);
  const int room = widthOf(client);
  switch (c.kind()) {
    case ui::Kind::Label: {
      if (c.caption.empty() || static_cast<const ui::Label&>(c).icon) return "";
      const SIZE need = text.wrapped(c.caption, room);
      if (need.cx > room || need.cy > heightOf(client))
        return "needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + ", has " +
               std::to_string(room) + "x" + std::to_string(heightOf(client));
      return "";
    }
    case ui::Kind::CheckBox:
    case ui::Kind::RadioButton: {
      // The box, the gap after it and the focus frame around the caption.
      const int need = GetSystemMetrics(SM_CXMENUCHECK) + 6 + text.width(c.caption);
      if (need > room) return "needs " + std::to_string(need) + ", has " + std::to_string(room);
      return "";
    }
    case ui::Kind::Button: {
      const int need = text.width(c.caption) + 8;
      if (need > room) return "needs " + std::to_string(need) + ", has " + std::to_string(room);
      return "";
    }
    case ui::Kind::GroupBox: {
      if (c.caption.empty()) return "";
      const int need = text.width(c.caption) + 16;
      if (need > room) return "needs " + std::to_string(need) + ", has " + std::to_string(room);
      return "";
    }
    case ui::Kind::Edit:
    case ui::Kind::SpinEdit: {
      const std::size_t digits = widestValue(c);
      if (!digits) return "";
      RECT format = {};
      SendMessageA(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
      const int need = text.width(text.widestDigits(digits));
      if (need > widthOf(format))
        return std::to_string(digits) + " digits need " + std::to_string(need) + ", the field shows " +
               std::to_string(widthOf(format));
      return "";
    }
    case ui::Kind::Memo: {
      // A pane without a scroll bar must show all it holds.
      const auto& memo = static_cast<const ui::Memo&>(c);
      if (memo.verticalScrollBar || memo.text().empty()) return "";
      RECT format = {};
      SendMessageA(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
      const SIZE need = text.wrapped(memo.text(), widthOf(format), DT_EDITCONTROL | DT_NOPREFIX);
      if (need.cy > heightOf(format))
        return "\"" + memo.text() + "\" needs " + std::to_string(need.cy) + " pixels of height, the pane shows " +
               std::to_string(heightOf(format));
      return "";
    }
    case ui::Kind::ComboBox: {
      int widest = 0;
      for (const std::string& item : static_cast<const ui::ComboBox&>(c).items()) widest = std::max(widest, text.width(item));
      const int need = widest + GetSystemMetrics(SM_CXVSCROLL) + 8;
      if (need > room) return "needs " + std::to_string(need) + ", has " + std::to_string(room);
      return "";
    }
    default:
      return "";
  }
}

// Where the native control lies in the client area of window.
RECT placeIn(HWND control, HWND window) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

// A control that can hold others: what lies wholly inside it is in it, not over it.
bool holdsOthers(const ui::Control& c) {
  return c.kind() == ui::Kind::GroupBox || c.kind() == ui::Kind::TabSheet || c.kind() == ui::Kind::PageControl;
}

bool onSheet(const ui::Control& c, const ui::Control* sheet) {
  for (const ui::Control* p = c.parent(); p; p = p->parent())
    if (p->kind() == ui::Kind::TabSheet) return p == sheet;
  return sheet == nullptr;
}

// The problems of the controls on sheet (null: the controls on no sheet) as they show now.
// Every control is checked for cut content and for lying inside its frame; the showing ones
// also for lying over one another.
std::vector<std::string> problemsOf(const ui::Form& form, FormView& view, HWND window, const ui::Control* sheet,
                                    const std::string& where) {
  std::vector<std::string> problems;
  struct Shown {
    const ui::Control* control;
    RECT place;
  };
  std::vector<Shown> shown;
  const RECT area = clientOf(window);
  for (const ui::Control* c : form.controls()) {
    if (!onSheet(*c, sheet) || c->kind() == ui::Kind::TabSheet || c->kind() == ui::Kind::PageControl) continue;
    HWND hwnd = view.nativeOf(c);
    if (!hwnd) continue;
    const std::string name = where + " " + c->name() + " \"" + c->caption + "\"";
    if (std::string cut = cutIn(*c, hwnd); !cut.empty()) problems.push_back(name + " is cut: " + cut);
    const RECT place = placeIn(hwnd, window);
    RECT frame = area;
    if (c->parent() && c->parent()->kind() == ui::Kind::GroupBox) {
      if (HWND parent = view.nativeOf(c->parent())) {
        frame = placeIn(parent, window);
        InflateRect(&frame, -2, -2);  // the frame's own lines
      }
    }
    if (!inside(place, frame)) problems.push_back(name + " at " + text(place) + " leaves its frame " + text(frame));
    if (c->showing()) shown.push_back({c, place});
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const Shown& a = shown[i];
      const Shown& b = shown[j];
      RECT common;
      if (!IntersectRect(&common, &a.place, &b.place)) continue;
      if ((holdsOthers(*a.control) && inside(b.place, a.place)) || (holdsOthers(*b.control) && inside(a.place, b.place)))
        continue;
      problems.push_back(where + " " + a.control->name() + " " + text(a.place) + " and " + b.control->name() + " " +
                         text(b.place) + " overlap");
    }
  }
  return problems;
}

// One problem a line, so that a failure reads as a list.
std::string listed(const std::vector<std::string>& problems) {
  std::string out;
  for (const std::string& p : problems) out += "\n  " + p;
  return out;
}

class Layout : public ::testing::Test, public PageHarness {
 protected:
  static void SetUpTestSuite() { InitCommonControls(); }

  void SetUp() override {
    // The widest figures a machine can report: 4 GB of everything, all of it free.
    platform.memory = {32, 100, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  }
};

TEST_F(Layout, EveryPageOfTheMainWindow) {
  FormWindow main(window.form(), FormWindowStyle{.className = "VarnexLayoutMain",
                                                 .caption = "Varnex 2000",
                                                 .clientWidth = app::kClientWidth,
                                                 .clientHeight = app::kClientHeight,
                                                 .main = true});
  ASSERT_NE(main.create(nullptr), nullptr);
  auto& pages = window.form().get<ui::PageControl>("PageControl1");
  std::set<std::string> found;  // a fault seen in several states is listed once
  // The page's controls, then the command buttons that lie over every page.
  auto look = [&](const ui::TabSheet& sheet) {
    main.sync();
    for (const ui::Control* on : {static_cast<const ui::Control*>(&sheet), static_cast<const ui::Control*>(nullptr)})
      for (const std::string& p : problemsOf(window.form(), *main.view(), main.hwnd(), on, sheet.caption))
        found.insert(p);
  };
  for (int index = 0; index < static_cast<int>(pages.pages().size()); ++index) {
    pages.selectTab(index);
    const ui::TabSheet& sheet = *pages.pages()[static_cast<std::size_t>(index)];
    look(sheet);
    // Each control's help text as the pointer passes over it.
    for (ui::Control* c : window.form().controls()) {
      if (!onSheet(*c, &sheet) || !c->onMouseMove) continue;
      c->mouseMove();
      look(sheet);
    }
    // Each option as the user presses it, with the detail editor it opens, and pressed back.
    for (ui::Control* c : window.form().controls()) {
      if (c->kind() != ui::Kind::CheckBox || !onSheet(*c, &sheet) || !c->acceptsInput()) continue;
      auto& box = static_cast<ui::CheckBox&>(*c);
      for (int twice = 0; twice < 2; ++twice) {
        box.mouseDown(ui::MouseButton::Left);
        box.click();
        look(sheet);
      }
    }
  }
  const std::vector<std::string> problems(found.begin(), found.end());
  EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_F(Layout, EveryWindowOpenedFromTheMainWindow) {
  struct Window {
    const char* caption;
    ui::Form& form;
    int width, height;
    std::function<void()> open;
  };
  const Window windows[] = {
      {"About", catalogue->about.form(), AboutBox::kClientWidth, AboutBox::kClientHeight,
       [this] { catalogue->about.FormCreate(); }},
      {"Help (Disk-Cache)", catalogue->help.form(), HelpWindow::kClientWidth, HelpWindow::kClientHeight,
       [this] { catalogue->help.open(HelpText::DiskCache); }},
      {"Uninstal Command", catalogue->commandEditor.form(), CommandEditor::kClientWidth, CommandEditor::kClientHeight,
       [] {}},
  };
  for (const Window& w : windows) {
    w.open();
    FormWindow native(w.form, FormWindowStyle{.className = "VarnexLayoutWindow",
                                              .caption = w.caption,
                                              .clientWidth = w.width,
                                              .clientHeight = w.height,
                                              .main = true});  // its controls made at once
    ASSERT_NE(native.create(nullptr), nullptr) << w.caption;
    native.sync();
    const std::vector<std::string> problems = problemsOf(w.form, *native.view(), native.hwnd(), nullptr, w.caption);
    EXPECT_TRUE(problems.empty()) << listed(problems);
  }
}

}  // namespace
}  // namespace varnex::pages
