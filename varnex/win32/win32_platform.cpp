#include "varnex/win32/win32_platform.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <bit>
#include <cstddef>

#include "app/config_dat.h"
#include "settings/win32/win32_backend.h"
#include "settings/win32/win32_backup_platform.h"
#include "win32/handles.h"
#include "win32/late_bound.h"

namespace varnex::ui::win32 {

namespace {

using ::varnex::win32::lateBound;

// The common Open and Save As dialogs, bound when first shown; false also when comdlg32 is missing.
BOOL showOpenDialog(OPENFILENAMEA* info) {
  static const auto open = lateBound<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  return open && open(info);
}

BOOL showSaveDialog(OPENFILENAMEA* info) {
  static const auto saveAs = lateBound<decltype(GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
  return saveAs && saveAs(info);
}

// Record sizes that Windows 98 accepts; mingw-w64's own sizes are those of later versions.
constexpr DWORD kNotifyIconSize = offsetof(NOTIFYICONDATAA, szTip) + 64;  // NOTIFYICONDATAA_V1_SIZE
constexpr DWORD kOpenFileNameSize =  // OPENFILENAME_SIZE_VERSION_400A
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);
// The 64-bit stand-in build (tests only) has the same records with 64-bit pointers and sizes.
static_assert(sizeof(void*) == 8 || (kNotifyIconSize == 88 && kOpenFileNameSize == 76));
static_assert(sizeof(OSVERSIONINFOA) == 148 && (sizeof(void*) == 8 || sizeof(MEMORYSTATUS) == 32));

// Config.DAT holds the records as the processor does: 32-bit little-endian.
static_assert(std::endian::native == std::endian::little);
constexpr DWORD kRecordBytes = sizeof(app::Records);
static_assert(kRecordBytes == 20);

constexpr int kReadBeyondEnd = 100;
constexpr int kDiskFull = 101;

int lastFileError() { return app::fileErrorOf(GetLastError()); }


// The dialogs may move the current directory to where the user browsed; the program directory
// is the current directory (Config.DAT, the program's shortcuts), so it is put back.
class CurrentDirectoryKept {
 public:
  CurrentDirectoryKept() : directory_(settings::Win32Files().currentDirectory()) {}
  ~CurrentDirectoryKept() {
    if (!directory_.empty()) SetCurrentDirectoryA(directory_.c_str());
  }
  CurrentDirectoryKept(const CurrentDirectoryKept&) = delete;
  CurrentDirectoryKept& operator=(const CurrentDirectoryKept&) = delete;

 private:
  std::string directory_;
};

HWND hwndOf(app::WindowHandle window) { return reinterpret_cast<HWND>(window); }

const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

Win32Platform::~Win32Platform() {
  removeTrayIcon();
}

int Win32Platform::messageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
  if (beforeQuestion) beforeQuestion();
  // A box asked from a window opened over the main one (the command editor's "Are you sure ?")
  // belongs to that window: it waits disabled meanwhile and gets the activation back after. Owned
  // by the main window, the box would activate it on closing, before the editor has asked for
  // the refill that the main window's next activation does.
  HWND owner = GetActiveWindow();
  if (!owner || !IsWindowVisible(owner)) owner = window_;
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

app::WindowHandle Win32Platform::findWindow(const std::string& className, const std::string& title) {
  return reinterpret_cast<app::WindowHandle>(FindWindowA(className.c_str(), title.c_str()));
}

bool Win32Platform::isWindowVisible(app::WindowHandle window) {
  return IsWindowVisible(hwndOf(window)) != FALSE;
}

bool Win32Platform::postMessage(app::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  return PostMessageA(hwndOf(window), message, wParam, lParam) != FALSE;
}

bool Win32Platform::exitWindows(std::uint32_t flags) { return ExitWindowsEx(flags, 0) != FALSE; }

// kernel32 exports it on 98 as on NT; only NT asks for the shutdown privilege, which 98 lacks.
bool Win32Platform::setSystemPowerState(bool suspend, bool force) {
  return SetSystemPowerState(suspend, force) != FALSE;
}

std::optional<std::string> Win32Platform::browseForFolder(const std::string& title) {
  CurrentDirectoryKept kept;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = window_;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;  // the classic dialog: 98's shell has no newer style
  static const auto browse = lateBound<decltype(SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
  static const auto pathOf = lateBound<decltype(SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
  static const auto freeIdList = lateBound<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
  static const auto startCom = lateBound<decltype(CoInitialize)>("ole32.dll", "CoInitialize");
  static const auto stopCom = lateBound<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
  if (!browse || !pathOf || !freeIdList || !startCom || !stopCom) return std::nullopt;
  // The folder dialog wants the component system; the stores start it only for shortcuts.
  const bool started = SUCCEEDED(startCom(nullptr));
  auto chosen = browse(&info);
  char path[MAX_PATH] = {};
  const BOOL isFolder = chosen && pathOf(chosen, path);
  if (chosen) freeIdList(chosen);  // ILFree is exported by ordinal only on 98
  if (started) stopCom();
  if (!isFolder) return std::nullopt;
  return std::string(path);
}

// The plain open dialog: 98's common dialogs show no picture preview.
std::optional<std::string> Win32Platform::openPicture(const std::string& initialPath) {
  const std::size_t cut = initialPath.find_last_of('\\');
  const std::string directory = cut == std::string::npos ? std::string() : initialPath.substr(0, cut);
  const std::string name = cut == std::string::npos ? initialPath : initialPath.substr(cut + 1);
  char file[MAX_PATH] = {};
  name.copy(file, sizeof file - 1);
  CurrentDirectoryKept kept;

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = kOpenFileNameSize;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = "Bitmaps (*.bmp)\0*.bmp\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrInitialDir = orNull(directory);
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (showOpenDialog(&dialog)) return std::string(file);
  // A name the dialog refuses to start with: open it once more with an empty name.
  static const auto lastError = lateBound<decltype(CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
  if (file[0] != '\0' && lastError && lastError() == FNERR_INVALIDFILENAME) {
    file[0] = '\0';
    if (showOpenDialog(&dialog)) return std::string(file);
  }
  return std::nullopt;
}

namespace {

// One kind of file in the Open and Save As dialogs: "Name\0pattern\0\0".
std::string filterOf(const app::FileDialog& dialog) {
  return dialog.filterName + '\0' + dialog.pattern + '\0' + '\0';
}

std::optional<std::string> fileDialog(HWND owner, const app::FileDialog& dialog, bool save) {
  CurrentDirectoryKept kept;
  const std::string filter = filterOf(dialog);
  char file[MAX_PATH] = {};
  OPENFILENAMEA info = {};
  info.lStructSize = kOpenFileNameSize;
  info.hwndOwner = owner;
  info.lpstrFilter = filter.c_str();
  info.nFilterIndex = 1;
  info.lpstrFile = file;
  info.nMaxFile = sizeof file;
  info.lpstrTitle = orNull(dialog.title);
  info.lpstrDefExt = orNull(dialog.extension);
  info.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
               (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? showSaveDialog(&info) : showOpenDialog(&info))) return std::nullopt;
  return std::string(file);
}

}  // namespace

std::optional<std::string> Win32Platform::saveFileName(const app::FileDialog& dialog) {
  return fileDialog(window_, dialog, true);
}

std::optional<std::string> Win32Platform::openFileName(const app::FileDialog& dialog) {
  return fileDialog(window_, dialog, false);
}

void Win32Platform::shellExecute(const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& directory) {
  static const auto execute = lateBound<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  if (execute) execute(window_, orNull(verb), file.c_str(), orNull(parameters), orNull(directory), SW_SHOW);
}

HICON Win32Platform::trayIcon() {
  if (trayIcon_) return trayIcon_;
  if (trayIconResource_ != 0) {
    // The small size, so that the notification area need not shrink the large image.
    ownTrayIcon_.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(trayIconResource_),
                                                     IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    trayIcon_ = ownTrayIcon_.get();
  }
  if (!trayIcon_) trayIcon_ = LoadIconA(nullptr, IDI_APPLICATION);
  return trayIcon_;
}

bool Win32Platform::notifyIcon(DWORD action) {
  NOTIFYICONDATAA data = {};
  data.cbSize = kNotifyIconSize;
  data.hWnd = window_;
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = trayMessage_;
  data.hIcon = trayIcon();
  trayTip_.copy(data.szTip, 63);  // the tip of the 88-byte record: 63 characters and the NUL
  static const auto notify = lateBound<decltype(Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
  return notify && notify(action, &data) != FALSE;
}

void Win32Platform::showTrayIcon(const std::string& tip) {
  trayTip_ = tip;
  if (trayShown_ && notifyIcon(NIM_MODIFY)) return;
  trayShown_ = true;
  notifyIcon(NIM_ADD);
}

void Win32Platform::removeTrayIcon() {
  if (!trayShown_) return;
  notifyIcon(NIM_DELETE);
  trayShown_ = false;
}

void Win32Platform::restoreTrayIcon() {
  if (trayShown_) notifyIcon(NIM_ADD);
}

// A hidden top-level window has no taskbar button on 98, so the window's visibility carries both.
void Win32Platform::showMainWindow(bool shown) {
  if (!window_) return;
  if (!shown) {
    ShowWindow(window_, SW_HIDE);
    return;
  }
  ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window_);
}

int Win32Platform::popupMenu(const std::vector<std::string>& items) {
  if (!window_) return -1;
  ::varnex::win32::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return -1;
  UINT id = 0;
  for (const std::string& item : items) AppendMenuA(menu.get(), MF_STRING, ++id, item.c_str());
  POINT at = {};
  GetCursorPos(&at);
  // The window must be in the foreground for the menu to close when the user clicks elsewhere,
  // and it needs a message after the menu so that a second opening works.
  SetForegroundWindow(window_);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RIGHTALIGN | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                       at.x, at.y, 0, window_, nullptr));
  PostMessageA(window_, WM_NULL, 0, 0);
  return chosen == 0 ? -1 : static_cast<int>(chosen) - 1;
}

void Win32Platform::setTimer(int id, std::uint32_t periodMs) {
  if (window_) SetTimer(window_, static_cast<UINT_PTR>(id), periodMs, nullptr);
}

void Win32Platform::killTimer(int id) {
  if (window_) KillTimer(window_, static_cast<UINT_PTR>(id));
}

app::MemoryStatus Win32Platform::memoryStatus() {
  MEMORYSTATUS status = {};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  // The sizes are 32-bit on every system we ship to; the 64-bit stand-in's saturate the way a
  // 32-bit program's do above 4 GB.
  auto size = [](SIZE_T n) { return static_cast<std::uint32_t>(std::min<SIZE_T>(n, 0xFFFFFFFFu)); };
  return app::MemoryStatus{status.dwLength,          status.dwMemoryLoad,
                           size(status.dwTotalPhys),     size(status.dwAvailPhys),
                           size(status.dwTotalPageFile), size(status.dwAvailPageFile),
                           size(status.dwTotalVirtual),  size(status.dwAvailVirtual)};
}

app::OsVersion Win32Platform::osVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return {};
  return app::OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                        info.dwBuildNumber, info.szCSDVersion};
}

std::string Win32Platform::windowsDirectory() { return settings::Win32Files().windowsDirectory(); }

std::string Win32Platform::currentDirectory() { return settings::Win32Files().currentDirectory(); }

// Opened for reading and writing although only read, so a read-only file is refused (5).
int Win32Platform::readRecords(const std::string& path, app::Records& records) {
  ::varnex::win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return lastFileError();
  app::Records read = {};
  DWORD got = 0;
  if (!ReadFile(file.get(), read.data(), kRecordBytes, &got, nullptr)) return lastFileError();
  if (got < kRecordBytes) return kReadBeyondEnd;
  records = read;
  return 0;
}

// Overwrites the first 20 bytes in place and cuts the file there. Nothing is truncated before
// the write (98 has no replacing move), and rewriting bytes a readable file already holds needs
// no new disk space; a file that cannot be opened for writing stays as it was.
int Win32Platform::writeRecords(const std::string& path, const app::Records& records) {
  ::varnex::win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_ARCHIVE, nullptr));
  if (!file) return lastFileError();
  DWORD written = 0;
  if (!WriteFile(file.get(), records.data(), kRecordBytes, &written, nullptr)) return lastFileError();
  if (written < kRecordBytes) return kDiskFull;
  if (!SetEndOfFile(file.get())) return lastFileError();
  return 0;
}

bool Win32Platform::appendLine(const std::string& path, const std::string& line) {
  return settings::appendToFile(path, line + "\r\n");
}

int Win32Platform::readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
  ::varnex::win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return lastFileError();
  std::string read;
  char chunk[4096];
  DWORD got = 0;
  while (read.size() <= maxBytes) {
    if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return lastFileError();
    if (got == 0) break;
    read.append(chunk, got);
  }
  if (read.size() > maxBytes + 1) read.resize(maxBytes + 1);
  bytes = std::move(read);
  return 0;
}

int Win32Platform::writeFile(const std::string& path, const std::string& bytes) {
  const std::string beside = path + ".tmp";
  {
    ::varnex::win32::UniqueFile file(CreateFileA(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                 FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file) return lastFileError();
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const int error = !ok ? lastFileError() : written < bytes.size() ? kDiskFull : 0;
    if (error != 0) {
      file.reset();
      DeleteFileA(beside.c_str());
      return error;
    }
  }
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(path.c_str())) {
    const int error = lastFileError();
    DeleteFileA(beside.c_str());
    return error;
  }
  if (!MoveFileA(beside.c_str(), path.c_str())) return lastFileError();
  return 0;
}

app::LocalTime Win32Platform::localTime() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace varnex::ui::win32
