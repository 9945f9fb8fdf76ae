// Drives the real varnex.exe under Wine on its "Windows" page with the mouse: the Notepad verb
// for unknown files and the bitmap thumbnails go on with "Apply" and off again with "Apply", and
// the registry is read back with "reg query" after each.
// Usage: windows_page_end_to_end Z:\path\to\Varnex.exe
#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

namespace {

const char* const kSavedIcon = "C:\\WINDOWS\\pbrush.exe,1";

// The data of one value as "reg query" prints it, or nothing when the key or value is missing.
struct Query {
  bool found = false;
  std::string data;
};

Query queryValue(const std::string& key, const char* name) {
  const std::string out = run("reg query \"" + key + "\" " + (name ? std::string("/v ") + name : std::string("/ve")));
  Query q;
  const std::size_t type = out.find("REG_SZ");
  if (type == std::string::npos) return q;
  q.found = true;
  std::size_t from = out.find_first_not_of(' ', type + 6);
  std::size_t to = out.find_first_of("\r\n", type);
  if (from != std::string::npos && from < to) q.data = out.substr(from, to - from);
  while (!q.data.empty() && q.data.back() == ' ') q.data.pop_back();
  return q;
}

bool keyPresent(const std::string& key) { return run("reg query \"" + key + "\"").find("HKEY_") != std::string::npos; }

bool isChecked(HWND box) { return box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void report(const Query& q, const char* what) {
  if (!q.found) std::printf("  (%s: not found)\n", what);
  else std::printf("  (%s: \"%s\")\n", what, q.data.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: windows_page_end_to_end Varnex.exe\n");
    return 2;
  }
  const std::string exe = argv[1];
  const std::string folder = "C:\\Varnex Windows E2E";
  prepareProgramFolder(folder);

  const std::string unknownShell = "HKLM\\Software\\CLASSES\\Unknown\\shell";
  const std::string icon = "HKCR\\Paint.Picture\\DefaultIcon";
  run("reg delete \"" + unknownShell + "\\NotePad\" /f");
  run("reg delete \"" + icon + "\" /v OldBitmapIcon /f");
  run("reg add \"" + icon + "\" /ve /d \"" + kSavedIcon + "\" /f");
  check(queryValue(icon, nullptr).data == kSavedIcon, "bitmaps start with an icon of their own");

  PROCESS_INFORMATION program = start(exe, folder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the main window is shown");
  if (window) {
    HWND notepad = showPage(program.hProcess, window, 2, "Use Notepad to Open Unknown Files");
    HWND thumbnail = childByCaption(window, "Display Bitmap Icon as Thumbnail");
    check(notepad && thumbnail, "the Windows page shows both options");
    check(!isChecked(notepad) && !isChecked(thumbnail), "both read unchecked");
    leftClick(notepad);
    leftClick(thumbnail);
    check(isChecked(notepad) && isChecked(thumbnail), "the mouse checked both");
    leftClick(childByCaption(window, "Apply"));
    Sleep(500);

    Query shell = queryValue(unknownShell, nullptr);
    Query verb = queryValue(unknownShell + "\\NotePad", nullptr);
    Query command = queryValue(unknownShell + "\\NotePad\\Command", nullptr);
    check(shell.data == "Notepad", "Unknown\\shell (default) is Notepad");
    check(verb.data == "&Notepad", "Unknown\\shell\\NotePad (default) is &Notepad");
    check(command.data == "notepad.exe %1", "Unknown\\shell\\NotePad\\Command (default) is notepad.exe %1");
    report(command, "Command");
    Query now = queryValue(icon, nullptr);
    Query saved = queryValue(icon, "OldBitmapIcon");
    check(now.data == "%1", "Paint.Picture\\DefaultIcon (default) is %1");
    check(saved.data == kSavedIcon, "OldBitmapIcon holds the icon that was in force");
    report(saved, "OldBitmapIcon");
    check(isChecked(notepad) && isChecked(thumbnail), "the read pass after Apply shows both checked");

    leftClick(notepad);
    leftClick(thumbnail);
    check(!isChecked(notepad) && !isChecked(thumbnail), "the mouse unchecked both");
    leftClick(childByCaption(window, "Apply"));
    Sleep(500);
    check(!keyPresent(unknownShell + "\\NotePad"), "the NotePad verb is gone");
    Query emptied = queryValue(unknownShell, nullptr);
    check(emptied.found && emptied.data.empty(), "Unknown\\shell (default) is empty");
    Query back = queryValue(icon, nullptr);
    check(back.data == kSavedIcon, "the saved icon is back in Paint.Picture\\DefaultIcon");
    report(back, "DefaultIcon");
    check(!queryValue(icon, "OldBitmapIcon").found, "OldBitmapIcon is gone");
    check(!isChecked(notepad) && !isChecked(thumbnail), "the read pass after Apply shows both unchecked");

    leftClick(childByCaption(window, "Cancel"));
    check(exited(program, 30000), "Cancel closes the program");
  }
  stop(program);

  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
