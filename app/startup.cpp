#include "app/startup.h"

#include "app/config_dat.h"
#include "settings/file_store.h"

namespace varnex::app {

std::optional<Records> startProgram(PlatformServices& platform, settings::StoreApis stores) {
  const std::string programDirectory = platform.currentDirectory();
  const std::string config = configPath(programDirectory);
  Records records{};
  if (int error = platform.readRecords(config, records)) {
    platform.messageBox(fileErrorText(error), kApplicationErrorTitle, kMbOk | kMbIconError);
    return std::nullopt;
  }
  const std::string windowsDirectory = platform.windowsDirectory();
  const bool firstRun = records[kFirstRunRecord] == 1;
  if (firstRun) {
    settings::FileStore(stores.files, stores.shell)
        .copyFile(joinPath(windowsDirectory, "Start Menu\\Programs\\Varnex 2000\\Uninstall.lnk"),
                  joinPath(programDirectory, "Uninstall.lnk"));
  }
  if (WindowHandle running = platform.findWindow(kMainWindowClass, kMainWindowTitle)) {
    if (!platform.isWindowVisible(running)) platform.postMessage(running, kWmUser, 0, 0);
    return std::nullopt;
  }
  if (firstRun) {
    records[kFirstRunRecord] = 0;
    if (int error = platform.writeRecords(config, records)) {
      platform.messageBox(fileErrorText(error), kApplicationErrorTitle, kMbOk | kMbIconError);
      return std::nullopt;
    }
  }
  return records;
}

}  // namespace varnex::app
