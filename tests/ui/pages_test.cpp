#include "ui/pages.h"

#include <gtest/gtest.h>

#include "ui/form.h"

namespace varnex::ui {
namespace {

struct Window {
  Form form;
  PageControl& tabs = form.add<PageControl>("PageControl1", nullptr, {0, 0, 533, 456});
  TabSheet& boot = form.add<TabSheet>("TabSheet1", &tabs, {}, "Boot");
  Label& heading = form.add<Label>("Label30", &boot);
  TabSheet& system = form.add<TabSheet>("TabSheet2", &tabs, {}, "System");
  TabSheet& windows = form.add<TabSheet>("TabSheet3", &tabs, {}, "Windows");
};

TEST(PageControl, ListsItsPagesAndStartsOnTheFirst) {
  Window w;
  EXPECT_EQ(w.tabs.pages(), (std::vector<TabSheet*>{&w.boot, &w.system, &w.windows}));
  EXPECT_EQ(w.tabs.activePage(), &w.boot);
  EXPECT_TRUE(w.heading.showing());
  EXPECT_FALSE(w.system.showing());
}

TEST(PageControl, TheUsersTabChoiceRunsOnChangeOnlyForAnotherPage) {
  Window w;
  int runs = 0;
  TabSheet* seen = nullptr;
  w.tabs.onChange = [&] {
    ++runs;
    seen = w.tabs.activePage();
  };
  w.tabs.selectTab(0);
  EXPECT_EQ(runs, 0);
  w.tabs.selectTab(2);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(seen, &w.windows);
  EXPECT_EQ(w.tabs.activeIndex(), 2);
  EXPECT_FALSE(w.heading.showing());
  w.tabs.selectTab(3);
  EXPECT_EQ(runs, 1);
  w.tabs.setActivePage(w.system);
  EXPECT_EQ(runs, 1) << "switching from code runs no handler";
  EXPECT_EQ(w.tabs.activePage(), &w.system);
  auto& loose = w.form.add<TabSheet>("TabSheet99");
  EXPECT_THROW(w.tabs.setActivePage(loose), LogicError);
}

}  // namespace
}  // namespace varnex::ui
