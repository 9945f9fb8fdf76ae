// The "Disk-Cache" page: section vcache of SYSTEM.INI read into three sliders and a profile,
// written back from the value labels.
#include <tuple>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

struct DiskCache : PageTest {
  DiskCache() { showPage("TabSheet4"); }
  ui::TrackBar& slider(int n) { return control<ui::TrackBar>("TrackBar" + std::to_string(n)); }
  ui::ComboBox& profile() { return control<ui::ComboBox>("ComboBox1"); }
  ui::Label& label(const char* name) { return control<ui::Label>(name); }
  std::tuple<std::string, std::string, std::string> values() {
    return {label("Label22").caption, label("Label23").caption, label("Label24").caption};
  }
  std::tuple<std::string, std::string, std::string> stored() {
    auto entry = [this](const char* name) { return systemIni("vcache", name).value_or("<absent>"); };
    return {entry("MinFileCache"), entry("MaxFileCache"), entry("CHUNKSIZE")};
  }
  // Each value label 5 pixels right of its caption, each "KB" label 5 pixels right of its value.
  void expectPlaced() {
    const char* rows[][3] = {{"Label8", "Label22", "Label11"}, {"Label9", "Label23", "Label12"},
                             {"Label10", "Label24", "Label13"}};
    for (auto& row : rows) {
      EXPECT_EQ(label(row[1]).left, label(row[0]).left + label(row[0]).width + 5) << row[1];
      EXPECT_EQ(label(row[2]).left, label(row[1]).left + label(row[1]).width + 5) << row[2];
    }
  }
};

TEST_F(DiskCache, ReadingDividesTruncatesAndSelectsTheFirstMatchingProfile) {
  struct Case {
    const char* entries;
    int min, max, chunk;
    const char* shown[3];
    const char* profile;
  } cases[] = {
      {"", 0, 0, 0, {"0", "0", "0"}, "User Defined"},
      {"MinFileCache=2048\nMaxFileCache=8192\nCHUNKSIZE=512\n", 2, 8, 16, {"2048", "8192", "512"}, "Standard System"},
      {"MinFileCache=1024\nMaxFileCache=8192\nCHUNKSIZE=256\n", 1, 8, 8, {"1024", "8192", "256"}, "Gaming System"},
      {"MinFileCache=2048\nMaxFileCache=8192\nCHUNKSIZE=256\n", 2, 8, 8, {"2048", "8192", "256"}, "User Defined"},
      // Truncation toward zero, clamping into 0 to 32, and texts that are no integer.
      {"MinFileCache=3000\nMaxFileCache=65536\nCHUNKSIZE=63\n", 2, 32, 1, {"2048", "32768", "32"}, "User Defined"},
      {"MinFileCache=-5000\nMaxFileCache=12MB\nCHUNKSIZE=\n", 0, 0, 0, {"0", "0", "0"}, "User Defined"},
      {"MinFileCache=12288\nMaxFileCache=12288\nCHUNKSIZE=256\n", 12, 12, 8, {"12288", "12288", "256"}, "CD Writer"},
  };
  for (const Case& c : cases) {
    PageHarness h;
    h.loadSystemIni(std::string("[vcache]\n") + c.entries);
    ASSERT_TRUE(h.window.BacaData());
    EXPECT_EQ(h.control<ui::TrackBar>("TrackBar2").position(), c.min) << c.entries;
    EXPECT_EQ(h.control<ui::TrackBar>("TrackBar3").position(), c.max) << c.entries;
    EXPECT_EQ(h.control<ui::TrackBar>("TrackBar4").position(), c.chunk) << c.entries;
    EXPECT_EQ(h.control<ui::Label>("Label22").caption, c.shown[0]) << c.entries;
    EXPECT_EQ(h.control<ui::Label>("Label23").caption, c.shown[1]) << c.entries;
    EXPECT_EQ(h.control<ui::Label>("Label24").caption, c.shown[2]) << c.entries;
    EXPECT_EQ(h.control<ui::ComboBox>("ComboBox1").text(), c.profile) << c.entries;
  }
}

TEST_F(DiskCache, WritingStoresTheValueLabelsEveryTime) {
  loadSystemIni("[vcache]\nMinFileCache=3000\nMaxFileCache=65536\n");
  read();
  write();
  EXPECT_EQ(stored(), std::make_tuple("2048", "32768", "0"));

  // Nothing changed on the page; a later write still puts the labels back over other values.
  loadSystemIni("[vcache]\nMinFileCache=7\n");
  write();
  EXPECT_EQ(stored(), std::make_tuple("2048", "32768", "0"));
}

TEST_F(DiskCache, ChoosingAProfileMovesTheSlidersAndKeepsTheProfile) {
  read();
  profile().choose(5);  // "CD Writer"
  EXPECT_EQ(profile().text(), "CD Writer");
  EXPECT_EQ(values(), std::make_tuple("12288", "12288", "256"));
  expectPlaced();
  write();
  EXPECT_EQ(stored(), std::make_tuple("12288", "12288", "256"));

  // Moving any slider afterwards makes it "User Defined", its label following the slider.
  slider(4).slide(9);
  EXPECT_EQ(profile().text(), "User Defined");
  EXPECT_EQ(label("Label24").caption, "288");
  expectPlaced();

  // "User Defined" chosen sets nothing.
  profile().choose(0);
  EXPECT_EQ(values(), std::make_tuple("12288", "12288", "288"));
}

TEST_F(DiskCache, EveryProfileOfTheTableIsFoundAgainByTheNextRead) {
  for (int index = 1; index <= 6; ++index) {
    PageHarness h;
    h.showPage("TabSheet4");
    h.control<ui::ComboBox>("ComboBox1").choose(index);
    ASSERT_TRUE(h.window.TulisData());
    h.control<ui::ComboBox>("ComboBox1").setItemIndex(0);
    ASSERT_TRUE(h.window.BacaData());
    EXPECT_EQ(h.control<ui::ComboBox>("ComboBox1").itemIndex(), index) << kCacheProfiles[index - 1].name;
  }
}

TEST_F(DiskCache, LabelsArePlacedWhenThePageIsShown) {
  showPage("TabSheet1");
  loadSystemIni("[vcache]\nMinFileCache=32768\nMaxFileCache=1024\nCHUNKSIZE=32\n");
  read();
  // Something moved the labels out of place since; selecting the tab lays them out again.
  label("Label22").left = 0;
  label("Label13").left = 0;
  control<ui::PageControl>("PageControl1").selectTab(8);
  ASSERT_EQ(control<ui::PageControl>("PageControl1").activePage()->name(), "TabSheet4");
  expectPlaced();
}

TEST_F(DiskCache, BackToWindowsDefaultLeavesZeroesAndUserDefined) {
  loadSystemIni("[vcache]\nMinFileCache=2048\nMaxFileCache=8192\nCHUNKSIZE=512\n");
  read();
  catalogue->diskCache.restoreDefaults();
  EXPECT_EQ(slider(2).position() + slider(3).position() + slider(4).position(), 0);
  EXPECT_EQ(values(), std::make_tuple("0", "0", "0"));
  EXPECT_EQ(profile().itemIndex(), 0);
  write();
  EXPECT_EQ(stored(), std::make_tuple("0", "0", "0"));
}

TEST_F(DiskCache, HelpButtonShowsTheDiskCacheText) {
  control<ui::Button>("RxSpeedButton12").click();
  EXPECT_TRUE(catalogue->help.shown());
  EXPECT_FALSE(window.enabled);
  EXPECT_TRUE(catalogue->help.form().get<ui::Memo>("Memo1").visible);
  EXPECT_FALSE(catalogue->help.form().get<ui::Memo>("Memo2").visible);
}

}  // namespace
}  // namespace varnex::pages
