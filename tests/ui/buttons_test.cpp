#include "ui/buttons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/pages.h"

namespace varnex::ui {
namespace {

// Records the handlers of one check box in the order they run, with the state each one saw.
struct BoxLog {
  std::vector<std::string> events;
  void attach(CheckBox& box) {
    box.onMouseDown = [this, &box](MouseButton b) {
      events.push_back(std::string(b == MouseButton::Left ? "downL" : "downR") +
                       (box.checked() ? "+" : "-"));
    };
    box.onClick = [this, &box] { events.push_back(box.checked() ? "click+" : "click-"); };
    box.onMouseMove = [this] { events.push_back("move"); };
  }
};

TEST(CheckBox, SettingFromCodeRunsOnClickOnlyOnARealChange) {
  struct Case {
    bool initial;
    bool set;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {false, false, {}},
      {false, true, {"click+"}},
      {true, true, {}},
      {true, false, {"click-"}},
  };
  for (const Case& c : cases) {
    Form form;
    auto& box = form.add<CheckBox>("CheckBox2");
    box.setChecked(c.initial);
    BoxLog log;
    log.attach(box);
    box.setChecked(c.set);
    EXPECT_EQ(box.checked(), c.set);
    EXPECT_EQ(log.events, c.expected) << c.initial << " -> " << c.set;
  }
}

TEST(CheckBox, UserGesturesRunTheirHandlersInTheUsersOrder) {
  using Gesture = void (*)(CheckBox&);
  struct Case {
    const char* what;
    std::vector<Gesture> gestures;
    std::vector<std::string> expected;
    bool checkedAfter;
  };
  const Gesture leftDown = [](CheckBox& b) { b.mouseDown(MouseButton::Left); };
  const Gesture rightDown = [](CheckBox& b) { b.mouseDown(MouseButton::Right); };
  const Gesture click = [](CheckBox& b) { b.click(); };
  const Gesture move = [](CheckBox& b) { b.mouseMove(); };
  const Case cases[] = {
      {"left click sees the state before the toggle", {leftDown, click}, {"downL-", "click+"}, true},
      {"second left click", {leftDown, click, leftDown, click},
       {"downL-", "click+", "downL+", "click-"}, false},
      {"keyboard toggle runs no mouse-down", {click}, {"click+"}, true},
      {"right press only", {rightDown}, {"downR-"}, false},
      {"mouse move", {move}, {"move"}, false},
  };
  for (const Case& c : cases) {
    Form form;
    auto& box = form.add<CheckBox>("CheckBox2");
    BoxLog log;
    log.attach(box);
    for (Gesture g : c.gestures) g(box);
    EXPECT_EQ(log.events, c.expected) << c.what;
    EXPECT_EQ(box.checked(), c.checkedAfter) << c.what;
  }
}

TEST(CheckBox, ControlsTheUserCannotReachIgnoreGesturesButNotCode) {
  struct Case {
    const char* what;
    void (*arrange)(PageControl&, TabSheet& other, GroupBox&, CheckBox&);
  };
  const Case cases[] = {
      {"hidden box", [](PageControl&, TabSheet&, GroupBox&, CheckBox& b) { b.visible = false; }},
      {"disabled box", [](PageControl&, TabSheet&, GroupBox&, CheckBox& b) { b.enabled = false; }},
      {"hidden frame", [](PageControl&, TabSheet&, GroupBox& g, CheckBox&) { g.visible = false; }},
      {"disabled frame", [](PageControl&, TabSheet&, GroupBox& g, CheckBox&) { g.enabled = false; }},
      {"page not active",
       [](PageControl& p, TabSheet& other, GroupBox&, CheckBox&) { p.setActivePage(other); }},
  };
  for (const Case& c : cases) {
    Form form;
    auto& tabs = form.add<PageControl>("PageControl1");
    auto& sheet = form.add<TabSheet>("TabSheet1", &tabs);
    auto& other = form.add<TabSheet>("TabSheet2", &tabs);
    auto& frame = form.add<GroupBox>("GroupBox1", &sheet);
    auto& box = form.add<CheckBox>("CheckBox1", &frame);
    BoxLog log;
    log.attach(box);
    ASSERT_TRUE(box.acceptsInput()) << c.what;
    c.arrange(tabs, other, frame, box);

    box.mouseDown(MouseButton::Left);
    box.click();
    box.mouseMove();
    EXPECT_TRUE(log.events.empty()) << c.what;
    EXPECT_FALSE(box.checked()) << c.what;

    box.setChecked(true);
    EXPECT_EQ(log.events, std::vector<std::string>{"click+"}) << c.what;
  }
}

// Which radio buttons are checked, and which click handlers ran, after some steps.
TEST(RadioButton, CheckingIsExclusiveWithinTheParentOnly) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, bool>> steps;  // button index, user click (true) or code check
    std::vector<bool> checked;                // buttons 0..2 in frame A, 3..4 in frame B
    std::vector<int> clicked;
  };
  const Case cases[] = {
      {"code check", {{1, false}}, {false, true, false, false, false}, {1}},
      {"moves within a frame", {{0, false}, {2, false}}, {false, false, true, false, false}, {0, 2}},
      {"frames do not interfere", {{0, false}, {3, false}, {4, true}},
       {true, false, false, false, true}, {0, 3, 4}},
      {"user click on the checked button", {{1, true}, {1, true}}, {false, true, false, false, false},
       {1}},
      {"code re-check runs nothing", {{2, false}, {2, false}}, {false, false, true, false, false}, {2}},
  };
  for (const Case& c : cases) {
    Form form;
    auto& a = form.add<GroupBox>("GroupBox9");
    auto& b = form.add<GroupBox>("GroupBox10");
    std::vector<RadioButton*> radios;
    std::vector<int> clicked;
    for (int i = 0; i < 5; ++i) {
      auto& r = form.add<RadioButton>("RadioButton" + std::to_string(i), i < 3 ? &a : &b);
      r.onClick = [&clicked, i] { clicked.push_back(i); };
      radios.push_back(&r);
    }
    for (auto [index, user] : c.steps) {
      if (user) {
        radios[static_cast<std::size_t>(index)]->click();
      } else {
        radios[static_cast<std::size_t>(index)]->setChecked(true);
      }
    }
    std::vector<bool> checked;
    for (auto* r : radios) checked.push_back(r->checked());
    EXPECT_EQ(checked, c.checked) << c.what;
    EXPECT_EQ(clicked, c.clicked) << c.what;
  }
}

TEST(RadioButton, UncheckingFromCodeRunsNoHandler) {
  Form form;
  auto& r = form.add<RadioButton>("RadioButton8");
  r.setChecked(true);
  int clicks = 0;
  r.onClick = [&] { ++clicks; };
  r.setChecked(false);
  EXPECT_FALSE(r.checked());
  EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace varnex::ui
