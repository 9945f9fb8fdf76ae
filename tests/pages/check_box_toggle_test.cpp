// The adapter through which a catalogue row reads and sets a check box of the form.
#include <gtest/gtest.h>

#include "pages/check_box_toggle.h"
#include "ui/form.h"

namespace varnex::pages {
namespace {

using ui::CheckBox;
using ui::Form;

TEST(CheckBoxToggle, ToggleAdapterSetsTheBoxThroughTheCodePath) {
  Form form;
  auto& box = form.add<CheckBox>("CheckBox2");
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  CheckBoxToggle adapter(box);
  settings::Toggle& toggle = adapter;

  toggle.setChecked(true);
  EXPECT_TRUE(box.checked());
  EXPECT_EQ(clicks, 1);
  toggle.setChecked(true);
  EXPECT_EQ(clicks, 1) << "no change, no handler";
  box.click();
  EXPECT_FALSE(toggle.checked());
  EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace varnex::pages
