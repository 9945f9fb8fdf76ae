// Loading readable fixtures (INI and REGEDIT4 text) into the memory stores.
#include <gtest/gtest.h>

#include "settings/formats/format_error.h"
#include "settings/memory/ini_text.h"
#include "settings/memory/memory_machine.h"
#include "settings/profile_store.h"
#include "settings/registry_store.h"

namespace varnex::settings {
namespace {

TEST(IniFixtures, MalformedTextIsRejectedWithFileAndLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"BootKeys=0\n", "MSDOS.SYS: line 1: entry outside any [section]"},
      {"[Options]\nBootKeys=0\n[Options\n", "MSDOS.SYS: line 3: section header without a closing ']'"},
      {"; c\n[Options]\r\nJustAWord\r\n", "MSDOS.SYS: line 3: expected name=value"},
      {"[Options]\n=0\n", "MSDOS.SYS: line 2: entry without a name"},
      {"[ ]\n", "MSDOS.SYS: line 1: empty section name"},
  };
  for (const Case& c : cases) {
    MemoryMachine machine;
    try {
      machine.loadIni(kMsdosSys, c.text, "MSDOS.SYS");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_FALSE(machine.files.readFile(kMsdosSys)) << "nothing half-loaded";
  }
}

TEST(IniFixtures, LoadedTextIsTheFileAndKeepsItsAttributes) {
  MemoryMachine machine;
  machine.loadIni("SYSTEM.INI", "[386Enh]\nPageBuffers=32\n", "system.ini", kAttrArchive);
  machine.loadIni(kMsdosSys, "[Options]\nBootGUI=1\n", "msdos.sys", 7);
  EXPECT_EQ(machine.files.readFile("C:\\WINDOWS\\SYSTEM.INI"), "[386Enh]\nPageBuffers=32\n");
  EXPECT_EQ(machine.files.getFileAttributes(kMsdosSys), 7u);
}

TEST(IniText, EditsKeepEverythingElseInPlace) {
  IniText ini("; boot options\r\n[Options]\r\nBootGUI=1\r\n\r\n[Paths]\r\nWinDir=C:\\WINDOWS\r\n");
  ini.set("options", "Logo", "0");
  ini.set("OPTIONS", "bootgui", "0");
  ini.set("New", "A", "1");
  ini.remove("Paths", "windir");
  EXPECT_EQ(ini.text(),
            "; boot options\r\n[Options]\r\nBootGUI=0\r\nLogo=0\r\n\r\n[Paths]\r\n\r\n[New]\r\nA=1\r\n");
}

TEST(IniText, ReadsTheFirstMatchingSectionOnly) {
  const std::string text =
      "[Boot]\r\n  Shell = \"explorer.exe\"  \r\nQuoted='x\"\r\n; Hidden=1\r\nBare\r\n"
      "[boot]\r\nShell=second\r\nLater=2\r\n[Empty]\r\n";
  struct Case {
    const char* section;
    const char* entry;
    std::optional<std::string> value;
  } cases[] = {
      {"BOOT", "shell", "explorer.exe"},  // blanks and one pair of quotes go, names ignore case
      {"Boot", "Quoted", "'x\""},          // quotes that do not match stay
      {"Boot", "Later", std::nullopt},    // only in the second [boot]
      {"Boot", "Hidden", std::nullopt},   // a comment is no entry
      {"Boot", "Bare", ""},               // a line without '=' is an entry without a value
      {"Missing", "Shell", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(IniText::valueIn(text, c.section, c.entry), c.value) << c.entry;
  EXPECT_EQ(IniText::entryNamesIn(text, "boot"), (std::vector<std::string>{"Shell", "Quoted", "Bare"}));
  EXPECT_EQ(IniText::entryNamesIn(text, "Empty"), std::vector<std::string>{});
  EXPECT_EQ(IniText::entryNamesIn(text, "Missing"), std::nullopt);
}

TEST(RegistryFixtures, OperationsApplyInFileOrder) {
  MemoryMachine machine;
  machine.loadRegedit4(
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Old\\Deep]\r\n\"X\"=\"1\"\r\n"
      "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
      "\"MenuShowDelay\"=\"400\"\r\n@=\"unnamed\"\r\n\"Gone\"=\"x\"\r\n\"Gone\"=-\r\n"
      "\"Mask\"=hex:90,12,01,80\r\n\"Count\"=dword:0000001f\r\n",
      "sample.reg");
  RegistryStore r(machine.registry);
  r.setRoot(kHkeyLocalMachine);
  EXPECT_FALSE(r.keyExists("Software\\Old"));
  r.setRoot(kHkeyCurrentUser);
  ASSERT_TRUE(r.openKey("Control Panel\\Desktop", false));
  EXPECT_EQ(r.readText("MenuShowDelay"), "400");
  EXPECT_EQ(r.readText(""), "unnamed");
  EXPECT_FALSE(r.valueExists("Gone"));
  std::uint32_t cell = 0;
  r.readBinary("Mask", cell);
  EXPECT_EQ(cell, 0x80011290u);
  EXPECT_EQ(r.readInteger("Count"), 31u);
}

TEST(RegistryFixtures, MalformedTextNamesTheLine) {
  MemoryMachine machine;
  try {
    machine.loadRegedit4("REGEDIT4\n\n\"Orphan\"=\"x\"\n", "bad.reg");
    FAIL() << "accepted a value outside any key";
  } catch (const formats::FormatError& e) {
    EXPECT_NE(std::string(e.what()).find("bad.reg: line 3"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace varnex::settings
