#pragma once
// One write pass's backup: made around "Apply", "OK", the AutoShutdown timer, "Back to Windows
// Default" and the Add/Remove page's own writes. Passes nest; the outermost one leaves the
// backup when it ends, failed or not, and a backup that cannot be saved is shown to the user.
#include <string>

namespace varnex::app {

class MainWindow;

// %s is the folder the backup was to go to.
inline const std::string kBackupFailedText =
    "The changes were made, but their backup could not be saved in %s. They cannot be undone from a backup.";

class BackupPass {
 public:
  explicit BackupPass(MainWindow& window);
  ~BackupPass();
  BackupPass(const BackupPass&) = delete;
  BackupPass& operator=(const BackupPass&) = delete;

 private:
  MainWindow& window_;
};

}  // namespace varnex::app
