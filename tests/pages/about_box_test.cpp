// The information window: its operating-system line, its memory figures and how it opens and
// closes over the main window.
#include <gmock/gmock.h>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

TEST(OsInfoLine, NamesTheFamilyAndShowsTheBuildOnlyForTheTwoKnownOnes) {
  const struct {
    app::OsVersion version;
    const char* line;
  } cases[] = {
      {{1, 4, 10, 0x040A08AE, ""}, "Windows 98 4.10 (Build 2222)"},  // the high word does not show
      {{1, 4, 0, 0x040003B6, ""}, "Windows 95 4.0 (Build 950)"},
      {{1, 4, 10, 0x040A08AE, " A "}, "Windows 98 4.10 (Build 2222:  A )"},
      {{2, 4, 0, 1381, "Service Pack 6"}, "Windows NT 4.0 (Build 1381: Service Pack 6)"},
      {{2, 5, 1, 0x80000A28, ""}, "Windows NT 5.1 (Build 2147486248)"},  // the whole number, unsigned
      {{3, 5, 1, 2600, "Service Pack 2"}, "Windows 5.1"},
  };
  for (const auto& c : cases) EXPECT_EQ(osInfoLine(c.version), c.line);
}

class About : public PageTest {
 protected:
  AboutBox& about() { return catalogue->about; }
  std::string shown(const char* label) { return about().form().get<ui::Label>(label).caption; }
};

TEST_F(About, CreationFillsTheLinesAndStartsTheRefreshWhichTouchesOnlyTheFigures) {
  platform.version = {1, 4, 10, 0x040A08AE, ""};
  platform.memory = {32, 41, 64u << 20, 1023, 0xFFFFFFFFu, 0, 0, 0};
  about().FormCreate();
  EXPECT_EQ(shown("OS"), "Windows 98 4.10 (Build 2222)");
  EXPECT_EQ(shown("Label4"), "Memory Load : ");
  EXPECT_EQ(shown("Label10"), "Available Page File : ");
  EXPECT_EQ(shown("Label11"), "41 %");
  EXPECT_EQ(shown("Label12"), "65536 KB");
  EXPECT_EQ(shown("Label13"), "0 KB");
  EXPECT_EQ(shown("Label14"), "4194303 KB");
  EXPECT_EQ(shown("Label15"), "0 KB");
  EXPECT_EQ(platform.timers().at(kAboutTimer1), 5000u);

  // Shown or not, every period refreshes the figures; the OS line was computed once.
  platform.version = {2, 4, 0, 1381, ""};
  platform.memory.memoryLoad = 77;
  platform.memory.availPhys = 2048;
  window.timerFired(kAboutTimer1);
  EXPECT_EQ(shown("Label11"), "77 %");
  EXPECT_EQ(shown("Label13"), "2 KB");
  EXPECT_EQ(shown("OS"), "Windows 98 4.10 (Build 2222)");
  EXPECT_FALSE(about().shown());
}

TEST_F(About, OpeningHidesTheEditorsAndDisablesTheMainWindowAndEveryCloseEnablesIt) {
  for (bool okButton : {true, false}) {
    SCOPED_TRACE(okButton ? "OK" : "the close box");
    window.form().showGroup("Page1");
    showPage("TabSheet6");
    control<ui::Button>("RxSpeedButton4").click();
    EXPECT_TRUE(about().shown());
    EXPECT_FALSE(window.enabled);
    EXPECT_FALSE(control<ui::SpinEdit>("SpinEdit1").visible) << "the editor groups are hidden";
    if (okButton)
      about().form().get<ui::Button>("RxSpeedButton1").click();
    else
      about().FormClose();
    EXPECT_FALSE(about().shown());
    EXPECT_TRUE(window.enabled);
  }
}

}  // namespace
}  // namespace varnex::pages
