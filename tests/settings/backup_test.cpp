// The journal in front of the stores and the backup it leaves: undoing a pass from the backup's
// files gives back the stores as they were; a pass that changes nothing leaves no backup.
#include <gtest/gtest.h>

#include <string>

#include "tests/settings/backup_fixture.h"
#include "tests/support/machine_dump.h"

namespace varnex::settings {
namespace {

TEST_F(BackupFixture, UndoingAPassFromItsBackupGivesBackTheStoresAsTheyWere) {
  const std::string registryBefore = testing::dumpRegistry(machine.registry);
  const std::string filesBefore = testing::dumpFiles(machine.files);

  changeMany();
  copies = backups.journal().changes().copies();
  const BackupResult result = backups.end();

  ASSERT_TRUE(result.saved);
  EXPECT_EQ(result.folder, kProgram + "\\Backup\\2026-12-10 13-05-42");
  EXPECT_EQ(backupFile(result, kRestoreFile).substr(0, 10), "REGEDIT4\r\n");
  EXPECT_EQ(backupFile(result, "MSDOS.SYS"), kMsdos);
  EXPECT_EQ(backupFile(result, "SYSTEM.INI"), kSystemIniText);
  EXPECT_NE(testing::dumpRegistry(machine.registry), registryBefore);

  undo(result);
  EXPECT_EQ(testing::dumpRegistry(machine.registry), registryBefore) << backupFile(result, kRestoreFile);
  // The backup's own folder is the one new thing in the file tree.
  EXPECT_EQ(testing::dumpFiles(machine.files, kProgram + "\\Backup"), filesBefore);

  const std::string changes = backupFile(result, kChangesFile);
  for (const char* line : {
           "HKCU\\Control Panel\\Desktop MenuShowDelay: \"400\" -> \"100\"\r\n",
           "HKCU\\Control Panel\\Desktop Mask: hex:90,12,01,80 -> dword:00000005 (5)\r\n",
           "HKCU\\Control Panel\\Desktop CamelCase: \"x\" -> (none)\r\n",
           "HKCU\\Control Panel\\Desktop New: (none) -> \"added\"\r\n",
           "HKCR\\Directory\\shell\\DOS: key deleted (3 values, 2 subkeys)\r\n",
           "HKLM\\Software: key created\r\n",
           "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP Retry: \"3\" -> \"5\"\r\n",
           "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP DefaultTTL: \"64\" -> \"32\"\r\n",
           "C:\\MSDOS.SYS [Options] BootKeys: \"1\" -> \"0\"\r\n",
           "C:\\MSDOS.SYS [Options] Logo: \"0\" -> (none)\r\n",
           "SYSTEM.INI [vcache] MaxFileCache: (none) -> \"0\"\r\n",
       })
    EXPECT_NE(changes.find(line), std::string::npos) << "missing: " << line << "in:\n" << changes;
  for (const char* unchanged : {"Desktop (default):", "NeverThere", "CHUNKSIZE", "Count: dword:0000001f (31) -> dword"})
    EXPECT_EQ(changes.find(unchanged), std::string::npos) << unchanged << " is no change:\n" << changes;
}

TEST_F(BackupFixture, APassThatChangesNothingLeavesNoBackup) {
  backups.begin(kProgram);
  RegistryStore desktop = key(kHkeyCurrentUser, "Control Panel\\Desktop");
  desktop.writeText("MenuShowDelay", "400");
  desktop.writeInteger("Count", 0x1f);
  desktop.deleteValue("Missing");
  EXPECT_FALSE(desktop.deleteKey("NoSuchKey"));
  stores.profile(kMsdosSys).writeText("Options", "BootKeys", "1");
  stores.profile(kMsdosSys).deleteEntry("Options", "Missing");
  stores.files().removeFolder("C:\\NoSuchFolder");
  const BackupResult result = backups.end();
  EXPECT_FALSE(result.saved);
  EXPECT_EQ(result.folder, "");
  EXPECT_FALSE(machine.files.isFolder(kProgram + "\\Backup"));
}

// A journal spans the outermost pass only; changes outside any pass are not recorded.
TEST_F(BackupFixture, NestedPassesLeaveOneBackupAndNothingIsRecordedOutsideAPass) {
  key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", "1");
  backups.begin(kProgram);
  key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", "2");
  backups.begin(kProgram);
  key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", "3");
  EXPECT_EQ(backups.end().folder, "") << "an inner pass ends nothing";
  EXPECT_FALSE(machine.files.readFile(backups.journal().folder() + "\\" + kChangesFile));
  const BackupResult result = backups.end();
  ASSERT_TRUE(result.saved);
  EXPECT_NE(backupFile(result, kChangesFile).find("MenuShowDelay: \"1\" -> \"3\""), std::string::npos);
}

TEST_F(BackupFixture, FilesAndFoldersThePassMakesOrRemovesAreListedAndDeletedFilesKept) {
  machine.files.putFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", "old shortcut");
  machine.files.putFolder("C:\\WINDOWS\\Start Menu\\Empty");
  backups.begin(kProgram);
  FileStore files = stores.files();
  files.deleteFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk");
  files.makeFolders("C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000");
  files.CreateShellLink("C:\\VARNEX\\Varnex.exe", "C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000\\Varnex 2000.lnk",
                        "C:\\VARNEX");
  files.removeFolder("C:\\WINDOWS\\Start Menu\\Empty");
  machine.files.deleteFile(machine.profiles.resolve(kSystemIni));
  stores.profile(kSystemIni).writeText("vcache", "CHUNKSIZE", "512");  // a profile file the pass makes
  const BackupResult result = backups.end();
  ASSERT_TRUE(result.saved);
  EXPECT_FALSE(machine.files.readFile(result.folder + "\\" + kRestoreFile)) << "no registry change, no .reg";
  EXPECT_EQ(backupFile(result, "Files\\1 Varnex 2000.lnk"), "old shortcut");
  const std::string changes = backupFile(result, kChangesFile);
  for (const char* line : {
           "C:\\WINDOWS\\Desktop\\Varnex 2000.lnk: file deleted (the old file is Files\\1 Varnex 2000.lnk)\r\n",
           "C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000: folder created\r\n",
           "C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000\\Varnex 2000.lnk: file created\r\n",
           "C:\\WINDOWS\\Start Menu\\Empty: folder removed\r\n",
           "Delete C:\\WINDOWS\\SYSTEM.INI, which did not exist before.\r\n",
       })
    EXPECT_NE(changes.find(line), std::string::npos) << "missing: " << line << "in:\n" << changes;
}

TEST_F(BackupFixture, AtMostFiftyBackupsAreKeptTheOldestGoFirst) {
  machine.files.putFolder(kProgram + "\\Backup\\Mine");  // not a backup: never removed
  std::vector<std::string> folders;
  for (int i = 0; i < 52; ++i) {
    platform.time = LocalTime{2026, 12, 10, 13, i / 60, i % 60};
    if (i == 51) platform.time = LocalTime{2026, 12, 10, 13, 0, 50};  // the same second as another
    backups.begin(kProgram);
    key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", std::to_string(i));
    const BackupResult result = backups.end();
    ASSERT_TRUE(result.saved) << i;
    folders.push_back(result.folder);
  }
  EXPECT_EQ(folders[51], kProgram + "\\Backup\\2026-12-10 13-00-50 (2)");
  std::vector<std::string> left;
  for (const FolderEntry& entry : platform.listFolder(kProgram + "\\Backup")) left.push_back(entry.name);
  EXPECT_EQ(left.size(), 51u);  // fifty backups and Mine
  EXPECT_FALSE(machine.files.isFolder(folders[0]));
  EXPECT_FALSE(machine.files.isFolder(folders[1]));
  EXPECT_FALSE(machine.files.readFile(folders[0] + "\\" + kChangesFile));
  EXPECT_TRUE(machine.files.isFolder(folders[2]));
  EXPECT_TRUE(machine.files.isFolder(folders[51]));
  EXPECT_TRUE(machine.files.isFolder(kProgram + "\\Backup\\Mine"));
}

// Many backups within one second are numbered " (2)", " (3)"...: "(10)" is newer than "(2)",
// although it sorts before it as text.
TEST_F(BackupFixture, BackupsOfOneSecondGoOldestFirstByTheirNumber) {
  std::vector<std::string> folders;
  for (std::size_t i = 0; i < kBackupsKept + 2; ++i) {
    backups.begin(kProgram);
    key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", std::to_string(i));
    const BackupResult result = backups.end();
    ASSERT_TRUE(result.saved) << i;
    folders.push_back(result.folder);
  }
  EXPECT_EQ(folders[9], kProgram + "\\Backup\\2026-12-10 13-05-42 (10)");
  for (std::size_t i = 0; i < folders.size(); ++i)
    EXPECT_EQ(machine.files.isFolder(folders[i]), i >= 2) << folders[i];
}

// Without its backup no change is made: the pass is stopped at its first change, and its error
// names the folder.
TEST_F(BackupFixture, ABackupThatCannotBeMadeRefusesTheFirstChangeAndNamesItsFolder) {
  machine.files.putFile(kProgram + "\\Backup", "a file in the way");
  const std::string registryBefore = testing::dumpRegistry(machine.registry);
  backups.begin(kProgram);
  try {
    key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", "0");
    ADD_FAILURE() << "the change was made without its backup";
  } catch (const BackupError& e) {
    EXPECT_EQ(std::string(e.what()), "Nothing was changed: the backup of the changes could not be made in " + kProgram +
                                         "\\Backup\\2026-12-10 13-05-42.");
  }
  EXPECT_THROW(stores.profile(kMsdosSys).writeText("Options", "BootKeys", "0"), BackupError) << "nor any later one";
  const BackupResult result = backups.end();
  EXPECT_FALSE(result.saved);
  EXPECT_TRUE(result.stoppedThePass);
  EXPECT_EQ(result.folder, kProgram + "\\Backup\\2026-12-10 13-05-42");
  EXPECT_EQ(testing::dumpRegistry(machine.registry), registryBefore);
  EXPECT_EQ(machine.files.readFile(kMsdosSys), kMsdos);
}

}  // namespace
}  // namespace varnex::settings
