// Starts Varnex.exe from its own folder as the start menu does, waits for its main window and
// closes it as a user closing the window would, then waits for the program to end.
// Usage: start_and_close C:\path\to\Varnex.exe
#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: start_and_close Varnex.exe\n");
    return 2;
  }
  const std::string exe = argv[1];
  const std::string folder = exe.substr(0, exe.find_last_of('\\'));
  PROCESS_INFORMATION program = start(exe, folder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the installed program shows its window");
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  check(exited(program, 30000), "it ends when its window is closed");
  stop(program);
  return failures == 0 ? 0 : 1;
}
