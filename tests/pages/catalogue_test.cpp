// The order of both passes, written out as the catalogue must visit the rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "pages/catalogue.h"
#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

const std::vector<std::string> kDescribedRead = {
    // Boot, the delay after the boot menu
    "CheckBox1", "CheckBox2", "SpinEdit1", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6", "CheckBox7",
    "CheckBox8", "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14",
    // System
    "CheckBox15", "CheckBox16", "CheckBox17", "CheckBox18", "CheckBox19", "CheckBox20", "CheckBox21",
    "CheckBox22", "CheckBox23", "CheckBox24", "CheckBox25", "CheckBox26", "CheckBox27", "CheckBox28",
    // Windows with Start Menu: the menu delay between the first two Windows rows, the rest of
    // Start Menu after the last Windows row, the control-panel folder before the recycle bin
    // folder and both before the start menu columns
    "CheckBox29", "CheckBox30", "CheckBox32", "CheckBox33", "CheckBox34", "CheckBox35", "CheckBox36",
    "CheckBox37", "CheckBox38", "CheckBox39", "CheckBox40", "CheckBox41", "CheckBox42", "CheckBox62",
    "CheckBox63", "CheckBox50", "CheckBox51", "CheckBox52", "CheckBox53", "CheckBox54", "CheckBox55",
    "CheckBox56", "CheckBox57", "CheckBox58", "CheckBox60", "CheckBox59",
    // Disk-Cache, Internet #1, Internet #2, File-Cache (after the Internet pages), shortcuts
    "ComboBox1", "ComboBox2", "Edit4", "Edit5", "CheckBox43", "CheckBox44", "SpinEdit8", "Edit11", "Edit10",
    "Edit8", "Edit7", "Edit9", "ComboBox3", "CheckBox45", "CheckBox46", "CheckBox47",
    // the installed-programs lists close the read pass
    "ListBox2"};

std::vector<std::string> describedWrite() {
  std::vector<std::string> order(kDescribedRead.begin(), kDescribedRead.end() - 1);  // no lists
  // The two menu-order rows only write, after the last Start Menu row.
  auto after = std::find(order.begin(), order.end(), "CheckBox59") + 1;
  order.insert(after, {"CheckBox31", "CheckBox61"});
  return order;
}

TEST(PassOrder, TheDeclarationIsTheDescribedOrder) {
  EXPECT_EQ(readPassOrder(), kDescribedRead);
  EXPECT_EQ(writePassOrder(), describedWrite());
}

// Every row the pages built so far gives stands in its place, and the window runs exactly those.
TEST(PassOrder, TheWindowRunsThePagesRowsInTheDeclaredOrder) {
  PageHarness t;
  std::map<settings::Row*, std::string> nameOf;
  for (const app::NamedRow& row : t.catalogue->rows()) nameOf[row.row] = row.control;
  for (const auto& [pass, order] : {std::pair{&t.window.readPass(), &kDescribedRead}}) {
    std::vector<std::string> names;
    for (settings::Row* row : *pass) names.push_back(nameOf.at(row));
    std::vector<std::string> expected;
    for (const std::string& name : *order)
      if (std::count(names.begin(), names.end(), name)) expected.push_back(name);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(names.size(), nameOf.size() - std::count_if(nameOf.begin(), nameOf.end(), [](const auto& n) {
                                               return n.second == "CheckBox31" || n.second == "CheckBox61";
                                             }));
  }
  std::vector<std::string> written;
  for (settings::Row* row : t.window.writePass()) written.push_back(nameOf.at(row));
  const std::vector<std::string> write = describedWrite();
  std::vector<std::string> expected;
  for (const std::string& name : write)
    if (std::count(written.begin(), written.end(), name)) expected.push_back(name);
  EXPECT_EQ(written, expected);
}

TEST(PassOrder, ARowNoPassDeclaresOrTwoRowsOfOneNameAreRefused) {
  struct Nothing : settings::Row {
    void read(settings::Stores&) override {}
    void write(settings::Stores&) override {}
  } a, b;
  EXPECT_THROW(inPassOrder(readPassOrder(), {{"CheckBox99", &a}}), LogicError);
  EXPECT_THROW(inPassOrder(readPassOrder(), {{"CheckBox1", &a}, {"CheckBox1", &b}}), LogicError);
  EXPECT_EQ(inPassOrder(readPassOrder(), {{"CheckBox2", &b}, {"CheckBox1", &a}}),
            (std::vector<settings::Row*>{&a, &b}));
}

}  // namespace
}  // namespace varnex::pages
