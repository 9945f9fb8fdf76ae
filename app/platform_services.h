#pragma once
// Everything the program logic asks of the operating system outside the setting stores. One
// Win32 implementation (varnex/win32/) and one scripted fake for tests (tests/support/).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnex::app {

using WindowHandle = std::uintptr_t;

// Message box flags and answers, with the platform's values.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbYesNoCancel = 0x3;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbIconError = 0x10;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconWarning = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

inline constexpr std::uint32_t kWmUser = 0x0400;
inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;

// GlobalMemoryStatus, with the record's fields as the platform fills them.
struct MemoryStatus {
  std::uint32_t length = 32;
  std::uint32_t memoryLoad = 0;
  std::uint32_t totalPhys = 0;
  std::uint32_t availPhys = 0;
  std::uint32_t totalPageFile = 0;
  std::uint32_t availPageFile = 0;
  std::uint32_t totalVirtual = 0;
  std::uint32_t availVirtual = 0;
};

// GetVersionExA.
struct OsVersion {
  std::uint32_t platformId = 0;  // 1 = the Windows 98 family, 2 = NT
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::string servicePack;  // szCSDVersion
};

// GetLocalTime.
struct LocalTime {
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The standard Open or Save As dialog for one kind of file.
struct FileDialog {
  std::string title;       // "Save Settings"
  std::string filterName;  // "Varnex 2000 Profile (*.ini)"
  std::string pattern;     // "*.ini"
  std::string extension;   // "ini": added to a name typed without one
};

// A file of 4-byte little-endian records. Results are the file error numbers the user sees:
// 0 success, 2 file not found, 3 invalid filename (path not found), 4 too many open files,
// 5 file access denied, 100 read beyond end of file, 101 disk full, anything else an I/O error.
using Records = std::array<std::uint32_t, 5>;

class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // A modal message box; returns the answer (kIdYes, kIdNo, kIdCancel, kIdOk).
  virtual int messageBox(const std::string& text, const std::string& caption, std::uint32_t flags) = 0;

  // Single instance: FindWindowA, IsWindowVisible, PostMessageA.
  virtual WindowHandle findWindow(const std::string& className, const std::string& title) = 0;
  virtual bool isWindowVisible(WindowHandle window) = 0;
  virtual bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;

  // Session: ExitWindowsEx(flags, 0) and SetSystemPowerState(suspend, force).
  virtual bool exitWindows(std::uint32_t flags) = 0;
  virtual bool setSystemPowerState(bool suspend, bool force) = 0;

  // Dialogs. All return nothing when the user cancels.
  virtual std::optional<std::string> browseForFolder(const std::string& title) = 0;
  virtual std::optional<std::string> openPicture(const std::string& initialPath) = 0;
  // The name of a file to write, asked before an existing one is replaced; of one to read.
  virtual std::optional<std::string> saveFileName(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> openFileName(const FileDialog& dialog) = 0;
  // ShellExecuteA(main window, verb, file, parameters, directory, SW_SHOW).
  virtual void shellExecute(const std::string& verb, const std::string& file,
                            const std::string& parameters, const std::string& directory) = 0;

  // The main window's presence in the notification area and on the taskbar.
  virtual void showTrayIcon(const std::string& tip) = 0;
  virtual void removeTrayIcon() = 0;
  virtual void showMainWindow(bool shown) = 0;  // with its taskbar entry
  // The tray icon's popup menu, opened at the mouse pointer above and to the left of it; returns
  // the index of the chosen item, or -1 when the menu was dismissed.
  virtual int popupMenu(const std::vector<std::string>& items) = 0;

  // Window timers, by id; a set timer fires every period until killed.
  virtual void setTimer(int id, std::uint32_t periodMs) = 0;
  virtual void killTimer(int id) = 0;

  virtual MemoryStatus memoryStatus() = 0;
  virtual OsVersion osVersion() = 0;
  virtual std::string windowsDirectory() = 0;  // GetWindowsDirectoryA, 144-byte buffer
  virtual std::string currentDirectory() = 0;  // GetCurrentDirectoryA

  // Reads the five records of an existing file opened for reading and writing.
  virtual int readRecords(const std::string& path, Records& records) = 0;
  // Writes the five records as the whole file. A failure leaves the previous contents readable.
  virtual int writeRecords(const std::string& path, const Records& records) = 0;

  // Appends line and CR LF to a text file, made when missing; false when it cannot be written.
  // What must reach the user with nobody at the machine (an unattended run) goes here.
  virtual bool appendLine(const std::string& path, const std::string& line) = 0;

  // A whole file, or the file error number (2 file not found, 5 access denied, ...). A file
  // larger than maxBytes is read only as far as maxBytes + 1, which tells the caller so.
  virtual int readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) = 0;
  // Replaces the file by bytes, whole or not at all: what is there stays until the new file is
  // complete beside it. 0, or the file error number.
  virtual int writeFile(const std::string& path, const std::string& bytes) = 0;

  virtual LocalTime localTime() = 0;
};

}  // namespace varnex::app
