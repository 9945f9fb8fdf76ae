#pragma once
// The program's requests to the operating system outside the stores, over the real Win32 API
// (ANSI functions and record sizes that Windows 98 accepts).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/platform_services.h"
#include "win32/handles.h"

namespace varnex::ui::win32 {

class Win32Platform : public app::PlatformServices {
 public:
  Win32Platform() = default;
  ~Win32Platform() override;  // takes the tray icon away if it is still shown
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // What the view supplies. The main window owns the message boxes and dialogs, receives the
  // timers' WM_TIMER and the tray icon's notifications (as callbackMessage, wParam the icon id
  // kTrayIconId, lParam the mouse message). The tray icon is the program's icon resource
  // iconResource, or the system's application icon when there is none.
  void setMainWindow(HWND window) { window_ = window; }
  void setTrayCallbackMessage(UINT callbackMessage) { trayMessage_ = callbackMessage; }
  void setTrayIconResource(WORD iconResource) { trayIconResource_ = iconResource; }
  // Runs before a message box opens, so the windows show what the model holds while it asks.
  std::function<void()> beforeQuestion;
  // Puts the icon back after the taskbar was created anew (the "TaskbarCreated" message).
  void restoreTrayIcon();

  static constexpr UINT kTrayIconId = 1;

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

  // On the main window; without one set they do nothing.
  void setTimer(int id, std::uint32_t periodMs) override;
  void killTimer(int id) override;

  app::MemoryStatus memoryStatus() override;
  app::OsVersion osVersion() override;
  std::string windowsDirectory() override;
  std::string currentDirectory() override;

  int readRecords(const std::string& path, app::Records& records) override;
  int writeRecords(const std::string& path, const app::Records& records) override;
  bool appendLine(const std::string& path, const std::string& line) override;
  int readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) override;
  // Written as path + ".tmp" first; 98 has no replacing move, so the old file is deleted just
  // before the complete new one takes its name.
  int writeFile(const std::string& path, const std::string& bytes) override;
  app::LocalTime localTime() override;

 private:
  bool notifyIcon(DWORD action);
  HICON trayIcon();

  HWND window_ = nullptr;
  UINT trayMessage_ = 0;
  WORD trayIconResource_ = 0;
  ::varnex::win32::UniqueIcon ownTrayIcon_;  // the program's icon, loaded for the tray
  HICON trayIcon_ = nullptr;       // that one, or the system's shared application icon
  bool trayShown_ = false;  // asked for; a failed add is retried by restoreTrayIcon
  std::string trayTip_;
};

}  // namespace varnex::ui::win32
