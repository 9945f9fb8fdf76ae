#pragma once
// The stores' operations with a journal in front, and the backup each outermost pass leaves.
// The program hands apis() to its stores; a pass calls begin() and end().
#include <string>

#include "settings/backup/backup_platform.h"
#include "settings/backup/backup_writer.h"
#include "settings/backup/change_journal.h"
#include "settings/backup/recording_apis.h"
#include "settings/platform_api.h"

namespace varnex::settings {

struct BackupResult {
  bool saved = false;
  std::string folder;  // where it was (or was to be) saved; empty when the pass changed nothing
  // The backup could not be made or written, so the pass was stopped; its error says so.
  bool stoppedThePass = false;
};

class Backups {
 public:
  Backups(StoreApis inner, BackupPlatform& platform)
      : inner_(inner),
        platform_(platform),
        journal_(inner.files, platform),
        registry_(inner.registry, journal_),
        profiles_(inner.profiles, journal_, platform, inner.files),
        files_(inner.files, journal_, platform),
        shell_(inner.shell, journal_, platform, inner.files) {}
  Backups(const Backups&) = delete;
  Backups& operator=(const Backups&) = delete;

  StoreApis apis() { return StoreApis{registry_, profiles_, files_, shell_}; }
  const ChangeJournal& journal() const { return journal_; }
  BackupPlatform& platform() { return platform_; }

  // Starts a pass whose backup goes below programDirectory\Backup.
  void begin(const std::string& programDirectory) { journal_.begin(programDirectory); }
  // Ends a pass; the outermost one ends its journal and writes the files a person undoes it
  // with (nothing when it changed nothing).
  BackupResult end() {
    if (!journal_.end() || journal_.folder().empty()) return {};
    if (journal_.failed()) return {false, journal_.folder(), true};
    if (journal_.changes().empty()) {  // every change it announced was refused
      removeFolderTree(journal_.folder(), inner_.files, platform_);
      return {};
    }
    const bool saved = journal_.close() && writeBackupFiles(journal_.changes(), journal_.folder(), inner_.files, platform_);
    return {saved, journal_.folder(), false};
  }

  // A whole file written as a change of the pass, its old bytes kept first.
  bool writeWholeFile(const std::string& path, const std::string& bytes) {
    return files_.writeWholeFile(path, bytes);
  }

 private:
  StoreApis inner_;
  BackupPlatform& platform_;
  ChangeJournal journal_;
  RecordingRegistry registry_;
  RecordingProfiles profiles_;
  RecordingFiles files_;
  RecordingShell shell_;
};

}  // namespace varnex::settings
