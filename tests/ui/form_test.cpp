#include "ui/form.h"

#include <gtest/gtest.h>

#include "ui/buttons.h"
#include "ui/pages.h"

namespace varnex::ui {
namespace {

TEST(Form, FindsControlsByExactNameAndListsThemInCreationOrder) {
  Form form;
  auto& sheet = form.add<TabSheet>("TabSheet1", nullptr, {0, 0, 500, 400}, "Boot");
  auto& box = form.add<CheckBox>("CheckBox2", &sheet, {16, 40, 200, 17}, "Enable boot menu");
  auto& label = form.add<Label>("Label1", &sheet);

  EXPECT_EQ(form.find("CheckBox2"), &box);
  EXPECT_EQ(form.find("checkbox2"), nullptr);
  EXPECT_EQ(form.find("CheckBox3"), nullptr);
  EXPECT_EQ(&form.get<CheckBox>("CheckBox2"), &box);
  EXPECT_THROW(form.get<RadioButton>("CheckBox2"), LogicError);
  EXPECT_THROW(form.get<CheckBox>("nothing"), LogicError);

  EXPECT_EQ(form.controls(), (std::vector<Control*>{&sheet, &box, &label}));
  EXPECT_EQ(form.childrenOf(&sheet), (std::vector<Control*>{&box, &label}));
  EXPECT_EQ(box.parent(), &sheet);
  EXPECT_EQ(box.caption, "Enable boot menu");
  EXPECT_EQ(box.left, 16);
  EXPECT_EQ(box.top, 40);
  EXPECT_EQ(box.width, 200);
  EXPECT_EQ(box.height, 17);
  EXPECT_EQ(box.kind(), Kind::CheckBox);
}

TEST(Form, RefusesDuplicateNamesAndForeignParents) {
  Form form, other;
  auto& foreign = other.add<GroupBox>("GroupBox1");
  form.add<CheckBox>("CheckBox1");
  EXPECT_THROW(form.add<Label>("CheckBox1"), LogicError);
  EXPECT_THROW(form.add<Label>("Label1", &foreign), LogicError);
  EXPECT_EQ(form.controls().size(), 1u);
}

TEST(Form, HideGroupMatchesTheNameIgnoringCaseAndHidesOnlyThatGroup) {
  struct Case {
    const char* name;
    bool page1Hidden;
    bool page2Hidden;
  };
  const Case cases[] = {
      {"Page1", true, false}, {"page2", false, true}, {"PAGE2", false, true},
      {"Page5", false, false}, {"", false, false},    {"Page", false, false},
      {"Page1 ", false, false},
  };
  for (const Case& c : cases) {
    Form form;
    auto& frame = form.add<GroupBox>("GroupBox2");
    auto& label1 = form.add<Label>("Label1", &frame);
    auto& spin = form.add<Label>("SpinEdit1", &frame);
    auto& label3 = form.add<Label>("Label3");
    auto& other = form.add<Label>("Label9");
    form.addToGroup("Page1", label1);
    form.addToGroup("PAGE1", spin);
    form.addToGroup("Page2", label3);

    form.hideGroup(c.name);
    EXPECT_EQ(!label1.visible, c.page1Hidden) << '"' << c.name << '"';
    EXPECT_EQ(!spin.visible, c.page1Hidden) << '"' << c.name << '"';
    EXPECT_EQ(!label3.visible, c.page2Hidden) << '"' << c.name << '"';
    EXPECT_TRUE(frame.visible) << "frames stay visible: " << c.name;
    EXPECT_TRUE(other.visible) << c.name;

    form.showGroup(c.name);
    EXPECT_TRUE(label1.visible && spin.visible && label3.visible) << c.name;
  }
}

}  // namespace
}  // namespace varnex::ui
