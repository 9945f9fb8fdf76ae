#pragma once
// What the end-to-end drivers of varnex.exe share: starting it from its folder, finding its
// windows and controls, real mouse input (SendInput, as a user's hand gives it), tab clicks,
// running a command such as "reg query", and one line per check.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0500
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace varnex::e2e {


inline int failures = 0;
inline void check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++failures;
}

inline bool writeFile(const std::string& path, const void* data, DWORD size) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(f, data, size, &written, nullptr);
  CloseHandle(f);
  return ok && written == size;
}

inline std::vector<unsigned char> readFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  unsigned char chunk[256];
  DWORD got = 0;
  while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  CloseHandle(f);
  return bytes;
}

// A program folder holding a Config.DAT of five zero records, so that the program starts.
inline void prepareProgramFolder(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  const unsigned char records[20] = {0};
  check(writeFile(folder + "\\Config.DAT", records, sizeof records), "Config.DAT is in the program folder");
}

inline PROCESS_INFORMATION start(const std::string& exe, const std::string& folder) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string command = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    std::printf("cannot start %s: error %lu\n", exe.c_str(), GetLastError());
  return pi;
}

inline bool waitUntilVisible(HWND window, DWORD ms) {
  for (DWORD waited = 0; window && waited < ms; waited += 100) {
    if (IsWindowVisible(window)) return true;
    Sleep(100);
  }
  return false;
}

// The top-level window of that class and title once it is visible, or null after ms.
inline HWND waitForVisible(const char* cls, const char* title, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100, Sleep(100))
    if (HWND w = FindWindowA(cls, title); w && IsWindowVisible(w)) return w;
  return nullptr;
}

inline bool waitUntil(bool (*condition)(HWND), HWND w, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100, Sleep(100))
    if (condition(w)) return true;
  return false;
}

inline HWND waitForWindow(const char* cls, const char* title, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    if (HWND w = FindWindowA(cls, title)) return w;
    Sleep(100);
  }
  return nullptr;
}

struct Search {
  const char* text;
  HWND found;
};
inline BOOL CALLBACK findByCaption(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (std::strcmp(text, search->text) == 0 && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
inline HWND childByCaption(HWND parent, const char* caption) {
  Search search{caption, nullptr};
  EnumChildWindows(parent, findByCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline BOOL CALLBACK countMainWindows(HWND hwnd, LPARAM param) {
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (std::strcmp(cls, "TForm1") == 0) ++*reinterpret_cast<int*>(param);
  return TRUE;
}

// A left click with the mouse at a point of the screen.
inline void clickAt(POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT input[2] = {};
  input[0].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1] = input[0];
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
  Sleep(300);
}

// A key press, with Alt held when alt is set.
inline void pressKey(WORD key, bool alt = false) {
  INPUT input[4] = {};
  int n = 0;
  auto add = [&](WORD vk, DWORD flags) {
    input[n].type = INPUT_KEYBOARD;
    input[n].ki.wVk = vk;
    input[n++].ki.dwFlags = flags;
  };
  if (alt) add(VK_MENU, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (alt) add(VK_MENU, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(n), input, sizeof(INPUT));
  Sleep(300);
}

// A left click on an item of a list box, or of a combo box's dropped list, of the program.
inline void clickListItem(HWND list, int index) {
  const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  POINT at = {10, (index - top) * height + height / 2};
  ClientToScreen(list, &at);
  clickAt(at);
}

inline void leftClick(HWND control) {
  RECT r;
  if (!control || !GetWindowRect(control, &r)) return;
  clickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// Selects a tab of the window's tab control with a left click on it. The tab's rectangle lives
// in the program's memory, so it is asked for through a buffer in that process.
inline void clickTab(HANDLE process, HWND window, int index) {
  HWND tabs = FindWindowExA(window, nullptr, "SysTabControl32", nullptr);
  RECT r = {};
  void* remote = VirtualAllocEx(process, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
  bool found = tabs && remote && SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote)) &&
               ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (!found) {
    std::printf("no tab %d to click\n", index);
    return;
  }
  POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  MapWindowPoints(tabs, nullptr, &at, 1);
  clickAt(at);
  // A page makes its controls the first time it shows, which a loaded machine can stretch past
  // any fixed pause: wait until the program has handled the click.
  WaitForInputIdle(process, 10000);
}

// Selects a tab and waits until the tab control shows it; the first click after start-up may
// only activate the window, so it is clicked again. False when the tab never came up.
inline bool selectTab(HANDLE process, HWND window, int index) {
  HWND tabs = FindWindowExA(window, nullptr, "SysTabControl32", nullptr);
  for (int attempt = 0; attempt < 5; ++attempt) {
    clickTab(process, window, index);
    Sleep(500);
    if (SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == index) return true;
  }
  return false;
}

// Selects a tab and waits until its page shows the control with that caption (a page makes its
// controls the first time it shows). The control, or null when the page never came up.
inline HWND showPage(HANDLE process, HWND window, int index, const char* caption) {
  HWND tabs = FindWindowExA(window, nullptr, "SysTabControl32", nullptr);
  for (int attempt = 0; attempt < 5; ++attempt) {
    clickTab(process, window, index);
    for (int wait = 0; wait < 20; ++wait, Sleep(100)) {
      HWND control = childByCaption(window, caption);
      if (control && SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == index && IsWindowVisible(control)) return control;
    }
  }
  return nullptr;
}

// The window of the program's thread that holds the mouse capture, or null.
inline HWND captureOf(DWORD thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndCapture : nullptr;
}

// The text of a control of another process (WM_GETTEXT reaches it where GetWindowText does not).
inline std::string textOf(HWND hwnd) {
  char text[4096] = {};
  SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

inline std::string run(const std::string& command) {
  const std::string out = "C:\\varnex-e2e-out.txt";
  std::string line = "cmd /c " + command + " > " + out;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  std::vector<unsigned char> bytes = readFile(out);
  return std::string(bytes.begin(), bytes.end());
}

inline bool exited(const PROCESS_INFORMATION& pi, DWORD ms) {
  return pi.hProcess && WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0;
}

inline void stop(PROCESS_INFORMATION& pi) {
  if (!pi.hProcess) return;
  if (!exited(pi, 0)) TerminateProcess(pi.hProcess, 9);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  pi = {};
}


}  // namespace varnex::e2e
