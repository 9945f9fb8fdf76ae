// Runs a command while one of our programs runs, as a user runs setup with the program still
// open: starts the program from its folder, waits for its window, runs the command to its end,
// then closes the program (ends it if it does not close). Prints the command's exit code as
// "exit code N"; ends with 1 when the program or the command could not be run.
// Usage: while_running PROGRAM.exe CLASS TITLE COMMAND-LINE   (TITLE "-": any title)
#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

int main(int argc, char** argv) {
  if (argc != 5) {
    std::printf("usage: while_running PROGRAM.exe CLASS TITLE|- COMMAND-LINE\n");
    return 2;
  }
  const std::string exe = argv[1];
  const char* cls = argv[2];
  const char* title = std::strcmp(argv[3], "-") == 0 ? nullptr : argv[3];
  std::string command = argv[4];

  PROCESS_INFORMATION program = start(exe, exe.substr(0, exe.find_last_of('\\')));
  HWND window = waitForWindow(cls, title, 60000);
  check(window != nullptr, "the program runs and has its window");
  if (!window) {
    stop(program);
    return 1;
  }

  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION run = {};
  const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &run);
  check(started, "the command starts");
  DWORD code = 0;
  if (started) {
    check(exited(run, 120000), "the command ends");
    GetExitCodeProcess(run.hProcess, &code);
    stop(run);
    std::printf("exit code %lu\n", static_cast<unsigned long>(code));
  }
  check(FindWindowA(cls, title) == window, "the program still runs after the command");

  PostMessageA(window, WM_CLOSE, 0, 0);
  exited(program, 10000);
  stop(program);
  return failures == 0 ? 0 : 1;
}
