#include "app/unattended_platform.h"

#include <gtest/gtest.h>

#include "settings/memory/memory_files.h"
#include "tests/support/fake_platform.h"

namespace varnex::app {
namespace {

struct Quiet {
  settings::MemoryFiles files;
  varnex::testing::FakePlatform inner{files};
  UnattendedPlatform quiet{inner};
};

TEST(UnattendedPlatform, BoxesAreNotedAndAnsweredAsAClosedBoxIs) {
  const std::pair<std::uint32_t, int> cases[] = {
      {kMbOk | kMbIconError, kIdOk},
      {kMbYesNo | kMbIconQuestion, kIdNo},
      {kMbYesNoCancel | kMbIconQuestion, kIdCancel},
      {0x1, kIdCancel},  // OK, Cancel
      {0x5, kIdCancel},  // Retry, Cancel
      {0x2, 3},          // Abort, Retry, Ignore: Abort
  };
  Quiet t;
  std::vector<std::string> texts;
  for (const auto& [flags, answer] : cases) {
    texts.push_back("box " + std::to_string(flags));
    EXPECT_EQ(t.quiet.messageBox(texts.back(), "Varnex 2000", flags), answer) << flags;
  }
  EXPECT_EQ(t.quiet.reports(), texts);
  EXPECT_EQ(t.inner.count("messageBox"), 0u);
}

TEST(UnattendedPlatform, NothingThatShowsOrAsksReachesThePlatform) {
  Quiet t;
  EXPECT_EQ(t.quiet.browseForFolder("Select Directory"), std::nullopt);
  EXPECT_EQ(t.quiet.openPicture("C:\\a.bmp"), std::nullopt);
  EXPECT_EQ(t.quiet.saveFileName({"Save Settings", "Varnex 2000 Profile (*.ini)", "*.ini", "ini"}), std::nullopt);
  EXPECT_EQ(t.quiet.openFileName({"Load Settings", "Varnex 2000 Profile (*.ini)", "*.ini", "ini"}), std::nullopt);
  t.quiet.shellExecute("open", "http://www.example.com/", "", "");
  EXPECT_FALSE(t.quiet.exitWindows(kEwxReboot));
  EXPECT_FALSE(t.quiet.setSystemPowerState(true, false));
  EXPECT_FALSE(t.quiet.postMessage(4096, kWmUser, 0, 0));
  t.quiet.showTrayIcon("Varnex");
  t.quiet.showMainWindow(true);
  EXPECT_EQ(t.quiet.popupMenu({"Restore", "Exit"}), -1);
  t.quiet.setTimer(1, 5000);
  EXPECT_EQ(t.inner.calls(), std::vector<std::string>{});
  EXPECT_EQ(t.quiet.reports().size(), 7u) << "each refused request is noted for the log";

  // What reads and writes files and asks the system goes through.
  t.files.putFolder("C:\\VARNEX");
  EXPECT_TRUE(t.quiet.appendLine("C:\\VARNEX\\Apply.log", "line"));
  EXPECT_EQ(t.quiet.writeFile("C:\\VARNEX\\room.ini", "text"), 0);
  std::string read;
  EXPECT_EQ(t.quiet.readFile("C:\\VARNEX\\room.ini", read, 100), 0);
  EXPECT_EQ(read, "text");
  EXPECT_EQ(t.quiet.localTime().year, 2000);
  EXPECT_EQ(t.inner.count("appendLine") + t.inner.count("writeFile") + t.inner.count("readFile") +
                t.inner.count("localTime"),
            4u);
}

}  // namespace
}  // namespace varnex::app
