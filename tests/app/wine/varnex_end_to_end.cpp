// Drives the real varnex.exe under Wine as a user would: starts it from its program folder,
// starts it a second time, presses "Cancel" with the mouse, and starts it without Config.DAT.
// Usage: varnex_end_to_end Z:\path\to\Varnex.exe
#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

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
    HWND logon = showPage(editing.hProcess, window, 1, "Restrict Logon Access");
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
