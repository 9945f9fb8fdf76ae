// The help window: its three texts byte for byte, one visible at a time, and the main window
// disabled from opening to closing.
#include <algorithm>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

std::string fixture(const std::string& name) { return fixtureText("help/" + name); }

using Help = PageTest;

TEST_F(Help, TextsAreExactlyAsWrittenLineForLine) {
  const struct {
    const char* memo;
    const char* file;
    std::size_t lines;
  } texts[] = {{"Memo1", "disk_cache.txt", 31}, {"Memo2", "file_cache.txt", 23}, {"Memo3", "internet.txt", 24}};
  for (const auto& t : texts) {
    const std::string& text = catalogue->help.form().get<ui::Memo>(t.memo).text();
    EXPECT_EQ(text, fixture(t.file)) << t.memo;
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), t.lines) << t.memo;
  }
}

TEST_F(Help, OpeningHidesTheEditorsDisablesTheMainWindowAndShowsOneText) {
  HelpWindow& help = catalogue->help;
  const std::pair<HelpText, const char*> callers[] = {
      {HelpText::Internet, "Memo3"}, {HelpText::DiskCache, "Memo1"}, {HelpText::FileCache, "Memo2"}};
  for (const auto& [text, memo] : callers) {
    press("CheckBox2");  // opens the Boot page's delay editor
    ASSERT_TRUE(control<ui::SpinEdit>("SpinEdit1").visible);
    help.open(text);
    EXPECT_FALSE(control<ui::SpinEdit>("SpinEdit1").visible) << memo;
    EXPECT_FALSE(window.enabled);
    EXPECT_TRUE(help.shown());
    for (const char* each : {"Memo1", "Memo2", "Memo3"})
      EXPECT_EQ(help.form().get<ui::Memo>(each).visible, std::string(each) == memo) << each << " for " << memo;

    // "Close" (also what Enter, Escape and the frame's close run) enables the main window again.
    help.defaultButton().click();
    EXPECT_TRUE(window.enabled);
    EXPECT_FALSE(help.shown());
    // The last text chosen stays the visible one while the window is hidden.
    EXPECT_TRUE(help.form().get<ui::Memo>(memo).visible);
    press("CheckBox2");  // closes the editor again for the next caller
  }
}

TEST_F(Help, TextBoxesAreReadOnlyScrollingDocuments) {
  for (const char* each : {"Memo1", "Memo2", "Memo3"}) {
    auto& memo = catalogue->help.form().get<ui::Memo>(each);
    EXPECT_TRUE(memo.readOnly && memo.verticalScrollBar && memo.infoColours) << each;
    memo.type("changed");
    EXPECT_NE(memo.text(), "changed") << each;
    EXPECT_EQ(memo.left, 8);
    EXPECT_EQ(memo.width, 257);
  }
  EXPECT_EQ(catalogue->help.defaultButton().caption, "Close");
}

}  // namespace
}  // namespace varnex::pages
