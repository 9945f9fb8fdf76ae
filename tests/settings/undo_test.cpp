// Undoing backups from their journals: a pass comes undone whole, an older backup takes every
// newer one with it, the undo leaves a backup that undoes it in turn, what nobody's journal names
// stays, and a damaged backup changes nothing at all.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "settings/backup/journal_format.h"
#include "settings/backup/undo.h"
#include "tests/settings/backup_fixture.h"
#include "tests/support/machine_dump.h"

namespace varnex::settings {
namespace {

struct Undo : BackupFixture {
  const std::string root = kProgram + "\\Backup";

  std::string dump() {
    return testing::dumpRegistry(machine.registry) +
           testing::dumpFilesByEntry(machine.files, {kMsdosSys, machine.profiles.resolve(kSystemIni)}, root);
  }
  // A pass of its own around some changes, a second later than the one before.
  std::string pass(const std::function<void()>& changes) {
    ++platform.time.second;
    backups.begin(kProgram);
    changes();
    const BackupResult result = backups.end();
    EXPECT_TRUE(result.saved);
    return result.folder.substr(root.size() + 1);
  }
  UndoResult undo(const std::string& oldest) {
    ++platform.time.second;
    backups.begin(kProgram);
    const UndoResult result = undoBackups(backups, kProgram, oldest);
    backups.end();
    return result;
  }
  std::size_t backupCount() { return platform.listFolder(root).size(); }
};

TEST_F(Undo, APassComesUndoneWhole) {
  const std::string before = dump();
  changeMany();
  const std::string name = backups.end().folder.substr(root.size() + 1);
  ASSERT_NE(dump(), before);

  const UndoResult result = undo(name);
  EXPECT_EQ(result.error, std::nullopt);
  EXPECT_TRUE(result.settingsBack);
  const std::string after = dump();
  EXPECT_TRUE(after == before) << testing::differences(before, after);
}

TEST_F(Undo, AnOlderBackupTakesEveryNewerOneWithItNewestFirst) {
  machine.files.putFolder("C:\\WINDOWS\\Start Menu\\Programs");
  const std::string before = dump();
  const std::string first = pass([&] {
    key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", "1");
    stores.files().makeFolders("C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000");
  });
  pass([&] {
    key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", "2");
    stores.files().CreateShellLink("C:\\VARNEX\\Varnex.exe",
                                   "C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000\\Varnex 2000.lnk", "C:\\VARNEX");
  });
  const std::string newest = pass([&] { stores.profile(kMsdosSys).writeText("Options", "BootKeys", "0"); });

  ASSERT_EQ(undo(newest).error, std::nullopt);
  EXPECT_EQ(machine.files.readFile(kMsdosSys), kMsdos) << "only the newest is undone";
  EXPECT_TRUE(machine.files.readFile("C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000\\Varnex 2000.lnk"));

  // The undo of the newest is now newer than the first: undoing from the first takes it too.
  ASSERT_EQ(undo(first).error, std::nullopt);
  const std::string after = dump();
  EXPECT_TRUE(after == before) << testing::differences(before, after);
}

TEST_F(Undo, AnUndoLeavesABackupThatUndoesIt) {
  machine.files.putFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", "a shortcut", kAttrArchive | kAttrHidden);
  const std::string name = pass([&] {
    key(kHkeyClassesRoot, "Directory\\shell").deleteKey("DOS");
    stores.files().deleteFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk");
    stores.profile(kSystemIni).deleteEntry("vcache", "MinFileCache");
  });
  const std::string afterPass = dump();
  const std::size_t backupsBefore = backupCount();
  ASSERT_EQ(undo(name).error, std::nullopt);
  EXPECT_EQ(machine.files.readFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk"), "a shortcut");
  EXPECT_EQ(machine.files.getFileAttributes("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk"), kAttrArchive | kAttrHidden);
  ASSERT_EQ(backupCount(), backupsBefore + 1) << "the undo's own backup";

  const std::vector<BackupSummary> list = listBackups(kProgram, platform);
  ASSERT_EQ(undo(list.front().name).error, std::nullopt);
  const std::string after = dump();
  EXPECT_TRUE(after == afterPass) << testing::differences(afterPass, after);
}

// Only what the journal names goes back: a value another program set since, a file it put into
// a folder the pass made, stay as they are.
TEST_F(Undo, WhatTheJournalDoesNotNameStaysAsItIs) {
  const std::string name = pass([&] {
    key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", "0");
    stores.files().makeFolders("C:\\WINDOWS\\Made");
  });
  key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("Mask", "set by another program");
  machine.files.putFile("C:\\WINDOWS\\Made\\theirs.txt", "theirs");

  const UndoResult result = undo(name);
  EXPECT_EQ(result.error, std::nullopt);
  RegistryStore desktop = key(kHkeyCurrentUser, "Control Panel\\Desktop");
  EXPECT_EQ(desktop.readText("MenuShowDelay"), "400");
  EXPECT_EQ(desktop.readText("Mask"), "set by another program");
  EXPECT_EQ(machine.files.readFile("C:\\WINDOWS\\Made\\theirs.txt"), "theirs");
}

// MSDOS.SYS is read-only, hidden and system whenever the program is not running: its entries
// come back and it stays locked.
TEST_F(Undo, MsdosSysKeepsItsAttributes) {
  const std::string name = pass([&] { stores.profile(kMsdosSys).writeText("Options", "BootKeys", "0"); });
  const std::uint32_t locked = kAttrReadOnly | kAttrHidden | kAttrSystem;
  machine.files.setFileAttributes(kMsdosSys, locked);
  const UndoResult result = undo(name);
  EXPECT_EQ(result.error, std::nullopt);
  EXPECT_TRUE(result.settingsBack);
  EXPECT_EQ(machine.files.readFile(kMsdosSys), kMsdos);
  EXPECT_EQ(machine.files.getFileAttributes(kMsdosSys), locked);
}

// The profile functions find entries ignoring case; an entry deleted under another spelling
// comes back as the file had it.
TEST_F(Undo, ADeletedEntryComesBackWithTheNameItHad) {
  const std::string before = dump();
  const std::string name = pass([&] { stores.profile(kSystemIni).deleteEntry("VCACHE", "minfilecache"); });
  ASSERT_EQ(undo(name).error, std::nullopt);
  const std::string after = dump();
  EXPECT_TRUE(after == before) << testing::differences(before, after);
}

TEST_F(Undo, OnlyFilesAndFoldersBackNeedNoRestart) {
  const std::string name = pass([&] { stores.files().makeFolders("C:\\WINDOWS\\Made"); });
  const UndoResult result = undo(name);
  EXPECT_EQ(result.error, std::nullopt);
  EXPECT_FALSE(result.settingsBack);
  EXPECT_FALSE(machine.files.isFolder("C:\\WINDOWS\\Made"));
}

// Before its first write the undo reads every backup it takes whole: one that is damaged, or
// lacks a file, names it and nothing is written, not even the undo's own backup.
TEST_F(Undo, ADamagedBackupChangesNothingAndNamesTheFile) {
  struct Case {
    const char* what;
    std::function<void(const std::string& older, const std::string& newer)> spoil;
    const char* says;  // after "...cannot be undone, so nothing was changed: "
  };
  auto folder = [this](const std::string& name) { return root + "\\" + name; };
  auto journalOf = [&](const std::string& name) { return folder(name) + "\\" + kJournalFile; };
  const Case cases[] = {
      {"the journal deleted", [&](auto&, auto& newer) { machine.files.deleteFile(journalOf(newer)); },
       "\\Journal.txt is missing."},
      {"a line of the journal spoilt",
       [&](auto&, auto& newer) {
         std::string text = *machine.files.readFile(journalOf(newer));
         text[text.find("\r\n") + 12] ^= 1;
         machine.files.putFile(journalOf(newer), text);
       },
       "\\Journal.txt is damaged (line 2: the line is spoilt)."},
      {"the journal of a finished pass cut short",
       [&](auto&, auto& newer) {
         std::string text = *machine.files.readFile(journalOf(newer));
         machine.files.putFile(journalOf(newer), text.substr(0, text.rfind("\r\n", text.size() - 3) + 2));
       },
       "\\Journal.txt is cut short: its pass ended, but its last lines are missing."},
      {"a kept file deleted",
       [&](auto&, auto& newer) { machine.files.deleteFile(folder(newer) + "\\Files\\1 Varnex 2000.lnk"); },
       "\\Files\\1 Varnex 2000.lnk is missing or cannot be read."},
  };
  machine.files.putFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", "a shortcut");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings::removeFolderTree(root, machine.files, platform);
    // The cases follow each other on one machine: each writes values the one before did not.
    const std::string older = pass([&] { key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("Count", c.what); });
    const std::string newer = pass([&] {
      key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", c.what);
      stores.files().deleteFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk");
      key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("Mask", c.what);
    });
    c.spoil(older, newer);
    const std::string before = dump();
    const std::size_t backupsBefore = backupCount();
    // Undoing the older backup reads the newer one too.
    const UndoResult result = undo(older);
    ASSERT_TRUE(result.error.has_value()) << c.what;
    const std::string time = newer.substr(0, 13) + ":" + newer.substr(14, 2) + ":" + newer.substr(17, 2);
    EXPECT_EQ(*result.error, "The backup of " + time + " cannot be undone, so nothing was changed: " + folder(newer) +
                                 c.says)
        << c.what;
    EXPECT_EQ(dump(), before) << c.what;
    EXPECT_EQ(backupCount(), backupsBefore) << c.what;
    machine.files.putFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", "a shortcut");
  }
}

TEST_F(Undo, TheListShowsEveryBackupNewestFirstWithItsChanges) {
  machine.files.putFolder(root + "\\Mine");  // not a backup
  const std::string one = pass([&] {
    key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("MenuShowDelay", "0");
    stores.profile(kMsdosSys).writeText("Options", "BootKeys", "0");
  });
  --platform.time.second;  // the same second: the next one is numbered
  const std::string two = pass([&] { key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("New", "x"); });
  const std::string three = pass([&] { key(kHkeyCurrentUser, "Control Panel\\Desktop").writeText("New", "y"); });
  machine.files.deleteFile(root + "\\" + three + "\\" + kJournalFile);
  machine.files.putFolder(root + "\\2026-12-10 13-05-59");  // a pass that stopped before it changed anything

  const std::vector<BackupSummary> list = listBackups(kProgram, platform);
  std::vector<std::string> lines;
  for (const BackupSummary& b : list) lines.push_back(listLine(b));
  EXPECT_EQ(lines, (std::vector<std::string>{"2026-12-10 13:05:44   damaged", "2026-12-10 13:05:43 (2)   1 change",
                                             "2026-12-10 13:05:43   2 changes"}));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[2].lines, (std::vector<std::string>{"HKCU\\Control Panel\\Desktop MenuShowDelay: \"400\" -> \"0\"",
                                                     "C:\\MSDOS.SYS [Options] BootKeys: \"1\" -> \"0\""}));
  EXPECT_EQ(list[0].problem, root + "\\" + three + "\\Journal.txt is missing.");
  EXPECT_EQ(list[1].name, two);
  EXPECT_EQ(list[2].name, one);
}

}  // namespace
}  // namespace varnex::settings
