#include "app/backup_pass.h"

#include "app/config_dat.h"
#include "app/main_window.h"
#include "settings/backup/backups.h"

namespace varnex::app {

BackupPass::BackupPass(MainWindow& window, Reporting reporting) : window_(window), reporting_(reporting) {
  if (settings::Backups* backups = window_.backups()) backups->begin(window_.platform().currentDirectory());
}

bool BackupPass::stoppedThePass() const {
  const settings::Backups* backups = window_.backups();
  return backups && backups->journal().failed();
}

BackupPass::~BackupPass() {
  settings::Backups* backups = window_.backups();
  if (!backups) return;
  try {
    const settings::BackupResult result = backups->end();
    if (result.saved || result.folder.empty() || result.stoppedThePass) return;
    const std::string text = settings::fillIn(kBackupFailedText, result.folder);
    if (reporting_ == Reporting::Log)
      logLine(window_, text);
    else
      window_.platform().messageBox(text, "Varnex 2000", kMbOk | kMbIconWarning);
  } catch (...) {
    // Nothing may leave a destructor; the pass itself is done either way.
  }
}

void logLine(MainWindow& window, const std::string& text) {
  std::string line = text;
  if (settings::Backups* backups = window.backups()) {
    line = settings::shownBackupTime(settings::backupName(backups->platform().localTime())) + " " + text;
  }
  window.platform().appendLine(joinPath(window.platform().currentDirectory(), kLogFile), line);
}

}  // namespace varnex::app
