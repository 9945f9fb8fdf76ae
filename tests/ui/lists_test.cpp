#include "ui/lists.h"

#include <gtest/gtest.h>

#include "ui/form.h"

namespace varnex::ui {
namespace {

TEST(ItemList, SelectionFollowsTheItems) {
  Form form;
  auto& c = form.add<ComboBox>("ComboBox3");
  c.setItems({"User Defined", "Desktop Computer", "Mobile or docking system", "Network Server"});
  EXPECT_EQ(c.itemIndex(), -1);
  EXPECT_EQ(c.text(), "");
  c.setItemIndex(3);
  EXPECT_EQ(c.text(), "Network Server");
  c.setItem(3, "Server");
  EXPECT_EQ(c.itemIndex(), 3) << "replacing an item keeps the selection";
  EXPECT_EQ(c.text(), "Server");
  EXPECT_THROW(c.setItem(4, "x"), LogicError);
  c.setItemIndex(4);
  EXPECT_EQ(c.itemIndex(), -1) << "an index outside the items selects nothing";
  c.setItemIndex(1);
  c.setItems({"a"});
  EXPECT_EQ(c.itemIndex(), -1) << "new items, no selection";
}

TEST(ItemList, UserChoicesRunOnChangeEveryTimeAndIgnoreBadIndexes) {
  Form form;
  auto& c = form.add<ComboBox>("ComboBox1");
  c.setItems({"User Defined", "Standard System"});
  int runs = 0;
  c.onChange = [&] { ++runs; };
  c.choose(1);
  c.choose(1);
  c.choose(2);
  c.choose(-1);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(c.itemIndex(), 1);
  c.enabled = false;
  c.choose(0);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(c.itemIndex(), 1);
}

}  // namespace
}  // namespace varnex::ui
