#pragma once
// varnex.exe /save PROFILE and /apply PROFILE: the same program with no window, for a log-on
// script. The main window is made as at a normal start (its read pass), without being shown; a
// profile is saved from it, or loaded into it as "Load Settings..." does and written by the
// ordinary write pass with its backup. Every run adds one line to Apply.log in the program folder.
#include <string>

#include "app/command_line.h"
#include "app/platform_services.h"
#include "settings/platform_api.h"

namespace varnex::settings {
class Backups;
}

namespace varnex::pages {

inline const std::string kLogFileName = "Apply.log";

// How a run ended, as the process's exit code.
enum ExitCode : int {
  kExitDone = 0,            // everything read, saved or written
  kExitCommandLine = 1,     // the command line is not understood
  kExitConfigDat = 2,       // Config.DAT is missing or damaged
  kExitAlreadyRunning = 3,  // Varnex 2000 runs on the machine: nothing changed
  kExitBadProfile = 4,      // /apply: the profile cannot be read or is refused: nothing changed
  kExitReadFailed = 5,      // the settings could not be read: nothing changed
  kExitWriteFailed = 6,     // /apply: a setting could not be written; those before it were
  kExitNotSaved = 7,        // /save: the profile could not be written
  kExitNoBackup = 8,        // /apply: everything was written, but its backup could not be saved
};

// Runs the command (Save or Apply; anything else is logged as not understood) over the stores
// (with backups, when the program keeps them) and returns the exit code.
int runUnattended(const app::Command& command, app::PlatformServices& platform, settings::StoreApis stores,
                  settings::Backups* backups);

}  // namespace varnex::pages
