#pragma once
// One write pass's backup: made around "Apply", "OK", the AutoShutdown timer, "Back to Windows
// Default", the Add/Remove page's own writes and an undo. Passes nest; the outermost one leaves
// the backup when it ends, failed or not. A backup that cannot be saved is shown to the user, or,
// on a pass nobody watches (the AutoShutdown timer), written to the program's log.
#include <string>

namespace varnex::app {

class MainWindow;

// %s is the folder the backup was to go to.
inline const std::string kBackupFailedText =
    "The changes were made, but their backup could not be saved in %s. They cannot be undone from a backup.";
// In the program folder: what an unattended pass could not tell anyone.
inline const std::string kLogFile = "Varnex.log";

enum class Reporting { Box, Log };

class BackupPass {
 public:
  explicit BackupPass(MainWindow& window, Reporting reporting = Reporting::Box);
  ~BackupPass();
  BackupPass(const BackupPass&) = delete;
  BackupPass& operator=(const BackupPass&) = delete;

  // The backup could not be made or written, so the pass was stopped (its error says so).
  bool stoppedThePass() const;

 private:
  MainWindow& window_;
  Reporting reporting_;
};

// Appends the text to the log, after the date and time.
void logLine(MainWindow& window, const std::string& text);

}  // namespace varnex::app
