// The profile store's rules, run against every backend.
#include "settings/file_store.h"
#include "settings/profile_store.h"
#include "tests/settings/contract/contract_fixture.h"

namespace varnex::settings::contract {
namespace {

class ProfileContract : public StoreContract {
 protected:
  std::string file = dir + "\\TEST.INI";
  ProfileStore store() { return ProfileStore(apis.profiles, file); }
  void put(const std::string& text) { ASSERT_TRUE(backend->putFile(file, text)); }
};

TEST_F(ProfileContract, ReadsPresentEmptyAndAbsentEntries) {
  put("[Options]\r\nBootKeys=0\r\nEmpty=\r\nSpaced =  padded  \r\n[Other]\r\nLogo=1\r\n");
  struct Case {
    const char* section;
    const char* entry;
    const char* expected;
  };
  const Case cases[] = {
      {"Options", "BootKeys", "0"},
      {"OPTIONS", "bootkeys", "0"},  // names ignore case
      {"Options", "Empty", ""},      // present but empty is not the default
      {"Options", "Spaced", "padded"},
      {"Options", "Logo", "D"},      // in another section
      {"Options", "Missing", "D"},
      {"Missing", "BootKeys", "D"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(store().readText(c.section, c.entry, "D"), c.expected) << c.section << "/" << c.entry;
  EXPECT_EQ(ProfileStore(apis.profiles, dir + "\\NONE.INI").readText("Options", "BootKeys", "D"), "D");
}

TEST_F(ProfileContract, ReadsAreCutAt2047Characters) {
  put("[S]\r\nLong=" + std::string(3000, 'x') + "\r\n");
  EXPECT_EQ(store().readText("S", "Long", ""), std::string(2047, 'x'));
}

TEST_F(ProfileContract, EntryExistsAndEntryNamesFollowTheSection) {
  put("[Options]\r\nBootMenu=1\r\nbootmulti=\r\n[Next]\r\nLogo=0\r\n");
  ProfileStore s = store();
  EXPECT_TRUE(s.entryExists("Options", "BOOTMENU"));
  EXPECT_TRUE(s.entryExists("options", "BootMulti"));
  EXPECT_FALSE(s.entryExists("Options", "Logo"));
  EXPECT_FALSE(s.entryExists("Missing", "BootMenu"));
  EXPECT_EQ(s.entryNames("Options"), (std::vector<std::string>{"BootMenu", "bootmulti"}));
}

TEST_F(ProfileContract, WritesReplaceOrAddEntriesAndSections) {
  put("[Options]\r\nBootKeys=1\r\nLogo=1\r\n");
  ProfileStore s = store();
  s.writeText("options", "bootkeys", "0");
  s.writeText("Options", "AutoScan", "1");
  s.writeText("vcache", "MinFileCache", "4096");
  EXPECT_EQ(s.readText("Options", "BootKeys", "D"), "0");
  EXPECT_EQ(s.readText("Options", "Logo", "D"), "1");
  EXPECT_EQ(s.readText("Options", "AutoScan", "D"), "1");
  EXPECT_EQ(s.readText("vcache", "MinFileCache", "D"), "4096");
  EXPECT_EQ(s.entryNames("Options").size(), 3u);
}

TEST_F(ProfileContract, WritingCreatesAMissingFile) {
  ProfileStore s(apis.profiles, dir + "\\NEW.INI");
  s.writeText("Options", "BootKeys", "0");
  EXPECT_EQ(s.readText("Options", "BootKeys", "D"), "0");
  EXPECT_TRUE(backend->readFile(dir + "\\NEW.INI").has_value());
}

TEST_F(ProfileContract, DeleteEntryRemovesOnlyThatEntryAndMissingIsSilent) {
  put("[Options]\r\nBootKeys=0\r\nLogo=1\r\n");
  ProfileStore s = store();
  s.deleteEntry("Options", "bootkeys");
  s.deleteEntry("Options", "Absent");
  s.deleteEntry("Absent", "Logo");
  EXPECT_FALSE(s.entryExists("Options", "BootKeys"));
  EXPECT_EQ(s.readText("Options", "Logo", "D"), "1");
}

TEST_F(ProfileContract, AFileThatCannotBeWrittenFailsWithItsName) {
  const std::string nowhere = dir + "\\Missing Folder\\TEST.INI";
  EXPECT_EQ(errorOf([&] { ProfileStore(apis.profiles, nowhere).writeText("Options", "BootKeys", "0"); }),
            "Unable to write to " + nowhere);
}

// A line break in a name or value would add lines, even a section, to MSDOS.SYS or SYSTEM.INI.
TEST_F(ProfileContract, ALineBreakInANameOrValueIsRefusedAndTheFileStaysAsItWas) {
  const std::string before = "[Options]\r\nBootKeys=1\r\n";
  put(before);
  struct Case {
    const char* section;
    const char* entry;
    const char* value;
  };
  const Case cases[] = {
      {"Options", "BootKeys", "0\r\n[Paths]\r\nWinDir=C:\\EVIL"},
      {"Options", "BootKeys", "0\nLogo=0"},
      {"Options", "Boot\rKeys", "0"},
      {"Options]\r\n[Paths", "WinDir", "C:\\EVIL"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(errorOf([&] { store().writeText(c.section, c.entry, c.value); }), "Unable to write to " + file)
        << c.entry;
    EXPECT_EQ(backend->readFile(file), before) << c.entry;
  }
}

TEST_F(ProfileContract, AReadOnlyFileRefusesWrites) {
  if (!backend->readOnlyIsEnforced()) GTEST_SKIP() << "read-only files are writable here (running as root)";
  put("[Options]\r\nBootKeys=1\r\n");
  FileStore files(apis.files, apis.shell);
  ASSERT_TRUE(files.setAttributes(file, kAttrReadOnly | kAttrHidden | kAttrSystem));
  EXPECT_EQ(errorOf([&] { store().writeText("Options", "BootKeys", "0"); }), "Unable to write to " + file);
  files.setAttributes(file, kAttrArchive);
  EXPECT_EQ(store().readText("Options", "BootKeys", "D"), "1");
}

TEST_F(ProfileContract, ABareFileNameLivesInTheWindowsDirectory) {
  const std::string name = "VARNEXCT.INI";
  ProfileStore s(apis.profiles, name);
  s.writeText("386Enh", "PageBuffers", "32");
  std::string inWindows = apis.files.windowsDirectory() + "\\" + name;
  EXPECT_TRUE(FileStore(apis.files, apis.shell).fileExists(inWindows));
  EXPECT_EQ(ProfileStore(apis.profiles, inWindows).readText("386Enh", "PageBuffers", "D"), "32");
  apis.files.deleteFile(inWindows);
}

}  // namespace
}  // namespace varnex::settings::contract
