// Backups made around the program's write passes, over the sample machine and the whole
// catalogue: undoing "Apply" from its backup gives back the registry and the profile files, a
// failed pass keeps what it changed before the failure, and a backup that cannot be saved is
// shown to the user.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/backup_pass.h"
#include "app/main_window.h"
#include "pages/auto_shutdown_page.h"
#include "pages/catalogue.h"
#include "settings/backup/backups.h"
#include "settings/backup/undo.h"
#include "settings/memory/memory_backup_platform.h"
#include "settings/memory/memory_machine.h"
#include "settings/profile_store.h"
#include "tests/pages/backed_up_machine.h"
#include "tests/support/fake_platform.h"
#include "tests/support/machine_dump.h"
#include "tests/support/sample_machine.h"

namespace varnex::pages {
namespace {

TEST(BackupPass, UndoingApplyFromItsBackupGivesBackTheRegistryAndTheProfileFiles) {
  BackedUpMachine m;
  const std::string registry = varnex::testing::dumpRegistry(m.machine.registry);
  const std::string msdos = m.profileFile(settings::kMsdosSys);
  const std::string systemIni = m.profileFile(settings::kSystemIni);

  m.pressEveryOption();
  m.window.Button5Click();
  ASSERT_EQ(m.platform.count("messageBox"), 0u) << m.platform.calls()[0];
  ASSERT_EQ(m.backupFolders().size(), 1u);
  ASSERT_NE(varnex::testing::dumpRegistry(m.machine.registry), registry) << "the pass changed the registry";
  ASSERT_NE(m.profileFile(settings::kMsdosSys), msdos);
  ASSERT_NE(m.profileFile(settings::kSystemIni), systemIni);

  // Double-click on the .reg file, the two files copied back.
  m.machine.loadRegedit4(m.backupFile(settings::kRestoreFile), settings::kRestoreFile);
  m.machine.files.setFileAttributes(settings::kMsdosSys, settings::kAttrArchive);
  EXPECT_TRUE(m.machine.files.writeFile(settings::kMsdosSys, m.backupFile("MSDOS.SYS")));
  EXPECT_TRUE(m.machine.files.writeFile(m.machine.profiles.resolve(settings::kSystemIni), m.backupFile("SYSTEM.INI")));
  EXPECT_EQ(varnex::testing::dumpRegistry(m.machine.registry), registry) << m.backupFile(settings::kRestoreFile);
  EXPECT_EQ(m.profileFile(settings::kMsdosSys), msdos);
  EXPECT_EQ(m.profileFile(settings::kSystemIni), systemIni);
  EXPECT_NE(m.backupFile(settings::kChangesFile).find("C:\\MSDOS.SYS [Options] BootKeys: "), std::string::npos)
      << m.backupFile(settings::kChangesFile);

  // The pass that follows writes the same settings again: nothing changes, no second backup.
  m.window.Button5Click();
  m.window.Button5Click();
  EXPECT_EQ(m.backupFolders().size(), 2u) << "only the pass after the undo changed something";
}

TEST(BackupPass, AFailedPassKeepsTheBackupOfWhatItChangedBeforeTheFailure) {
  BackedUpMachine m;
  const std::string msdos = m.profileFile(settings::kMsdosSys);
  m.pressEveryOption();
  // The System page's registry rows come after the Boot page's MSDOS.SYS rows.
  m.machine.registry.refuseWrites(settings::kHkeyLocalMachine);
  m.machine.registry.refuseWrites(settings::kHkeyCurrentUser);
  m.machine.registry.refuseWrites(settings::kHkeyClassesRoot);
  m.window.Button5Click();
  ASSERT_EQ(m.platform.count("messageBox"), 1u) << "the pass's own error, nothing about the backup";
  ASSERT_EQ(m.backupFolders().size(), 1u);
  EXPECT_EQ(m.backupFile("MSDOS.SYS"), msdos);
  EXPECT_NE(m.backupFile(settings::kChangesFile).find("C:\\MSDOS.SYS [Options]"), std::string::npos);
}

TEST(BackupPass, WithoutItsBackupThePassChangesNothingAndSaysWhere) {
  BackedUpMachine m;
  m.machine.files.putFile(kBackupRoot, "a file where the Backup folder would be");
  const std::string registry = varnex::testing::dumpRegistry(m.machine.registry);
  const std::string msdos = m.profileFile(settings::kMsdosSys);
  m.pressEveryOption();
  m.platform.answers.push(app::kIdOk);
  m.window.Button5Click();
  EXPECT_EQ(m.platform.calls("messageBox"),
            std::vector<std::string>{"messageBox(Nothing was changed: the backup of the changes could not be made in " +
                                     kBackupRoot + "\\2026-12-10 13-05-42., Varnex 2000, 0x10)"});
  EXPECT_EQ(varnex::testing::dumpRegistry(m.machine.registry), registry);
  EXPECT_EQ(m.profileFile(settings::kMsdosSys), msdos);
}

TEST(BackupPass, ABackupWhoseFilesCannotBeSavedIsShownAfterThePassAndThePassGoesOn) {
  BackedUpMachine m;
  m.backupFiles.refusedName = settings::kChangesFile;
  m.pressEveryOption();
  m.platform.answers.push(app::kIdOk);
  m.window.Button5Click();
  const std::vector<std::string> boxes = m.platform.calls("messageBox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "messageBox(The changes were made, but their backup could not be saved in " + kBackupRoot +
                          "\\2026-12-10 13-05-42. They cannot be undone from a backup., Varnex 2000, 0x30)");
  EXPECT_EQ(m.machine.files.readFile(settings::kMsdosSys)->find("BootKeys=1"), std::string::npos)
      << "the settings were written";
}

// The journal's disk fills up in the middle of the pass: the pass stops at the change whose line
// could not be written, and undoing the backup gives back the machine.
TEST(BackupPass, AJournalThatCannotBeWrittenMidwayStopsThePassThere) {
  BackedUpMachine m;
  const std::string registry = varnex::testing::dumpRegistry(m.machine.registry);
  const std::string files = varnex::testing::dumpFiles(m.machine.files);
  m.pressEveryOption();
  m.backupFiles.appendsLeft = 20;
  m.platform.answers.push(app::kIdOk);
  m.window.Button5Click();
  EXPECT_EQ(m.platform.calls("messageBox"),
            std::vector<std::string>{"messageBox(The changes stopped: their backup in " + kBackupRoot +
                                     "\\2026-12-10 13-05-42 could not be written. What was changed until then can be "
                                     "undone from it., Varnex 2000, 0x10)"});
  ASSERT_NE(varnex::testing::dumpRegistry(m.machine.registry), registry) << "the pass changed something before";
  ASSERT_EQ(m.backupFolders().size(), 1u);

  m.backupFiles.appendsLeft = -1;
  m.backups.begin(settings::kSampleProgramFolder);
  const settings::UndoResult undone = settings::undoBackups(m.backups, settings::kSampleProgramFolder, m.backupFolders()[0]);
  m.backups.end();
  EXPECT_EQ(undone.error, std::nullopt);
  EXPECT_EQ(varnex::testing::dumpRegistry(m.machine.registry), registry);
  EXPECT_EQ(varnex::testing::dumpFiles(m.machine.files, kBackupRoot), files);
}

// Taking an entry off the Add/Remove list is a pass of its own: without its backup the entry
// stays, and the user is told why.
TEST(BackupPass, AnAddRemoveEntryIsNotTakenOffWithoutItsBackup) {
  BackedUpMachine m;
  m.machine.files.putFile(kBackupRoot, "a file where the Backup folder would be");
  const std::string registry = varnex::testing::dumpRegistry(m.machine.registry);
  m.window.form().get<ui::PageControl>("PageControl1").setActivePage(m.window.form().get<ui::TabSheet>("TabSheet10"));
  m.window.form().get<ui::ListBox>("ListBox2").choose(0);
  m.platform.answers.push(app::kIdYes);
  m.platform.answers.push(app::kIdOk);
  m.window.form().get<ui::Button>("Button3").click();
  const std::vector<std::string> boxes = m.platform.calls("messageBox");
  ASSERT_EQ(boxes.size(), 2u) << "the question, then why nothing was taken off";
  EXPECT_NE(boxes[1].find("Nothing was changed: the backup of the changes could not be made in"), std::string::npos)
      << boxes[1];
  EXPECT_EQ(varnex::testing::dumpRegistry(m.machine.registry), registry);
}

// AutoShutdown writes the settings when nobody may be at the machine: whatever goes wrong with
// the backup goes to Varnex.log in the program folder, no box waits for an answer, and the
// shutdown or suspend comes.
TEST(BackupPass, AutoShutdownWritesWhatWentWrongWithTheBackupToTheLogAndShutsDown) {
  struct Case {
    const char* what;
    bool blockFolder;          // the backup cannot even be made
    const char* refusedFile;   // or one of its files at the end cannot be written
    bool suspend;
    const char* logged;        // the log line after its date and time
    bool settingsWritten;
  };
  const Case cases[] = {
      {"no backup folder, shutdown", true, "", false,
       "Nothing was changed: the backup of the changes could not be made in ", false},
      {"no backup folder, suspend", true, "", true,
       "Nothing was changed: the backup of the changes could not be made in ", false},
      {"Changes.txt not written, shutdown", false, "Changes.txt", false,
       "The changes were made, but their backup could not be saved in ", true},
  };
  for (const Case& c : cases) {
    BackedUpMachine m;
    if (c.blockFolder) m.machine.files.putFile(kBackupRoot, "a file where the Backup folder would be");
    m.backupFiles.refusedName = c.refusedFile;
    m.pressEveryOption();
    auto& page = m.window.form().get<ui::TabSheet>("TabSheet7");
    m.window.form().get<ui::PageControl>("PageControl1").setActivePage(page);
    m.window.form().get<ui::CheckBox>("CheckBox48").click();
    m.window.form().get<ui::SpinEdit>("SpinEdit5").type("5");
    if (c.suspend) m.window.form().get<ui::RadioButton>("RadioButton20").click();
    m.window.form().get<ui::Button>("RxSpeedButton5").click();
    m.platform.clearCalls();
    m.window.timerFired(kTimer1);

    EXPECT_EQ(m.platform.count("messageBox"), 0u) << c.what << ": " << ::testing::PrintToString(m.platform.calls());
    EXPECT_EQ(m.platform.calls(c.suspend ? "setSystemPowerState" : "exitWindows").size(), 1u) << c.what;
    const std::vector<std::string> logged = m.platform.calls("appendLine");
    ASSERT_EQ(logged.size(), 1u) << c.what;
    const std::string start = "appendLine(" + settings::kSampleProgramFolder + "\\Varnex.log, 2026-12-10 13:05:42 ";
    EXPECT_EQ(logged[0].substr(0, start.size()), start) << c.what;
    EXPECT_NE(logged[0].find(c.logged), std::string::npos) << c.what << ": " << logged[0];
    EXPECT_EQ(m.profileFile(settings::kMsdosSys).find("BootKeys=") != std::string::npos, c.settingsWritten) << c.what;
  }
}

// "Back to Windows Default" writes some settings itself, then runs "Apply": one backup for both.
TEST(BackupPass, APassAroundAnotherLeavesOneBackup) {
  BackedUpMachine m;
  {
    app::BackupPass outer(m.window);
    settings::ProfileStore boot = m.window.stores().profile(settings::kMsdosSys);
    boot.writeText("Options", "BootMenuDelay", "30");
    m.pressEveryOption();
    m.window.Button5Click();
    EXPECT_EQ(m.backupFolders().size(), 1u);
    EXPECT_EQ(m.backupFile(settings::kChangesFile), "<no Changes.txt>") << "the outer pass has not ended";
  }
  EXPECT_EQ(m.backupFolders().size(), 1u);
  EXPECT_NE(m.backupFile(settings::kChangesFile).find("BootMenuDelay"), std::string::npos);
}

// Its own writes (the cache sizes among them) come back from the backup along with the pages'.
TEST(BackupPass, UndoingBackToWindowsDefaultFromItsBackupGivesBackTheMachine) {
  BackedUpMachine m;
  m.pressEveryOption();
  m.window.Button5Click();
  const std::string registry = varnex::testing::dumpRegistry(m.machine.registry);
  const std::string msdos = m.profileFile(settings::kMsdosSys);
  const std::string systemIni = m.profileFile(settings::kSystemIni);

  m.window.form().get<ui::PageControl>("PageControl1").setActivePage(m.window.form().get<ui::TabSheet>("TabSheet6"));
  m.platform.answers.push(app::kIdYes);
  m.window.form().get<ui::CheckBox>("CheckBox64").mouseDown(ui::MouseButton::Left);
  ASSERT_EQ(m.platform.count("messageBox"), 1u) << "only the question";
  ASSERT_EQ(m.backupFolders().size(), 2u) << "one for Apply, one for Back to Windows Default";
  ASSERT_NE(varnex::testing::dumpRegistry(m.machine.registry), registry);

  m.machine.loadRegedit4(m.backupFile(settings::kRestoreFile), settings::kRestoreFile);
  m.machine.files.setFileAttributes(settings::kMsdosSys, settings::kAttrArchive);
  if (m.backupFile("MSDOS.SYS").rfind("<no ", 0) != 0) {
    EXPECT_TRUE(m.machine.files.writeFile(settings::kMsdosSys, m.backupFile("MSDOS.SYS")));
  }
  if (m.backupFile("SYSTEM.INI").rfind("<no ", 0) != 0) {
    EXPECT_TRUE(m.machine.files.writeFile(m.machine.profiles.resolve(settings::kSystemIni), m.backupFile("SYSTEM.INI")));
  }
  EXPECT_EQ(varnex::testing::dumpRegistry(m.machine.registry), registry) << m.backupFile(settings::kRestoreFile);
  EXPECT_EQ(m.profileFile(settings::kMsdosSys), msdos);
  EXPECT_EQ(m.profileFile(settings::kSystemIni), systemIni);
}

}  // namespace
}  // namespace varnex::pages
