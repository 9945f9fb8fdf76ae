// The memory gauges of the "File-Cache" page.
#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

using FileCache = PageTest;

TEST_F(FileCache, GaugesAreFilledAtCreationAndAgainWhenThePageIsSelected) {
  machine.files.putFile("C:\\VARNEX\\Config.DAT", std::string(20, '\0'));
  machine.files.setCurrentDirectory("C:\\VARNEX");
  window.FormCreate(app::Records{});
  EXPECT_EQ(control<ui::Label>("Label34").caption, "50 %");
  EXPECT_EQ(control<ui::Label>("Label46").caption, "25 %");

  platform.memory.availPhys = 500 * 1024;  // under 1 per cent of 64 MB
  platform.memory.totalPageFile = 0;       // a total of 0 shows an empty gauge
  auto& tabs = control<ui::PageControl>("PageControl1");
  tabs.selectTab(7);
  ASSERT_EQ(tabs.activePage()->name(), "TabSheet8");
  EXPECT_EQ(control<ui::Label>("Label34").caption, "0 %");
  EXPECT_EQ(control<ui::Label>("Label46").caption, "0 %");
  EXPECT_EQ(control<ui::ProgressBar>("ProgressBar1").position(), 0);
}

}  // namespace
}  // namespace varnex::pages
