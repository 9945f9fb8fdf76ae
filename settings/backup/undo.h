#pragma once
// Undoing backups: what the undo window lists, and the undo of a backup with every newer one,
// newest first, as one pass through the stores (so it leaves a backup of its own). Every backup
// it undoes is read and checked whole before the first write; one that is damaged, or misses a
// file, changes nothing. Each change goes back to the state its journal line holds; whatever no
// line names stays as it is.
#include <optional>
#include <string>
#include <vector>

#include "settings/backup/backup_platform.h"
#include "settings/backup/backups.h"

namespace varnex::settings {

struct BackupSummary {
  std::string name;                    // its folder's name
  std::string time;                    // "2026-12-11 10:42:07", with " (2)" after a second one
  std::vector<std::string> lines;      // its changes, as Changes.txt lists them
  bool stopped = false;                // the pass stopped before its end
  std::optional<std::string> problem;  // why it cannot be undone
};

// "2026-12-11 10:42:07   12 changes", or "...   damaged".
std::string listLine(const BackupSummary& backup);

// The backups below programDirectory\Backup, newest first. A folder left empty by a pass that
// stopped before its first change is none.
std::vector<BackupSummary> listBackups(const std::string& programDirectory, BackupPlatform& platform);

// %s: the date and time of the backup, then what is wrong.
inline const std::string kDamagedBackupText = "The backup of %s cannot be undone, so nothing was changed: %s";
// %s: the change.
inline const std::string kUndoStoppedText = "The undo stopped: %s could not be put back.";

struct UndoResult {
  std::optional<std::string> error;  // for the user
  std::size_t undone = 0;            // changes put back, up to an error
  bool settingsBack = false;         // a registry value or key, or a profile entry, went back
};

// Undoes the backup named and every newer one, newest first, through backups' stores. Call it
// within a pass of backups.
UndoResult undoBackups(Backups& backups, const std::string& programDirectory, const std::string& oldest);

}  // namespace varnex::settings
