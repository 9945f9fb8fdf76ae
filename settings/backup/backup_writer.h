#pragma once
// What a pass's backup holds for a person undoing it by hand, written when the pass ends beside
// its journal (Journal.txt) and the copies the journal made: Restore.reg (REGEDIT4, double-click
// to import) and Changes.txt, one line per change with how to undo them.
#include <string>
#include <vector>

#include "settings/backup/backup_platform.h"
#include "settings/backup/changes.h"
#include "settings/formats/regedit4.h"
#include "settings/platform_api.h"

namespace varnex::settings {

inline const std::string kRestoreFile = "Restore.reg";
inline const std::string kChangesFile = "Changes.txt";
inline constexpr std::size_t kBackupsKept = 50;

// The registry operations that undo the changes, in the order they must be imported.
std::vector<formats::RegOp> restoreOperations(const ChangeList& changes);

// One line per change, in the order they were made.
std::vector<std::string> changeLines(const ChangeList& changes);

// Whether a folder name is one backupName made, possibly with the " (2)" a second backup within
// the same second gets; and the order of such names, oldest first.
bool isBackupName(const std::string& name);
bool olderBackup(const std::string& a, const std::string& b);
// 1 for a name without a number.
unsigned long sameSecondNumber(const std::string& name);
// The name for a new backup below root at the time named: numbered above every backup of the
// same second, so that it still sorts as the newest when the first of that second has gone.
std::string newBackupName(const std::string& root, const std::string& name, BackupPlatform& platform);

// Removes a folder with everything in it.
void removeFolderTree(const std::string& folder, FileApi& files, BackupPlatform& platform);

// Writes Restore.reg (when the registry changed) and Changes.txt into the pass's backup folder,
// then removes the oldest backups beyond kBackupsKept. False when a file could not be written.
bool writeBackupFiles(const ChangeList& changes, const std::string& folder, FileApi& files,
                      BackupPlatform& platform);

}  // namespace varnex::settings
