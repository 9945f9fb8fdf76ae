#pragma once
// The platform services of a run with nobody at the machine: nothing opens a window. A message
// box is noted for the log and answered as a closed box is (No, Cancel or OK); a dialog is
// cancelled; the tray, the main window, timers, ShellExecute, restarts and posted messages do
// nothing. Files, directories, Config.DAT, the clock and the single-instance search go through.
#include <string>
#include <vector>

#include "app/platform_services.h"

namespace varnex::app {

class UnattendedPlatform final : public PlatformServices {
 public:
  explicit UnattendedPlatform(PlatformServices& inner) : inner_(inner) {}

  // What would have reached the user, in order: the texts of the boxes, and what was refused.
  const std::vector<std::string>& reports() const { return reports_; }

  int messageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override;
  WindowHandle findWindow(const std::string& className, const std::string& title) override {
    return inner_.findWindow(className, title);
  }
  bool isWindowVisible(WindowHandle window) override { return inner_.isWindowVisible(window); }
  bool postMessage(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override { return false; }
  bool exitWindows(std::uint32_t flags) override;
  bool setSystemPowerState(bool suspend, bool force) override;
  std::optional<std::string> browseForFolder(const std::string& title) override;
  std::optional<std::string> openPicture(const std::string& initialPath) override;
  std::optional<std::string> saveFileName(const FileDialog& dialog) override;
  std::optional<std::string> openFileName(const FileDialog& dialog) override;
  void shellExecute(const std::string& verb, const std::string& file, const std::string& parameters,
                    const std::string& directory) override;
  void showTrayIcon(const std::string&) override {}
  void removeTrayIcon() override {}
  void showMainWindow(bool) override {}
  int popupMenu(const std::vector<std::string>&) override { return -1; }
  void setTimer(int, std::uint32_t) override {}
  void killTimer(int) override {}
  MemoryStatus memoryStatus() override { return inner_.memoryStatus(); }
  OsVersion osVersion() override { return inner_.osVersion(); }
  std::string windowsDirectory() override { return inner_.windowsDirectory(); }
  std::string currentDirectory() override { return inner_.currentDirectory(); }
  int readRecords(const std::string& path, Records& records) override { return inner_.readRecords(path, records); }
  int writeRecords(const std::string& path, const Records& records) override {
    return inner_.writeRecords(path, records);
  }
  bool appendLine(const std::string& path, const std::string& line) override { return inner_.appendLine(path, line); }
  int readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) override {
    return inner_.readFile(path, bytes, maxBytes);
  }
  int writeFile(const std::string& path, const std::string& bytes) override { return inner_.writeFile(path, bytes); }
  LocalTime localTime() override { return inner_.localTime(); }

 private:
  PlatformServices& inner_;
  std::vector<std::string> reports_;
};

}  // namespace varnex::app
