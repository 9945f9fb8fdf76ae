#include "app/backup_pass.h"

#include "app/main_window.h"
#include "settings/backup/backups.h"

namespace varnex::app {

BackupPass::BackupPass(MainWindow& window) : window_(window) {
  if (settings::Backups* backups = window_.backups()) backups->begin();
}

BackupPass::~BackupPass() {
  settings::Backups* backups = window_.backups();
  if (!backups) return;
  try {
    const settings::BackupResult result = backups->end(window_.platform().currentDirectory());
    if (result.saved || result.folder.empty()) return;
    std::string text = kBackupFailedText;
    text.replace(text.find("%s"), 2, result.folder);
    window_.platform().messageBox(text, "Varnex 2000", kMbOk | kMbIconWarning);
  } catch (...) {
    // Nothing may leave a destructor; the pass itself is done either way.
  }
}

}  // namespace varnex::app
