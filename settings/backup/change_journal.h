#pragma once
// The journal of the outermost pass, kept ahead of the changes: the recorders announce each
// change before they make it, and the announcement is on disk (the line appended and flushed)
// before the call goes on. The pass's backup folder, Backup\<date time> of the program folder, is
// made at the first announcement; a pass that changes nothing leaves none. If the program stops
// at any moment, the journal holds every change made so far.
#include <optional>
#include <string>

#include "settings/backup/backup_platform.h"
#include "settings/backup/changes.h"
#include "settings/platform_api.h"
#include "settings/store_error.h"

namespace varnex::settings {

inline const std::string kBackupFolder = "Backup";

// The backup could not be made or written: the change it was to hold is not made. What the
// user reads, naming the folder.
struct BackupError : StoreError {
  using StoreError::StoreError;
};

// %s: the folder.
inline const std::string kBackupNotMadeText =
    "Nothing was changed: the backup of the changes could not be made in %s.";
inline const std::string kBackupStoppedText =
    "The changes stopped: their backup in %s could not be written. What was changed until then can "
    "be undone from it.";
// %s: the file.
inline const std::string kFileNotKeptText = "The changes stopped: %s could not be read to keep a copy of it.";

// "2026-12-10 13-05-42": sorts by time, and is a valid file name.
std::string backupName(const LocalTime& time);
// A backup's name as a person reads its time: "2026-12-10 13:05:42", a " (2)" after it kept.
std::string shownBackupTime(const std::string& name);
// Folder and name joined with one backslash.
std::string joinPath(const std::string& folder, const std::string& name);
std::string fillIn(std::string text, const std::string& value);  // the first %s

class ChangeJournal {
 public:
  // files: the backend's own operations, for the backup folder, which is no change of the pass.
  ChangeJournal(FileApi& files, BackupPlatform& platform) : files_(files), platform_(platform) {}

  // Passes nest ("Back to Windows Default" runs "Apply"): only the outermost one starts and ends
  // the journal, and its programDirectory is where the backup goes. end() is true when the
  // outermost pass ended.
  void begin(const std::string& programDirectory);
  bool end();
  bool recording() const { return depth_ > 0; }
  // Counts the outermost passes, so that what a recorder learns within one pass (which keys
  // exist) is dropped when the next one starts.
  unsigned pass() const { return passes_; }

  // Before a change: its line is on disk when this returns. Throws BackupError when the backup
  // cannot be made or written; then this change and every later one of the pass are refused.
  void announce(Change change);
  // After the call that made it: whether it was made (a refused change gets a line that says so).
  void settle(bool made);
  // Keeps a file's bytes in the backup before a change replaces or deletes them; returns the
  // copy's name within the backup folder ("Files\1 Varnex 2000.lnk"). Throws BackupError.
  std::string keep(const std::string& path, const std::string& bytes);
  // At the first change of a profile file: a copy of it as it was (bytes nothing when it could
  // not be read; missing tells that it did not exist). Throws BackupError.
  void keepProfile(const std::string& file, const std::string& path, const std::optional<std::string>& bytes,
                   bool missing);
  bool hasCopyOf(const std::string& file) const;

  // Whether this pass made its backup folder, and where it is (or was to be).
  bool started() const { return made_; }
  const std::string& folder() const { return folder_; }
  // The backup could not be made or written, and the pass was stopped for it.
  bool failed() const { return failed_; }
  // Ends the journal with its last line, so that a reader knows the pass ended; false when it
  // cannot be written.
  bool close();

  const ChangeList& changes() const { return changes_; }

 private:
  void start();
  void append(const std::string& line);
  // Refuses the change at hand and every later one of the pass.
  [[noreturn]] void fail();

  FileApi& files_;
  BackupPlatform& platform_;
  int depth_ = 0;
  unsigned passes_ = 0;
  std::string programDirectory_;
  std::string folder_;   // made, or (failed_) the one that could not be
  unsigned lines_ = 0;   // numbered lines written after the header
  unsigned copies_ = 0;  // files kept
  bool made_ = false;
  bool failed_ = false;
  std::string failure_;
  std::optional<Change> announced_;
  ChangeList changes_;
};

}  // namespace varnex::settings
