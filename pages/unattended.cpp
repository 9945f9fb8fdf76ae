#include "pages/unattended.h"

#include <vector>

#include "app/config_dat.h"
#include "base/number_text.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app/unattended_platform.h"
#include "pages/catalogue.h"
#include "settings/file_store.h"

namespace varnex::pages {

namespace {

std::string timestamp(const app::LocalTime& t) {
  return digits(t.year, 4) + "-" + digits(t.month, 2) + "-" + digits(t.day, 2) + " " + digits(t.hour, 2) + ":" +
         digits(t.minute, 2) + ":" + digits(t.second, 2);
}

// One line of the log, whatever the texts hold.
std::string logLine(const app::LocalTime& when, const app::Command& command, const std::string& profile, int code,
                    const std::string& what) {
  std::string line = timestamp(when) + "  ";
  switch (command.kind) {
    case app::Command::Kind::Save: line += "/save \"" + profile + "\""; break;
    case app::Command::Kind::Apply: line += "/apply \"" + profile + "\""; break;
    default: line += "command line"; break;
  }
  line += code == kExitDone ? ": OK" : ": error " + std::to_string(code) + ": " + what;
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return line;
}

std::string joined(const std::vector<std::string>& texts) { return reasonsText(texts, " | "); }

}  // namespace

int runUnattended(const app::Command& command, app::PlatformServices& platform, settings::StoreApis stores,
                  settings::Backups* backups) {
  const std::string folder = platform.currentDirectory();
  const std::string profile = command.profile.empty() ? std::string() : app::absolutePath(folder, command.profile);
  auto finish = [&](int code, const std::string& what) {
    platform.appendLine(app::joinPath(folder, kLogFileName), logLine(platform.localTime(), command, profile, code, what));
    return code;
  };
  const bool save = command.kind == app::Command::Kind::Save;
  if (!save && command.kind != app::Command::Kind::Apply) return finish(kExitCommandLine, command.why);

  app::Records records{};
  const std::string config = app::configPath(folder);
  if (int error = platform.readRecords(config, records))
    return finish(kExitConfigDat, config + ": " + app::fileErrorText(error) + "; nothing was changed");
  if (platform.findWindow(app::kMainWindowClass, app::kMainWindowTitle))
    return finish(kExitAlreadyRunning, "Varnex 2000 is running on this machine; nothing was changed");

  // Window creation leaves C:\MSDOS.SYS writable; no restart question follows here to put its
  // attributes back, so the run does.
  const std::uint32_t msdosAttributes = stores.files.getFileAttributes(settings::kMsdosSys);
  app::UnattendedPlatform quiet(platform);
  app::MainWindow window(quiet, stores);  // made and read, never shown
  window.setBackups(backups);
  Catalogue catalogue(window);
  window.FormCreate(records);
  int code = kExitDone;
  std::string what;
  if (!quiet.reports().empty()) {
    code = kExitReadFailed;
    what = "the settings could not be read: " + joined(quiet.reports()) + "; nothing was changed";
  } else if (save) {
    const std::vector<std::string> reasons = catalogue.profile->saveFile(profile);
    if (!reasons.empty()) {
      code = kExitNotSaved;
      what = joined(reasons);
    }
  } else if (const std::vector<std::string> reasons = catalogue.profile->loadFile(profile); !reasons.empty()) {
    code = kExitBadProfile;
    what = joined(reasons) + "; nothing was changed";
  } else {
    const bool written = window.TulisData();
    if (!quiet.reports().empty()) {
      code = written ? kExitNoBackup : kExitWriteFailed;
      what = (written ? "" : "writing stopped: ") + joined(quiet.reports());
    }
  }
  if (msdosAttributes != settings::kInvalidFileAttributes)
    window.stores().files().setAttributes(settings::kMsdosSys, msdosAttributes);
  return finish(code, what);
}

}  // namespace varnex::pages
