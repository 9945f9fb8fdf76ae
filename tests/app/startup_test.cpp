// Program start: Config.DAT, the first-run copy and the hand-over to a running instance.
#include <gtest/gtest.h>

#include "app/config_dat.h"
#include "app/startup.h"
#include "settings/memory/memory_machine.h"
#include "tests/support/fake_platform.h"

namespace varnex::app {
namespace {

const std::string kConfig = "C:\\VARNEX\\Config.DAT";
const std::string kStartMenuLink = "C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000\\Uninstall.lnk";

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

// Records 1..5 = 0x04030201, 0x08070605, flag, 0x0C0B0A09, 0x100F0E0D.
std::string configWithFlag(int flag, std::size_t extra = 0) {
  return bytes({1, 2, 3, 4, 5, 6, 7, 8, flag, 0, 0, 0, 9, 10, 11, 12, 13, 14, 15, 16}) + std::string(extra, 'x');
}

class Startup : public ::testing::Test {
 protected:
  settings::MemoryMachine machine;
  testing::FakePlatform platform{machine.files};
  std::optional<Records> start() { return startProgram(platform, machine.apis()); }
};

TEST_F(Startup, FailuresEndTheStartWithTheErrorText) {
  struct Case {
    const char* what;
    std::optional<std::string> file;  // Config.DAT, or none
    std::uint32_t attributes;
    const char* text;
    bool folder = false;  // a folder called Config.DAT instead of the file
  };
  const Case cases[] = {
      {"missing", std::nullopt, settings::kAttrArchive, "File not found"},
      {"empty", std::string(), settings::kAttrArchive, "Read beyond end of file"},
      {"a folder of that name", std::nullopt, settings::kAttrArchive, "File access denied", true},
      {"19 bytes", configWithFlag(0).substr(0, 19), settings::kAttrArchive, "Read beyond end of file"},
      {"read-only", configWithFlag(0), settings::kAttrReadOnly, "File access denied"},
  };
  for (const Case& c : cases) {
    settings::MemoryMachine m;
    testing::FakePlatform p{m.files};
    if (c.file) m.files.putFile(kConfig, *c.file, c.attributes);
    if (c.folder) m.files.putFolder(kConfig);
    p.answers.push(kIdOk);
    EXPECT_FALSE(startProgram(p, m.apis())) << c.what;
    EXPECT_EQ(p.calls("messageBox"),
              std::vector<std::string>{"messageBox(" + std::string(c.text) + ", Application Error, 0x10)"})
        << c.what;
    EXPECT_EQ(p.count("findWindow"), 0u) << c.what << ": no window search after a failed read";
  }
  EXPECT_EQ(fileErrorText(3), "Invalid filename");
  EXPECT_EQ(fileErrorText(4), "Too many open files");
  EXPECT_EQ(fileErrorText(101), "Disk full");
  EXPECT_EQ(fileErrorText(32), "I/O error 32");
}

// The system's numbers reach the box unchanged unless another number's text means the same:
// a sharing violation is no denied access, so it shows its own number.
TEST(FileErrors, SystemCodesKeepTheirNumberUnlessATextSaysTheSame) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {2, "File not found"},    {3, "Invalid filename"},  {123, "Invalid filename"}, {4, "Too many open files"},
      {5, "File access denied"}, {32, "I/O error 32"},    {33, "I/O error 33"},      {112, "Disk full"},
      {39, "Disk full"},         {0, "I/O error 31"},     {1392, "I/O error 1392"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(fileErrorText(fileErrorOf(code)), text) << code;
}

TEST_F(Startup, FirstRunCopiesTheShortcutAndResetsOnlyTheFlag) {
  machine.files.putFile(kConfig, configWithFlag(1, 4));
  machine.files.putFile(kStartMenuLink, "LNK");
  std::optional<Records> records = start();
  ASSERT_TRUE(records);
  EXPECT_EQ((*records)[2], 0u);
  EXPECT_EQ(machine.files.readFile("C:\\VARNEX\\Uninstall.lnk"), "LNK");
  EXPECT_EQ(machine.files.readFile(kConfig), configWithFlag(0)) << "24 bytes come back as 20, reserved kept";
}

TEST_F(Startup, FirstRunAtAnySizeFromTwentyBytesRewritesOnlyTheFlag) {
  for (std::size_t extra : {std::size_t{0}, std::size_t{1}, std::size_t{64 * 1024 - 20}}) {
    settings::MemoryMachine m;
    testing::FakePlatform p{m.files};
    m.files.putFile(kConfig, configWithFlag(1, extra));
    std::optional<Records> records = startProgram(p, m.apis());
    ASSERT_TRUE(records) << 20 + extra << " bytes";
    EXPECT_EQ((*records)[kFirstRunRecord], 0u);
    EXPECT_EQ(m.files.readFile(kConfig), configWithFlag(0)) << 20 + extra << " bytes";
  }
}

TEST_F(Startup, LaterRunsNeitherCopyNorWrite) {
  machine.files.putFile(kConfig, configWithFlag(0, 4));
  machine.files.putFile(kStartMenuLink, "LNK");
  ASSERT_TRUE(start());
  EXPECT_FALSE(machine.files.readFile("C:\\VARNEX\\Uninstall.lnk"));
  EXPECT_EQ(platform.count("writeRecords"), 0u);
  EXPECT_EQ(machine.files.readFile(kConfig)->size(), 24u);
}

TEST_F(Startup, AMissingStartMenuShortcutLeavesAnEmptyCopy) {
  machine.files.putFile(kConfig, configWithFlag(1));
  ASSERT_TRUE(start());
  EXPECT_EQ(machine.files.readFile("C:\\VARNEX\\Uninstall.lnk"), "");
}

TEST_F(Startup, ARunningInstanceIsAskedBackOnlyWhenHidden) {
  for (bool visible : {false, true}) {
    settings::MemoryMachine m;
    testing::FakePlatform p{m.files};
    m.files.putFile(kConfig, configWithFlag(1));
    WindowHandle running = p.addWindow("TForm1", "Varnex 2000", visible);
    EXPECT_FALSE(startProgram(p, m.apis()));
    std::vector<std::string> expected;
    if (!visible) expected.push_back("postMessage(" + std::to_string(running) + ", 0x400, 0, 0)");
    EXPECT_EQ(p.calls("postMessage"), expected) << (visible ? "visible" : "hidden");
    EXPECT_EQ(m.files.readFile(kConfig), configWithFlag(1)) << "the hand-over writes nothing";
  }
}

TEST_F(Startup, AFailedRewriteEndsTheStartAndKeepsTheFile) {
  machine.files.putFile(kConfig, configWithFlag(1));
  platform.failNextWrite(101);
  platform.answers.push(kIdOk);
  EXPECT_FALSE(start());
  EXPECT_EQ(platform.calls("messageBox"),
            std::vector<std::string>{"messageBox(Disk full, Application Error, 0x10)"});
  EXPECT_EQ(machine.files.readFile(kConfig), configWithFlag(1));
}

}  // namespace
}  // namespace varnex::app
