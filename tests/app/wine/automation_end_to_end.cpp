// Drives the real varnex.exe under Wine on the sample machine as accessibility aids, macro
// recorders and auto-confirm tools do: presses sent as BM_CLICK or posted from this process,
// never a physical mouse press. Each must do what a click with the mouse does.
// Usage: automation_end_to_end "C:\Program Files\Varnex 2000\Varnex.exe"
#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

namespace {

// BM_CLICK from this process; it returns once the program has handled the click.
void sendClick(HWND control) {
  DWORD_PTR result = 0;
  if (control) SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_NORMAL, 30000, &result);
}

// A press and release posted to the control, as a macro player replays them.
void postClick(HWND control) {
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

bool checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::string msdosOption(const char* entry) {
  char value[64] = {};
  GetPrivateProfileStringA("Options", entry, "<absent>", value, sizeof value, "C:\\MSDOS.SYS");
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc != 2) {
    std::printf("usage: automation_end_to_end Varnex.exe\n");
    return 2;
  }
  PROCESS_INFORMATION program = start(argv[1], "C:\\Program Files\\Varnex 2000");
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the main window is shown");
  if (!window) {
    stop(program);
    return 1;
  }

  // Two Boot options, one sent a BM_CLICK and one posted a press, then "Apply" sent a BM_CLICK.
  HWND bootKeys = childByCaption(window, "Disable Boot Function Keys");
  HWND bootMenu = childByCaption(window, "Display Windows Boot Menu");
  check(bootKeys && bootMenu && !checked(bootKeys) && !checked(bootMenu), "both Boot options start unticked");
  sendClick(bootKeys);
  check(checked(bootKeys), "BM_CLICK ticks Disable Boot Function Keys");
  postClick(bootMenu);
  check(waitUntil([](HWND box) { return checked(box); }, bootMenu, 5000), "a posted press ticks Display Windows Boot Menu");
  sendClick(childByCaption(window, "Apply"));
  check(msdosOption("BootKeys") == "0", "Apply wrote BootKeys=0");
  check(msdosOption("BootMenu") == "1", "and BootMenu=1");
  check(checked(bootKeys) && checked(bootMenu), "the read pass after it keeps both ticked");

  // A secondary window: "About" and its "OK".
  check(selectTab(program.hProcess, window, 10), "the Varnex page is shown");
  sendClick(childByCaption(window, "About"));
  HWND about = waitForVisible("TAboutBox", "About", 10000);
  check(about != nullptr && !IsWindowEnabled(window), "BM_CLICK on About opens the information window");
  if (about) sendClick(childByCaption(about, "OK"));
  check(about && waitUntil([](HWND w) { return !IsWindowVisible(w); }, about, 5000), "BM_CLICK on its OK hides it");
  check(waitUntil([](HWND w) { return IsWindowEnabled(w) != FALSE; }, window, 5000), "and enables the main window");

  // "Back to Windows Default" asks first; this process answers No. The press that asked must
  // leave no control holding the mouse.
  HWND back = childByCaption(window, "Back to Windows Default");
  if (back) SendNotifyMessageA(back, BM_CLICK, 0, 0);
  HWND confirm = waitForVisible("#32770", "Confirm", 10000);
  check(confirm && childByCaption(confirm, "Are you sure ?"), "BM_CLICK on Back to Windows Default asks \"Are you sure ?\"");
  if (confirm) sendClick(childByCaption(confirm, "&No"));
  check(waitUntil([](HWND w) { return FindWindowA("#32770", "Confirm") == nullptr && IsWindowEnabled(w) != FALSE; },
                  window, 10000),
        "No closes the question");
  check(back && waitUntil([](HWND box) { return !checked(box); }, back, 5000), "and puts the box back to rest");
  check(captureOf(program.dwThreadId) == nullptr, "no control of the program holds the mouse");

  sendClick(childByCaption(window, "Cancel"));
  check(exited(program, 30000), "BM_CLICK on Cancel closes the program");
  stop(program);
  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
