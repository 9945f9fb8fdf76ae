// varnex.exe /save and /apply over the sample machine: the exit code, the log line, what is
// written, and that nothing opens a window or a box.
#include "pages/unattended.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "settings/backup/backups.h"
#include "settings/memory/memory_backup_platform.h"
#include "settings/memory/ini_text.h"
#include "settings/memory/memory_machine.h"
#include "settings/profile_store.h"
#include "settings/registry_store.h"
#include "tests/support/fake_platform.h"
#include "tests/support/machine_dump.h"
#include "tests/support/sample_machine.h"

namespace varnex::pages {
namespace {

const std::string kFolder = settings::kSampleProgramFolder;
const std::string kHead = "[Varnex 2000 Profile]\r\nVersion=1\r\n";
// The sample's C:\MSDOS.SYS as setup leaves it.
constexpr std::uint32_t kSystemFile = settings::kAttrReadOnly | settings::kAttrHidden | settings::kAttrSystem;

struct Machine {
  Machine() { settings::loadSampleMachine(machine); }

  settings::MemoryMachine machine;
  varnex::testing::FakePlatform platform{machine.files};
  settings::MemoryBackupPlatform backupFiles{machine.files};
  settings::Backups backups{machine.apis(), backupFiles};

  int run(const std::string& commandLine) {
    return runUnattended(app::parseCommandLine(commandLine), platform, backups.apis(), &backups);
  }
  std::vector<std::string> log() {
    std::vector<std::string> lines;
    const std::string text = machine.files.readFile(kFolder + "\\Apply.log").value_or("");
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(text.substr(at, end - at));
    return lines;
  }
  // The settings: the registry and every file outside the program folder, with attributes.
  std::string settings() {
    return varnex::testing::dumpRegistry(machine.registry) + varnex::testing::dumpFiles(machine.files, kFolder);
  }
  std::size_t backupsMade() { return backupFiles.listFolder(kFolder + "\\Backup").size(); }
  std::string msdos(const std::string& entry) {
    const std::string text = machine.files.readFile(settings::kMsdosSys).value_or("");
    return settings::IniText::valueIn(text, "Options", entry).value_or("<absent>");
  }
  // Nothing the user would see: no box, no dialog, no window, no tray icon.
  void expectNothingShown(const char* what) {
    for (const char* call : {"messageBox", "browseForFolder", "openPicture", "saveFileName", "openFileName",
                             "showMainWindow", "showTrayIcon", "popupMenu", "postMessage", "exitWindows"})
      EXPECT_EQ(platform.count(call), 0u) << what << ": " << call;
  }
};

const std::string kStamp = "2000-01-15 08:30:05  ";

TEST(Unattended, SaveWritesTheProfileOfTheMachineAsItIsAndChangesNothing) {
  Machine m;
  const std::string before = m.settings();
  EXPECT_EQ(m.run("  /SAVE  room.ini "), kExitDone);
  const auto saved = m.machine.files.readFile(kFolder + "\\room.ini");
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find("\r\n[Boot]\r\nDisable Boot Function Keys=off\r\n"), std::string::npos) << *saved;
  EXPECT_NE(saved->find("\r\nChange Windows Owner=off\r\n"), std::string::npos)
      << "the action options as a fresh window shows them";
  EXPECT_EQ(m.log(), std::vector<std::string>{kStamp + "/save \"" + kFolder + "\\room.ini\": OK"});
  EXPECT_EQ(m.settings(), before) << "C:\\MSDOS.SYS keeps its attributes too";
  EXPECT_EQ(m.backupsMade(), 0u);
  m.expectNothingShown("/save");
}

TEST(Unattended, ApplyWritesWhatTheProfileNamesWithABackup) {
  Machine m;
  m.machine.files.putFile("C:\\Profiles\\Room 12.ini",
                          kHead + "[Boot]\r\nDisable Boot Function Keys=on\r\n"
                                  "[System]\r\nChange Windows Owner=on\r\nChange Windows Owner - Name=Room 12\r\n");
  EXPECT_EQ(m.run("/apply \"C:\\Profiles\\Room 12.ini\""), kExitDone);
  EXPECT_EQ(m.log(), std::vector<std::string>{kStamp + "/apply \"C:\\Profiles\\Room 12.ini\": OK"});
  EXPECT_EQ(m.msdos("BootKeys"), "0");
  settings::RegistryStore registry(m.machine.registry);
  registry.setRoot(settings::kHkeyLocalMachine);
  ASSERT_TRUE(registry.openKey("Software\\Microsoft\\Windows\\CurrentVersion", false));
  EXPECT_EQ(registry.readText("RegisteredOwner"), "Room 12");
  EXPECT_EQ(m.backupsMade(), 1u) << "undo can take it back";
  EXPECT_EQ(m.machine.files.getFileAttributes(settings::kMsdosSys), kSystemFile);
  m.expectNothingShown("/apply");

  // One line per run.
  EXPECT_EQ(m.run("/apply \"C:\\Profiles\\Room 12.ini\""), kExitDone);
  EXPECT_EQ(m.log().size(), 2u);
}

TEST(Unattended, WhatStopsARunIsLoggedWithItsExitCode) {
  struct Case {
    const char* what;
    std::function<void(Machine&)> arrange;
    std::string commandLine;
    int code;
    std::string logged;  // the log line after its time stamp
    bool changesNothing = true;
  };
  const std::string profile = kFolder + "\\room.ini";
  const Case cases[] = {
      {"a command line not understood", {}, "/aply room.ini", kExitCommandLine,
       "command line: error 1: \"/aply\" is not understood: use /save PROFILE or /apply PROFILE"},
      {"no profile named", {}, "/apply \"\"", kExitCommandLine,
       "command line: error 1: /apply needs the name of a profile"},
      {"no Config.DAT", [](Machine& m) { m.machine.files.deleteFile(kFolder + "\\Config.DAT"); }, "/apply room.ini",
       kExitConfigDat,
       "/apply \"" + profile + "\": error 2: " + kFolder + "\\Config.DAT: File not found; nothing was changed"},
      {"a short Config.DAT", [](Machine& m) { m.machine.files.putFile(kFolder + "\\Config.DAT", "short"); },
       "/save room.ini", kExitConfigDat,
       "/save \"" + profile + "\": error 2: " + kFolder + "\\Config.DAT: Read beyond end of file; nothing was changed"},
      {"Varnex 2000 running, hidden", [](Machine& m) { m.platform.addWindow("TForm1", "Varnex 2000", false); },
       "/apply room.ini", kExitAlreadyRunning,
       "/apply \"" + profile + "\": error 3: Varnex 2000 is running on this machine; nothing was changed"},
      {"no such profile", {}, "/apply room.ini", kExitBadProfile,
       "/apply \"" + profile + "\": error 4: File not found; nothing was changed"},
      {"a bad profile",
       [&](Machine& m) {
         m.machine.files.putFile(profile, kHead + "[Boot]\r\nDisable Boot Function Keys=on\r\nLogo=on\r\n"
                                                  "[Disk-Cache]\r\nChunk Size=500\r\n");
       },
       "/apply room.ini", kExitBadProfile,
       "/apply \"" + profile + "\": error 4: line 5: \"Logo\" is no option of the page \"Boot\" | line 7: \"Chunk "
       "Size\" takes \"0\", \"32\", ... or \"1024\", not \"500\"; nothing was changed"},
      {"settings that cannot be read",
       [&](Machine& m) {
         m.machine.files.putFile(profile, kHead + "[Boot]\r\nDisable Boot Function Keys=on\r\n");
         m.machine.loadRegedit4("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\FS "
                                "Templates\\Desktop]\n\"NameCache\"=\"big\"\n",
                                "wrong.reg");
       },
       "/apply room.ini", kExitReadFailed,
       "/apply \"" + profile +
           "\": error 5: the settings could not be read: Invalid data type for 'NameCache'; nothing was changed"},
      {"a setting that cannot be written",
       [&](Machine& m) {
         m.machine.files.putFile(profile, kHead + "[Boot]\r\nDisable Boot Function Keys=on\r\n");
         const std::string ini = m.machine.profiles.resolve(settings::kSystemIni);
         m.machine.files.setFileAttributes(ini, settings::kAttrReadOnly);
       },
       "/apply room.ini", kExitWriteFailed,
       "/apply \"" + profile + "\": error 6: writing stopped: Unable to write to SYSTEM.INI", false},
      // No change goes without its old state on disk first: without a backup nothing is written.
      {"a backup that cannot be made",
       [&](Machine& m) {
         m.machine.files.putFile(profile, kHead + "[Boot]\r\nDisable Boot Function Keys=on\r\n");
         m.machine.files.putFile(kFolder + "\\Backup", "a file where the folder goes", settings::kAttrReadOnly);
       },
       "/apply room.ini", kExitWriteFailed,
       "/apply \"" + profile + "\": error 6: writing stopped: Nothing was changed: the backup of the changes could "
           "not be made in " + kFolder + "\\Backup\\2026-12-10 13-05-42."},
      {"a profile that cannot be written",
       [&](Machine& m) { m.machine.files.putFile(profile, "kept", settings::kAttrReadOnly); }, "/save room.ini",
       kExitNotSaved, "/save \"" + profile + "\": error 7: File access denied"},
  };
  for (const Case& c : cases) {
    Machine m;
    if (c.arrange) c.arrange(m);
    const std::string before = m.settings();
    EXPECT_EQ(m.run(c.commandLine), c.code) << c.what;
    EXPECT_EQ(m.log(), std::vector<std::string>{kStamp + c.logged}) << c.what;
    if (c.changesNothing) {
      EXPECT_EQ(m.settings(), before) << c.what;
    }
    m.expectNothingShown(c.what);
  }
}

}  // namespace
}  // namespace varnex::pages
