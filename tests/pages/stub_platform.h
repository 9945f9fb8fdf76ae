#pragma once
// The few platform services the catalogue pages reach: the folder browser (answers queued by
// the test, an empty queue cancels) and the message box of a failed pass (recorded).
#include <optional>
#include <queue>
#include <string>
#include <vector>

#include "app/platform_services.h"

namespace varnex::pages {

class StubPlatform final : public app::PlatformServices {
 public:
  std::queue<std::optional<std::string>> folders;
  std::vector<std::string> browseTitles;
  std::vector<std::string> messages;

  int messageBox(const std::string& text, const std::string&, std::uint32_t) override {
    messages.push_back(text);
    return app::kIdOk;
  }
  std::optional<std::string> browseForFolder(const std::string& title) override {
    browseTitles.push_back(title);
    if (folders.empty()) return std::nullopt;
    auto answer = folders.front();
    folders.pop();
    return answer;
  }

  app::WindowHandle findWindow(const std::string&, const std::string&) override { return 0; }
  bool isWindowVisible(app::WindowHandle) override { return false; }
  bool postMessage(app::WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override { return false; }
  bool exitWindows(std::uint32_t) override { return true; }
  bool setSystemPowerState(bool, bool) override { return true; }
  std::optional<std::string> openPicture(const std::string&) override { return std::nullopt; }
  void shellExecute(const std::string&, const std::string&, const std::string&, const std::string&) override {}
  void showTrayIcon(const std::string&) override {}
  void removeTrayIcon() override {}
  void showMainWindow(bool) override {}
  void setTimer(int, std::uint32_t) override {}
  void killTimer(int) override {}
  app::MemoryStatus memoryStatus() override { return {}; }
  app::OsVersion osVersion() override { return {1, 4, 10, 0x040A08AE, " A "}; }
  std::string windowsDirectory() override { return "C:\\WINDOWS"; }
  std::string currentDirectory() override { return "C:\\VARNEX"; }
  int readRecords(const std::string&, app::Records&) override { return 2; }
  int writeRecords(const std::string&, const app::Records&) override { return 0; }
};

}  // namespace varnex::pages
