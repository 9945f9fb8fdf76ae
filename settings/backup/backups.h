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

class Backups {
 public:
  Backups(StoreApis inner, BackupPlatform& platform)
      : inner_(inner),
        platform_(platform),
        registry_(inner.registry, journal_),
        profiles_(inner.profiles, journal_, platform, inner.files.windowsDirectory()),
        files_(inner.files, journal_, platform),
        shell_(inner.shell, journal_, platform) {}
  Backups(const Backups&) = delete;
  Backups& operator=(const Backups&) = delete;

  StoreApis apis() { return StoreApis{registry_, profiles_, files_, shell_}; }
  const ChangeJournal& journal() const { return journal_; }

  void begin() { journal_.begin(); }
  // Ends a pass; the outermost one saves what it changed (nothing when it changed nothing).
  BackupResult end(const std::string& programDirectory) {
    if (!journal_.end()) return {};
    BackupResult result = saveBackup(journal_, programDirectory, inner_.files, platform_);
    journal_.clear();
    return result;
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
