// Start-to-window-shown of Varnex.exe beside a bare Win32 window program, and how many native
// windows each has when its window shows. Prints numbers; asserts nothing.
// Usage: start_bench Z:\...\Varnex.exe Z:\...\bare_window.exe [runs]
// Varnex.exe starts in its own folder, which must hold its Config.DAT.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/bench/bench_support.h"

namespace {

using varnex::bench::now;

struct Start {
  double ms;    // from CreateProcess to the window being visible; negative when it never showed
  int windows;  // native windows of the program's thread at that moment
};

Start timeToWindow(const std::string& exe, const std::string& folder, const char* cls, const char* title) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string command = "\"" + exe + "\"";
  double start = now();
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return {-1, 0};
  double shown = -1;
  HWND window = nullptr;
  while (now() - start < 60000) {
    window = FindWindowA(cls, title);
    if (window && IsWindowVisible(window)) {
      shown = now() - start;
      break;
    }
    Sleep(1);
  }
  const int windows = window ? varnex::bench::windowsOf(pi.dwThreadId) : 0;
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return {shown, windows};
}

struct Stats {
  double median, best;
};
Stats stats(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v.front()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: start_bench Varnex.exe bare_window.exe [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
  const std::string exe = argv[1];
  const std::string folder = exe.substr(0, exe.find_last_of("\\/"));
  const std::string config = folder + "\\Config.DAT";
  if (GetFileAttributesA(config.c_str()) == INVALID_FILE_ATTRIBUTES) {
    HANDLE file = CreateFileA(config.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char zeros[20] = {};
    DWORD written = 0;
    WriteFile(file, zeros, sizeof zeros, &written, nullptr);
    CloseHandle(file);
  }

  std::vector<double> varnex, bare;
  int varnexWindows = 0, bareWindows = 0;
  for (int i = 0; i < runs; ++i) {
    const Start b = timeToWindow(argv[2], folder, "BareWindow", "Bare Window");
    const Start v = timeToWindow(exe, folder, "TForm1", "Varnex 2000");
    bare.push_back(b.ms);
    varnex.push_back(v.ms);
    bareWindows = std::max(bareWindows, b.windows);
    varnexWindows = std::max(varnexWindows, v.windows);
  }

  Stats v = stats(varnex), b = stats(bare);
  std::printf("%-30s %10s %10s %8s %8s\n", "start to shown window, ms", "median", "best", "ratio", "windows");
  std::printf("%-30s %10.1f %10.1f %8s %8d\n", "bare window program", b.median, b.best, "", bareWindows);
  std::printf("%-30s %10.1f %10.1f %7.2fx %8d\n", "Varnex.exe", v.median, v.best,
              b.median > 0 ? v.median / b.median : 0.0, varnexWindows);
  std::printf("(%d runs each, alternating; windows = native windows of the program's thread when "
              "its window shows)\n", runs);
  return 0;
}
