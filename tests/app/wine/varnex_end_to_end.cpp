// Drives the real varnex.exe under Wine as a user would: starts it from its program folder,
// starts it a second time, presses "Cancel" with the mouse, and starts it without Config.DAT.
// Usage: varnex_end_to_end Z:\path\to\Varnex.exe
// SendInput: real mouse input, as a user's hand gives it.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0500
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int failures = 0;
void check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++failures;
}

bool writeFile(const std::string& path, const void* data, DWORD size) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(f, data, size, &written, nullptr);
  CloseHandle(f);
  return ok && written == size;
}

std::vector<unsigned char> readFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  unsigned char chunk[256];
  DWORD got = 0;
  while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  CloseHandle(f);
  return bytes;
}

PROCESS_INFORMATION start(const std::string& exe, const std::string& folder) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string command = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    std::printf("cannot start %s: error %lu\n", exe.c_str(), GetLastError());
  return pi;
}

bool waitUntilVisible(HWND window, DWORD ms) {
  for (DWORD waited = 0; window && waited < ms; waited += 100) {
    if (IsWindowVisible(window)) return true;
    Sleep(100);
  }
  return false;
}

HWND waitForWindow(const char* cls, const char* title, DWORD ms) {
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
BOOL CALLBACK findByCaption(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (std::strcmp(text, search->text) == 0 && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
HWND childByCaption(HWND parent, const char* caption) {
  Search search{caption, nullptr};
  EnumChildWindows(parent, findByCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK countMainWindows(HWND hwnd, LPARAM param) {
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (std::strcmp(cls, "TForm1") == 0) ++*reinterpret_cast<int*>(param);
  return TRUE;
}

// A left click with the mouse at a point of the screen.
void clickAt(POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT input[2] = {};
  input[0].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1] = input[0];
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
  Sleep(300);
}

void leftClick(HWND control) {
  RECT r;
  if (!control || !GetWindowRect(control, &r)) return;
  clickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// Selects a tab of the window's tab control with a left click on it. The tab's rectangle lives
// in the program's memory, so it is asked for through a buffer in that process.
void clickTab(HANDLE process, HWND window, int index) {
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
}

std::string run(const std::string& command) {
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

bool exited(const PROCESS_INFORMATION& pi, DWORD ms) {
  return pi.hProcess && WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0;
}

void stop(PROCESS_INFORMATION& pi) {
  if (!pi.hProcess) return;
  if (!exited(pi, 0)) TerminateProcess(pi.hProcess, 9);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  pi = {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: varnex_end_to_end Varnex.exe\n");
    return 2;
  }
  const std::string exe = argv[1];
  const std::string folder = "C:\\Varnex E2E";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string config = folder + "\\Config.DAT";
  const unsigned char records[20] = {0x11, 0x22, 0x33, 0x44, 5, 6, 7, 8, 1, 0, 0, 0, 9, 10, 11, 12, 0xAA, 0xBB, 0xCC, 0xDD};
  check(writeFile(config, records, sizeof records), "a first-run Config.DAT is in the program folder");

  PROCESS_INFORMATION first = start(exe, folder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(window != nullptr, "the window of class TForm1 titled Varnex 2000 appears");
  check(waitUntilVisible(window, 30000), "it is shown");
  std::vector<unsigned char> afterStart = readFile(config);
  check(afterStart.size() == 20 && afterStart[8] == 0 && std::memcmp(afterStart.data(), records, 8) == 0 &&
            std::memcmp(afterStart.data() + 12, records + 12, 8) == 0,
        "start-up reset the first-run record and kept the reserved ones");
  check(GetFileAttributesA((folder + "\\Uninstall.lnk").c_str()) != INVALID_FILE_ATTRIBUTES,
        "the first run copied the uninstall shortcut (empty when the start menu has none)");

  PROCESS_INFORMATION second = start(exe, folder);
  check(exited(second, 30000), "a second start ends at once");
  int windows = 0;
  EnumWindows(countMainWindows, reinterpret_cast<LPARAM>(&windows));
  check(windows == 1, "no second main window appears");
  stop(second);

  // Hidden to the notification area, the window comes back when the program is started again.
  if (window) {
    leftClick(childByCaption(window, "Hide"));
    bool hidden = false;
    for (int i = 0; i < 50 && !hidden; ++i, Sleep(100)) hidden = !IsWindowVisible(window);
    check(hidden, "Hide hides the main window");
    PROCESS_INFORMATION third = start(exe, folder);
    check(exited(third, 30000), "a start while it is hidden ends at once");
    stop(third);
    check(waitUntilVisible(window, 30000), "and the hidden window is shown again");
    // The session-end query runs the close query; nothing asks, so the session may end.
    DeleteFileA(config.c_str());
    DWORD_PTR mayEnd = 0;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 30000, &mayEnd);
    check(mayEnd != 0, "the session may end");
    check(readFile(config).size() == 20, "the session-end query wrote Config.DAT");
  }

  if (window) {
    DeleteFileA(config.c_str());
    HWND cancel = childByCaption(window, "Cancel");
    check(cancel != nullptr, "the Cancel button is found by its caption");
    if (cancel) leftClick(cancel);
    check(exited(first, 30000), "Cancel closes the program");
    std::vector<unsigned char> rewritten = readFile(config);
    check(rewritten.size() == 20 && std::memcmp(rewritten.data(), afterStart.data(), 20) == 0,
          "closing rewrote Config.DAT with the window's records");
  }
  stop(first);

  // A Boot option and a System option pressed with the left button, then "OK" and No to the
  // restart question: both settings are written and MSDOS.SYS gets its boot attributes back.
  const unsigned char later[20] = {0};
  writeFile(config, later, sizeof later);
  const char msdos[] = "[Paths]\r\nWinDir=C:\\WINDOWS\r\n[Options]\r\nBootKeys=1\r\nBootGUI=1\r\n";
  writeFile("C:\\MSDOS.SYS", msdos, sizeof msdos - 1);
  SetFileAttributesA("C:\\MSDOS.SYS", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  PROCESS_INFORMATION editing = start(exe, folder);
  window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the window is back for editing");
  check((GetFileAttributesA("C:\\MSDOS.SYS") & 7) == 0, "while it runs MSDOS.SYS is archive only");
  if (window) {
    HWND bootKeys = childByCaption(window, "Disable Boot Function Keys");
    check(bootKeys != nullptr, "Disable Boot Function Keys is found");
    if (bootKeys) leftClick(bootKeys);
    clickTab(editing.hProcess, window, 1);
    Sleep(500);
    HWND logon = childByCaption(window, "Restrict Logon Access");
    check(logon != nullptr, "the System page shows Restrict Logon Access");
    if (logon) leftClick(logon);
    Sleep(500);
    if (HWND ok = childByCaption(window, "OK")) leftClick(ok);
    HWND question = waitForWindow(nullptr, "Confirm", 30000);
    check(question != nullptr, "OK asks the restart question");
    if (question) leftClick(GetDlgItem(question, IDNO));
    check(exited(editing, 30000), "No lets the program end");
  }
  stop(editing);
  std::vector<unsigned char> boot = readFile("C:\\MSDOS.SYS");
  std::string bootText(boot.begin(), boot.end());
  check(bootText.find("BootKeys=0") != std::string::npos && bootText.find("[Options]") < bootText.find("BootKeys=0"),
        "MSDOS.SYS holds BootKeys=0 in [Options]");
  check((GetFileAttributesA("C:\\MSDOS.SYS") & 7) == 7, "MSDOS.SYS is read-only, hidden and system again");
  std::string query = run("reg query \"HKLM\\Network\\Logon\" /v MustBeValidated");
  check(query.find("0x1") != std::string::npos, "reg query shows MustBeValidated = 1");
  if (query.find("0x1") == std::string::npos) std::printf("reg query said: %s\n", query.c_str());

  const std::string empty = "C:\\Varnex Empty";
  CreateDirectoryA(empty.c_str(), nullptr);
  PROCESS_INFORMATION missing = start(exe, empty);
  HWND box = waitForWindow(nullptr, "Application Error", 30000);
  check(box != nullptr, "a missing Config.DAT shows the Application Error box");
  HWND text = nullptr;
  for (int i = 0; box && !text && i < 50; ++i, Sleep(100)) text = childByCaption(box, "File not found");
  check(text != nullptr, "which says File not found");
  check(FindWindowA("TForm1", "Varnex 2000") == nullptr, "and no main window exists");
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  check(exited(missing, 30000), "the program ends once the box is closed");
  stop(missing);

  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
