#pragma once
// A pass's journal as files a person can use to undo it, in Backup\<date time>\ of the program
// folder: Restore.reg (REGEDIT4, double-click to import), copies of the profile files as they
// were, copies of deleted or replaced files under Files\, and Changes.txt, one line per change.
#include <optional>
#include <string>
#include <vector>

#include "settings/backup/backup_platform.h"
#include "settings/backup/change_journal.h"
#include "settings/formats/regedit4.h"
#include "settings/platform_api.h"

namespace varnex::settings {

inline const std::string kBackupFolder = "Backup";
inline const std::string kRestoreFile = "Restore.reg";
inline const std::string kChangesFile = "Changes.txt";
inline constexpr std::size_t kBackupsKept = 50;

// The registry operations that undo the journal, in the order they must be imported.
std::vector<formats::RegOp> restoreOperations(const ChangeJournal& journal);

// One line per change, in the order they were made; copies names the saved file of each
// deleted or replaced file (by the file's path), when one was saved.
std::vector<std::string> changeLines(const ChangeJournal& journal,
                                     const std::vector<std::pair<std::string, std::string>>& copies = {});

// "2026-12-10 13-05-42": sorts by time, and is a valid file name.
std::string backupName(const LocalTime& time);

struct BackupResult {
  bool saved = false;
  std::string folder;  // where it was (or was to be) saved
};

// Saves a non-empty journal in a new folder below programDirectory\Backup, then removes the
// oldest backups beyond kBackupsKept. Nothing is saved for an empty journal (saved is false,
// folder empty).
BackupResult saveBackup(const ChangeJournal& journal, const std::string& programDirectory, FileApi& files,
                        BackupPlatform& platform);

}  // namespace varnex::settings
