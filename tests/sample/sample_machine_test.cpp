// The sample machine of sample/ as the native tests see it: it loads, and the stores read back
// what the sample files say (and, where a fresh 98 SE has nothing, nothing).
#include <gtest/gtest.h>

#include <optional>

#include "settings/formats/shell_link.h"
#include "settings/profile_store.h"
#include "settings/registry_store.h"
#include "settings/store_error.h"
#include "tests/support/sample_machine.h"

namespace varnex::settings {
namespace {

class SampleMachine : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_THROW(loadSampleMachine(machine)); }
  MemoryMachine machine;
};

constexpr const char* kNet = "System\\CurrentControlSet\\Services\\Class\\Net\\";
constexpr const char* kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

TEST_F(SampleMachine, RegistryTextValuesReadBackOrAreAbsent) {
  struct Case {
    RegHandle root;
    std::string key, value;
    std::optional<std::string> expected;  // nullopt: absent on purpose
  };
  const Case cases[] = {
      {kHkeyLocalMachine, std::string(kNet) + "0000", "DriverDesc", "Dial-Up Adapter"},
      {kHkeyLocalMachine, std::string(kNet) + "0000", "IPMTU", "576"},
      {kHkeyLocalMachine, std::string(kNet) + "0001", "IPMTU", "1500"},
      {kHkeyLocalMachine, std::string(kNet) + "0002", "DriverDesc", "Dial-Up Adapter #2 (VPN Support)"},
      {kHkeyLocalMachine, std::string(kNet) + "0002", "IPMTU", std::nullopt},
      {kHkeyLocalMachine, kMstcp, "DefaultTTL", "32"},
      {kHkeyLocalMachine, kMstcp, "DefaultRcvWindow", std::nullopt},
      {kHkeyLocalMachine, kMstcp, "PMTUDiscovery", std::nullopt},
      {kHkeyLocalMachine, kMstcp, "SessionKeepAlive", std::nullopt},
      {kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\maxsockets", "max", "255"},
      {kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize", "", std::nullopt},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates", "", "Desktop"},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SourcePath", "D:\\WIN98\\"},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnex 2000", "UninstallString",
       kSampleUninstaller},
      {kHkeyLocalMachine, "System\\CurrentControlSet\\Control\\FileSystem", "ContigFileAllocSize", std::nullopt},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Advanced",
       "StartMenuScrollPrograms", std::nullopt},
      {kHkeyCurrentUser, "Control Panel\\Sound", "Beep", "yes"},
      {kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay", std::nullopt},
      {kHkeyCurrentUser, "Control Panel\\Desktop", "PaintDesktopVersion", std::nullopt},
      {kHkeyCurrentUser, "Control Panel\\Desktop\\WindowMetrics", "MinAnimate", "1"},
      {kHkeyCurrentUser, kPolicies, "NoFind", std::nullopt},
      {kHkeyClassesRoot, "lnkfile", "IsShortcut", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key + " : " + c.value);
    RegistryStore r(machine.registry);
    r.setRoot(c.root);
    ASSERT_TRUE(r.openKey(c.key, false));
    EXPECT_EQ(r.valueExists(c.value), c.expected.has_value());
    if (c.expected) {
      EXPECT_EQ(r.readText(c.value), *c.expected);
    }
  }
}

TEST_F(SampleMachine, BinaryValuesAreLittleEndianCellsAnd98KeepsTheCdCacheAsBinary) {
  struct Case {
    RegHandle root;
    std::string key, value;
    std::uint32_t expected;  // read over a cell of 0xAAAAAAAA
  };
  const Case cases[] = {
      {kHkeyCurrentUser, kPolicies, "NoDriveTypeAutoRun", 0x95},
      {kHkeyClassesRoot, "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder", "Attributes", 0x20000140},
      {kHkeyUsers, ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "link", 11},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates\\Server", "NameCache", 2729},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates\\Mobile", "PathCache", 16},
      // One byte: only the cell's lowest byte changes.
      {kHkeyLocalMachine, "System\\CurrentControlSet\\Control\\Update", "UpdateMode", 0xAAAAAA01},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key + " : " + c.value);
    RegistryStore r(machine.registry);
    r.setRoot(c.root);
    ASSERT_TRUE(r.openKey(c.key, false));
    std::uint32_t cell = 0xAAAAAAAA;
    r.readBinary(c.value, cell);
    EXPECT_EQ(cell, c.expected);
  }

  RegistryStore cdfs(machine.registry);
  cdfs.setRoot(kHkeyLocalMachine);
  ASSERT_TRUE(cdfs.openKey("System\\CurrentControlSet\\Control\\FileSystem\\CDFS", false));
  EXPECT_THROW(cdfs.readInteger("CacheSize"), StoreError) << "the System page falls back to 620";
  EXPECT_THROW(cdfs.readInteger("PreFetch"), StoreError) << "the System page falls back to 228";
}

TEST_F(SampleMachine, ProfileEntriesReadBackOrAreAbsent) {
  struct Case {
    std::string file, section, entry, expected;  // "<absent>": the default comes back
  };
  const Case cases[] = {
      {kMsdosSys, "Options", "BootGUI", "1"},
      {kMsdosSys, "Options", "BootMulti", "1"},
      {kMsdosSys, "Options", "BootKeys", "<absent>"},
      {kMsdosSys, "Options", "BootMenuDelay", "<absent>"},
      {kMsdosSys, "Paths", "WinDir", "C:\\WINDOWS"},
      {kSystemIni, "vcache", "MinFileCache", "2048"},
      {kSystemIni, "vcache", "CHUNKSIZE", "512"},  // written ChunkSize: names ignore case
      {kSystemIni, "386Enh", "PageBuffers", "<absent>"},
      {kSystemIni, "386Enh", "LocalLoadHigh", "<absent>"},
      {kSystemIni, "boot", "shell", "Explorer.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " [" + c.section + "] " + c.entry);
    ProfileStore p(machine.profiles, c.file);
    EXPECT_EQ(p.readText(c.section, c.entry, "<absent>"), c.expected);
  }
}

TEST_F(SampleMachine, FilesAreTheInstalledMachine) {
  MemoryFiles& files = machine.files;
  // The boot files keep their CR LF line ends byte for byte (a checkout that converts them
  // would no longer be what Windows writes).
  for (const auto& [path, name] : {std::pair{kMsdosSys, "MSDOS.SYS"}, std::pair{std::string("C:\\WINDOWS\\SYSTEM.INI"), "SYSTEM.INI"}}) {
    const std::optional<std::string> text = files.readFile(path);
    ASSERT_TRUE(text) << path;
    EXPECT_EQ(*text, readSampleFile(name));
    std::size_t bareLf = 0;
    for (std::size_t i = 0; i < text->size(); ++i)
      if ((*text)[i] == '\n' && (i == 0 || (*text)[i - 1] != '\r')) ++bareLf;
    EXPECT_EQ(bareLf, 0u) << path;
  }
  EXPECT_EQ(files.getFileAttributes(kMsdosSys), kAttrReadOnly | kAttrHidden | kAttrSystem);

  EXPECT_EQ(files.currentDirectory(), kSampleProgramFolder);
  const std::optional<std::string> config = files.readFile(kSampleProgramFolder + "\\Config.DAT");
  ASSERT_TRUE(config);
  ASSERT_EQ(config->size(), 20u);
  EXPECT_EQ(std::string(config->substr(8, 4)), std::string("\x01\x00\x00\x00", 4)) << "record 3";
  EXPECT_TRUE(files.readFile(kSampleProgramFolder + "\\Readme.txt"));

  const std::optional<std::string> link = files.readFile(kSampleUninstallLink);
  ASSERT_TRUE(link);
  const std::vector<std::uint8_t> bytes(link->begin(), link->end());
  const formats::ShellLinkInfo info = formats::readShellLink(bytes, "Uninstall.lnk");
  EXPECT_EQ(info.target, kSampleUninstaller);
  EXPECT_EQ(info.workingDirectory, kSampleProgramFolder);

  for (const char* folder : {"\\Desktop", "\\Start Menu\\Programs",
                             "\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch"})
    EXPECT_TRUE(files.isFolder(files.windowsDirectory() + folder)) << folder;
}

}  // namespace
}  // namespace varnex::settings
