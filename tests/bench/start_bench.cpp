// Start-to-window-shown of varnex.exe beside a bare Win32 window program, and the durations of
// the read and write passes over the real Windows stores. Prints numbers; asserts nothing.
// Usage: start_bench Z:\...\Varnex.exe Z:\...\bare_window.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "pages/catalogue.h"
#include "settings/win32/win32_backend.h"
#include "tests/bench/milliseconds.h"
#include "varnex/win32/win32_platform.h"

namespace {

// Milliseconds from CreateProcess to the window being visible; negative when it never showed.
double timeToWindow(const std::string& exe, const std::string& folder, const char* cls, const char* title) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string command = "\"" + exe + "\"";
  double start = now();
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return -1;
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
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return shown;
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
  const std::string folder = "C:\\Varnex Bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  HANDLE config = CreateFileA((folder + "\\Config.DAT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const char zeros[20] = {};
  DWORD written = 0;
  WriteFile(config, zeros, sizeof zeros, &written, nullptr);
  CloseHandle(config);

  std::vector<double> varnex, bare;
  for (int i = 0; i < runs; ++i) {
    bare.push_back(timeToWindow(argv[2], folder, "BareWindow", "Bare Window"));
    varnex.push_back(timeToWindow(argv[1], folder, "TForm1", "Varnex 2000"));
  }

  varnex::settings::Win32Backend backend;
  varnex::ui::win32::Win32Platform platform;
  varnex::app::MainWindow window(platform, backend.apis());
  auto catalogue = varnex::pages::buildCatalogue(window);
  std::vector<double> reads, writes;
  for (int i = 0; i < runs; ++i) {
    double t = now();
    window.BacaData();
    reads.push_back(now() - t);
    t = now();
    window.TulisData();
    writes.push_back(now() - t);
  }

  Stats v = stats(varnex), b = stats(bare), r = stats(reads), w = stats(writes);
  std::printf("%-34s %10s %10s\n", "under Wine, milliseconds", "median", "best");
  std::printf("%-34s %10.1f %10.1f\n", "bare window: start to shown", b.median, b.best);
  std::printf("%-34s %10.1f %10.1f\n", "varnex.exe: start to shown", v.median, v.best);
  std::printf("%-34s %10.2f %10.2f\n", "read pass (BacaData)", r.median, r.best);
  std::printf("%-34s %10.2f %10.2f\n", "write pass (TulisData)", w.median, w.best);
  std::printf("(%d runs each, %zu rows per pass)\n", runs, window.readPass().size());
  return 0;
}
