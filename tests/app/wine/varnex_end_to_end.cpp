// Drives the real varnex.exe under Wine as a user would: starts it from its program folder,
// starts it a second time, presses "Cancel" with the mouse, and starts it without Config.DAT.
// Usage: varnex_end_to_end Z:\path\to\Varnex.exe
#include <windows.h>

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

// A left click as the control receives it: press, then release over its middle.
void leftClick(HWND control) {
  RECT r;
  GetClientRect(control, &r);
  LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
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

  const std::string empty = "C:\\Varnex Empty";
  CreateDirectoryA(empty.c_str(), nullptr);
  PROCESS_INFORMATION missing = start(exe, empty);
  HWND box = waitForWindow(nullptr, "Application Error", 30000);
  check(box != nullptr, "a missing Config.DAT shows the Application Error box");
  check(box && childByCaption(box, "File not found") != nullptr, "which says File not found");
  check(FindWindowA("TForm1", "Varnex 2000") == nullptr, "and no main window exists");
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  check(exited(missing, 30000), "the program ends once the box is closed");
  stop(missing);

  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
