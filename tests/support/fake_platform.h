#pragma once
// Platform services for tests: every call recorded in order as one readable line, answers and
// dialog results taken from queues the test fills, Config.DAT kept in the same in-memory file
// tree as the stores.
//
// Lines look like the calls: "messageBox(text, caption, 0x24)", "findWindow(TForm1, Varnex 2000)",
// "postMessage(4096, 0x400, 0, 0)", "exitWindows(2)", "setSystemPowerState(false, false)",
// "browseForFolder(Select Directory)", "openPicture(C:\a.bmp)", "shellExecute(open, file, , )",
// "showTrayIcon(Varnex)", "removeTrayIcon()", "popupMenu(Restore, Exit)", "showMainWindow(true)", "setTimer(1, 5000)",
// "killTimer(1)", "memoryStatus()", "osVersion()", "windowsDirectory()", "currentDirectory()",
// "readRecords(C:\VARNEX\Config.DAT)", "writeRecords(C:\VARNEX\Config.DAT)",
// "appendLine(C:\VARNEX\Apply.log, text)", "saveFileName(Save Settings, Varnex 2000 Profile (*.ini))",
// "openFileName(...)", "readFile(C:\room.ini)", "writeFile(C:\room.ini)", "localTime()". A message box or
// dialog that found its queue empty gets " [unscripted]" appended, so it stands out.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <queue>
#include <string>
#include <string_view>
#include <vector>

#include "app/platform_services.h"
#include "settings/memory/memory_files.h"

namespace varnex::testing {

class FakePlatform : public app::PlatformServices {
 public:
  // Windows and current directory are those of files (MemoryFiles' constructor and
  // setCurrentDirectory set them).
  explicit FakePlatform(settings::MemoryFiles& files) : files_(files) {}

  // --- What the test scripts.
  std::queue<int> answers;  // message box answers, first asked first answered
  int defaultAnswer = app::kIdOk;  // when answers is empty
  // Runs while a message box is open, with its text (as events delivered to a modal loop).
  std::function<void(const std::string& text)> whileBoxOpen;
  // Dialog results; nothing means the user cancelled, as does an empty queue.
  std::queue<std::optional<std::string>> folders;
  std::queue<std::optional<std::string>> pictures;
  std::queue<std::optional<std::string>> saveNames;  // the Save As dialog
  std::queue<std::optional<std::string>> openNames;  // the Open dialog
  app::LocalTime clock{2000, 1, 15, 8, 30, 5};
  // Popup menu choices by item index, -1 for a dismissed menu, as does an empty queue.
  std::queue<int> menuChoices;
  bool exitWindowsResult = true;
  bool powerStateResult = true;
  // A machine with 64 MB of memory, half of it free, and a 128 MB page file, a quarter free.
  app::MemoryStatus memory{32, 50, 64u << 20, 32u << 20, 128u << 20, 32u << 20, 2047u << 20, 2000u << 20};
  app::OsVersion version{1, 4, 10, 0x040A08AE, " A "};  // Windows 98 SE

  // Top-level windows findWindow can find; handles count up from 4096.
  app::WindowHandle addWindow(const std::string& className, const std::string& title, bool visible);
  void setWindowVisible(app::WindowHandle window, bool visible);

  // The next read or write fails with this file error number and touches nothing.
  void failNextRead(int error) { failRead_ = error; }
  void failNextWrite(int error) { failWrite_ = error; }

  // --- What the test observes.
  const std::vector<std::string>& calls() const { return calls_; }
  // The lines of calls to name (the text before "("), in order, and how many there are.
  std::vector<std::string> calls(std::string_view name) const;
  std::size_t count(std::string_view name) const { return calls(name).size(); }
  void clearCalls() { calls_.clear(); }

  const std::map<int, std::uint32_t>& timers() const { return timers_; }  // id -> period, active
  bool trayIconShown() const { return trayShown_; }
  const std::string& trayTip() const { return trayTip_; }
  // Whether showMainWindow last showed the window (initially shown, as after start).
  bool mainWindowShown() const { return windowShown_; }

  // --- PlatformServices.
  int messageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override;
  app::WindowHandle findWindow(const std::string& className, const std::string& title) override;
  bool isWindowVisible(app::WindowHandle window) override;
  bool postMessage(app::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  bool exitWindows(std::uint32_t flags) override;
  bool setSystemPowerState(bool suspend, bool force) override;
  std::optional<std::string> browseForFolder(const std::string& title) override;
  std::optional<std::string> openPicture(const std::string& initialPath) override;
  std::optional<std::string> saveFileName(const app::FileDialog& dialog) override;
  std::optional<std::string> openFileName(const app::FileDialog& dialog) override;
  void shellExecute(const std::string& verb, const std::string& file, const std::string& parameters,
                    const std::string& directory) override;
  void showTrayIcon(const std::string& tip) override;
  void removeTrayIcon() override;
  void showMainWindow(bool shown) override;
  int popupMenu(const std::vector<std::string>& items) override;
  void setTimer(int id, std::uint32_t periodMs) override;
  void killTimer(int id) override;
  app::MemoryStatus memoryStatus() override;
  app::OsVersion osVersion() override;
  std::string windowsDirectory() override;
  std::string currentDirectory() override;
  // Absolute paths in files: a missing folder 3, a missing file 2, a folder or a read-only file
  // 5, fewer than 20 bytes 100. Bytes beyond the twentieth are not read; a write leaves exactly 20.
  int readRecords(const std::string& path, app::Records& records) override;
  int writeRecords(const std::string& path, const app::Records& records) override;
  // Appends to the file in the in-memory tree; refused as a write there would be.
  bool appendLine(const std::string& path, const std::string& line) override;
  // Files of the in-memory tree: a missing folder 3, a missing file 2, a folder 5; writing
  // also refuses a read-only file (5).
  int readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) override;
  int writeFile(const std::string& path, const std::string& bytes) override;
  app::LocalTime localTime() override;

 private:
  struct Window {
    std::string className;
    std::string title;
    bool visible = false;
  };
  void record(std::string line) { calls_.push_back(std::move(line)); }
  std::optional<std::string> dialogResult(std::queue<std::optional<std::string>>& queue,
                                          std::string line);
  // The file error number for opening path for reading and writing, 0 when it can be.
  int openError(const std::string& path, bool mustExist) const;

  settings::MemoryFiles& files_;
  std::vector<std::string> calls_;
  std::vector<Window> windows_;
  std::map<int, std::uint32_t> timers_;
  bool trayShown_ = false;
  std::string trayTip_;
  bool windowShown_ = true;
  int failRead_ = 0;
  int failWrite_ = 0;
};

}  // namespace varnex::testing
