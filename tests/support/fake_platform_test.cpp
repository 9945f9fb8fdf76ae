#include "tests/support/fake_platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace varnex::testing {
namespace {

using ::testing::ElementsAre;

const std::string kConfig = "C:\\VARNEX\\Config.DAT";
// Records 1, 2, 0, 4, 5 as the file holds them.
const std::string kTwentyBytes("\1\0\0\0\2\0\0\0\0\0\0\0\4\0\0\0\5\0\0\0", 20);

struct ReadCase {
  const char* what;
  std::function<void(settings::MemoryFiles&)> arrange;
  std::string path;
  int expected;
};

TEST(FakePlatformRecords, ReadGivesTheFileErrorNumbers) {
  const ReadCase cases[] = {
      {"missing file", [](settings::MemoryFiles&) {}, kConfig, 2},
      {"missing folder", [](settings::MemoryFiles&) {}, "C:\\NOWHERE\\Config.DAT", 3},
      {"read-only file",
       [](settings::MemoryFiles& f) { f.putFile(kConfig, kTwentyBytes, settings::kAttrReadOnly); }, kConfig, 5},
      {"a folder of that name", [](settings::MemoryFiles& f) { f.putFolder(kConfig); }, kConfig, 5},
      {"19 bytes", [](settings::MemoryFiles& f) { f.putFile(kConfig, kTwentyBytes.substr(0, 19)); }, kConfig, 100},
      {"20 bytes", [](settings::MemoryFiles& f) { f.putFile(kConfig, kTwentyBytes); }, kConfig, 0},
      {"24 bytes", [](settings::MemoryFiles& f) { f.putFile(kConfig, kTwentyBytes + "\x7F\x7F\x7F\x7F"); },
       kConfig, 0},
  };
  for (const ReadCase& c : cases) {
    settings::MemoryFiles files;
    c.arrange(files);
    FakePlatform platform(files);
    app::Records records{9, 9, 9, 9, 9};
    EXPECT_EQ(platform.readRecords(c.path, records), c.expected) << c.what;
    const app::Records expected = c.expected == 0 ? app::Records{1, 2, 0, 4, 5} : app::Records{9, 9, 9, 9, 9};
    EXPECT_EQ(records, expected) << c.what << ": records are filled only on success";
  }
}

TEST(FakePlatformRecords, RecordsAreLittleEndian) {
  settings::MemoryFiles files;
  FakePlatform platform(files);
  ASSERT_EQ(platform.writeRecords(kConfig, {0x04030201, 0, 1, 0xFFFFFFFF, 0x80}), 0);
  EXPECT_EQ(files.readFile(kConfig),
            std::string("\1\2\3\4\0\0\0\0\1\0\0\0\xFF\xFF\xFF\xFF\x80\0\0\0", 20));
}

TEST(FakePlatformRecords, WriteCutsTheFileToTwentyBytes) {
  settings::MemoryFiles files;
  files.putFile(kConfig, kTwentyBytes + "tail");
  FakePlatform platform(files);
  ASSERT_EQ(platform.writeRecords(kConfig, {1, 2, 0, 4, 5}), 0);
  EXPECT_EQ(files.readFile(kConfig), kTwentyBytes);
}

TEST(FakePlatformRecords, FailingWritesLeaveTheFileAsItWas) {
  settings::MemoryFiles files;
  files.putFile(kConfig, kTwentyBytes + "tail");
  files.putFile("C:\\VARNEX\\Locked.DAT", kTwentyBytes, settings::kAttrReadOnly);
  FakePlatform platform(files);

  platform.failNextWrite(101);
  EXPECT_EQ(platform.writeRecords(kConfig, {7, 7, 7, 7, 7}), 101);
  EXPECT_EQ(files.readFile(kConfig), kTwentyBytes + "tail");
  EXPECT_EQ(platform.writeRecords("C:\\VARNEX\\Locked.DAT", {7, 7, 7, 7, 7}), 5);
  EXPECT_EQ(files.readFile("C:\\VARNEX\\Locked.DAT"), kTwentyBytes);
  EXPECT_EQ(platform.writeRecords("C:\\NOWHERE\\Config.DAT", {7, 7, 7, 7, 7}), 3);
  EXPECT_FALSE(files.isFolder("C:\\NOWHERE"));

  // The switch holds for one write only; a missing file in an existing folder is made.
  EXPECT_EQ(platform.writeRecords(kConfig, {1, 2, 0, 4, 5}), 0);
  EXPECT_EQ(files.readFile(kConfig), kTwentyBytes);
  EXPECT_EQ(platform.writeRecords("C:\\VARNEX\\New.DAT", {1, 2, 0, 4, 5}), 0);
  EXPECT_EQ(files.readFile("C:\\VARNEX\\New.DAT"), kTwentyBytes);
}

TEST(FakePlatformRecords, FailNextReadHoldsForOneRead) {
  settings::MemoryFiles files;
  files.putFile(kConfig, kTwentyBytes);
  FakePlatform platform(files);
  platform.failNextRead(32);
  app::Records records{};
  EXPECT_EQ(platform.readRecords(kConfig, records), 32);
  EXPECT_EQ(platform.readRecords(kConfig, records), 0);
}

TEST(FakePlatformAnswers, QueuedAnswersThenTheDefaultMarkedUnscripted) {
  settings::MemoryFiles files;
  FakePlatform platform(files);
  platform.answers.push(app::kIdNo);
  platform.answers.push(app::kIdYes);
  platform.defaultAnswer = app::kIdCancel;

  EXPECT_EQ(platform.messageBox("First?", "Confirm", app::kMbYesNo | app::kMbIconQuestion), app::kIdNo);
  EXPECT_EQ(platform.messageBox("Second?", "Confirm", app::kMbYesNoCancel), app::kIdYes);
  EXPECT_EQ(platform.messageBox("Third?", "Confirm", app::kMbYesNoCancel), app::kIdCancel);
  EXPECT_THAT(platform.calls(), ElementsAre("messageBox(First?, Confirm, 0x24)",
                                            "messageBox(Second?, Confirm, 0x3)",
                                            "messageBox(Third?, Confirm, 0x3) [unscripted]"));
  EXPECT_EQ(platform.count("messageBox"), 3u);
}

TEST(FakePlatformAnswers, DialogsAnswerFromTheirQueuesAndCancelWhenEmpty) {
  settings::MemoryFiles files;
  FakePlatform platform(files);
  platform.folders.push("C:\\SETUP");
  platform.folders.push(std::nullopt);
  EXPECT_EQ(platform.browseForFolder("Select Directory"), "C:\\SETUP");
  EXPECT_EQ(platform.browseForFolder("Select Directory"), std::nullopt);
  EXPECT_EQ(platform.browseForFolder("Select Directory"), std::nullopt);
  EXPECT_EQ(platform.openPicture("C:\\a.bmp"), std::nullopt);
  EXPECT_THAT(platform.calls(), ElementsAre("browseForFolder(Select Directory)",
                                            "browseForFolder(Select Directory)",
                                            "browseForFolder(Select Directory) [unscripted]",
                                            "openPicture(C:\\a.bmp) [unscripted]"));
}

TEST(FakePlatformAnswers, WhileBoxOpenRunsInsideTheBoxAfterItIsRecorded) {
  settings::MemoryFiles files;
  FakePlatform platform(files);
  platform.whileBoxOpen = [&](const std::string&) { platform.killTimer(1); };
  platform.messageBox("Exit?", "Confirm", app::kMbYesNo);
  EXPECT_THAT(platform.calls(), ElementsAre("messageBox(Exit?, Confirm, 0x4) [unscripted]", "killTimer(1)"));
}

TEST(FakePlatformCalls, CountMatchesWholeNamesOnly) {
  settings::MemoryFiles files;
  FakePlatform platform(files);
  platform.setTimer(1, 1000);
  platform.setTimer(1, 2000);
  platform.killTimer(2);
  platform.showTrayIcon("Varnex");
  EXPECT_EQ(platform.count("setTimer"), 2u);
  EXPECT_EQ(platform.count("set"), 0u);
  EXPECT_THAT(platform.calls("setTimer"), ElementsAre("setTimer(1, 1000)", "setTimer(1, 2000)"));
  EXPECT_EQ(platform.timers(), (std::map<int, std::uint32_t>{{1, 2000}}));
}

TEST(FakePlatformWindows, FindsAddedWindowsByClassAndTitle) {
  settings::MemoryFiles files;
  FakePlatform platform(files);
  EXPECT_EQ(platform.findWindow("TForm1", "Varnex 2000"), 0u);
  platform.addWindow("TForm1", "Other", true);
  const app::WindowHandle running = platform.addWindow("TForm1", "Varnex 2000", false);
  EXPECT_EQ(platform.findWindow("TForm1", "Varnex 2000"), running);
  EXPECT_FALSE(platform.isWindowVisible(running));
  platform.setWindowVisible(running, true);
  EXPECT_TRUE(platform.isWindowVisible(running));
  EXPECT_TRUE(platform.postMessage(running, app::kWmUser, 0, 0));
  EXPECT_FALSE(platform.postMessage(1, app::kWmUser, 0, 0));
  EXPECT_EQ(platform.calls("postMessage").front(), "postMessage(" + std::to_string(running) + ", 0x400, 0, 0)");
}

TEST(FakePlatformRecords, AppendLineAddsCrLfLinesAndIsRefusedWhereAWriteWouldBe) {
  settings::MemoryFiles files;
  files.putFolder("C:\\VARNEX");
  FakePlatform platform(files);
  EXPECT_TRUE(platform.appendLine("C:\\VARNEX\\Apply.log", "one"));
  EXPECT_TRUE(platform.appendLine("C:\\VARNEX\\Apply.log", "two"));
  EXPECT_EQ(files.readFile("C:\\VARNEX\\Apply.log"), "one\r\ntwo\r\n");
  EXPECT_FALSE(platform.appendLine("C:\\MISSING\\Apply.log", "lost"));
  files.putFile("C:\\VARNEX\\Locked.log", "", settings::kAttrReadOnly);
  EXPECT_FALSE(platform.appendLine("C:\\VARNEX\\Locked.log", "lost"));
  EXPECT_EQ(platform.count("appendLine"), 4u);
}

}  // namespace
}  // namespace varnex::testing
