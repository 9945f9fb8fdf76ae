#include "ui/ranges.h"

#include <gtest/gtest.h>

#include <functional>

#include "ui/form.h"

namespace varnex::ui {
namespace {

// A slider at 0..10, position 6, then one change of position or range.
TEST(TrackBar, ClampsAndRunsOnChangeWhenTheRangeMovesThePosition) {
  struct Case {
    const char* what;
    std::function<void(TrackBar&)> change;
    int min, max, position, runs;
  };
  const Case cases[] = {
      {"position within", [](TrackBar& t) { t.setPosition(8); }, 0, 10, 8, 1},
      {"position above", [](TrackBar& t) { t.setPosition(40); }, 0, 10, 10, 1},
      {"position below", [](TrackBar& t) { t.setPosition(-3); }, 0, 10, 0, 1},
      {"maximum above the position", [](TrackBar& t) { t.setMax(32); }, 0, 32, 6, 0},
      {"maximum at the position", [](TrackBar& t) { t.setMax(6); }, 0, 6, 6, 0},
      {"maximum below the position", [](TrackBar& t) { t.setMax(3); }, 0, 3, 3, 1},
      {"maximum below the minimum", [](TrackBar& t) { t.setMax(-2); }, -2, -2, -2, 1},
      {"minimum above the position", [](TrackBar& t) { t.setMin(8); }, 8, 10, 8, 1},
      {"minimum above the maximum", [](TrackBar& t) { t.setMin(12); }, 12, 12, 12, 1},
      {"range moving it once", [](TrackBar& t) { t.setRange(7, 9); }, 7, 9, 7, 1},
      {"range keeping it", [](TrackBar& t) { t.setRange(0, 32); }, 0, 32, 6, 0},
      {"user slide", [](TrackBar& t) { t.slide(11); }, 0, 10, 10, 1},
  };
  for (const Case& c : cases) {
    Form form;
    auto& t = form.add<TrackBar>("TrackBar1");
    t.setRange(0, 10);
    t.setPosition(6);
    int runs = 0;
    int seen = -1;
    t.onChange = [&] {
      ++runs;
      seen = t.position();
    };
    c.change(t);
    EXPECT_EQ(t.minimum(), c.min) << c.what;
    EXPECT_EQ(t.maximum(), c.max) << c.what;
    EXPECT_EQ(t.position(), c.position) << c.what;
    EXPECT_EQ(runs, c.runs) << c.what;
    if (runs > 0) {
      EXPECT_EQ(seen, c.position) << "the handler sees the new position: " << c.what;
    }
  }
}

TEST(TrackBar, AHiddenSliderIgnoresTheUserButNotCode) {
  Form form;
  auto& t = form.add<TrackBar>("TrackBar1");
  t.setRange(0, 4);
  t.visible = false;
  t.slide(3);
  EXPECT_EQ(t.position(), 0);
  t.setPosition(3);
  EXPECT_EQ(t.position(), 3);
}

TEST(ProgressBar, ClampsItsPosition) {
  Form form;
  auto& p = form.add<ProgressBar>("ProgressBar1");
  p.setPosition(150);
  EXPECT_EQ(p.position(), 100);
  p.setRange(0, 60);
  EXPECT_EQ(p.position(), 60);
  p.setPosition(-1);
  EXPECT_EQ(p.position(), 0);
}

}  // namespace
}  // namespace varnex::ui
