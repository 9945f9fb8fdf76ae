// Drives the real varnex.exe under Wine on the sample machine, with the mouse: options turned on
// the Boot, System, Windows and Start Menu pages, "Apply"; "Back to Windows Default", Yes; then
// "Undo Changes...", the older backup chosen, "Undo", Yes: the registry (read through the API),
// MSDOS.SYS (with its attributes) and SYSTEM.INI are as before the first "Apply". Then that undo
// is undone in turn, and the machine is as after "Back to Windows Default".
// Usage: undo_end_to_end C:\path\to\Varnex.exe
#include "tests/app/wine/driver.h"
#include "tests/app/wine/machine_state.h"

using namespace varnex::e2e;

namespace {

const char* const kFolder = "C:\\Program Files\\Varnex 2000";

struct MachineState {
  std::set<std::string> registry;
  std::multiset<std::string> msdos, systemIni;
  DWORD msdosAttributes = 0;
  bool operator==(const MachineState&) const = default;
};

MachineState readMachine() {
  return {readRegistry(), profileEntries("C:\\MSDOS.SYS"), profileEntries(windowsDirectory() + "\\SYSTEM.INI"),
          GetFileAttributesA("C:\\MSDOS.SYS")};
}

void compare(const MachineState& want, const MachineState& got, const char* what) {
  check(got.registry == want.registry, (std::string(what) + ": the registry, value for value").c_str());
  printMissing(want.registry, got.registry, "lost:");
  printMissing(got.registry, want.registry, "extra:");
  check(got.msdos == want.msdos, (std::string(what) + ": MSDOS.SYS, entry for entry").c_str());
  check(got.msdosAttributes == want.msdosAttributes, (std::string(what) + ": MSDOS.SYS's attributes").c_str());
  check(got.systemIni == want.systemIni, (std::string(what) + ": SYSTEM.INI, entry for entry").c_str());
  printMissing(want.msdos, got.msdos, "lost:");
  printMissing(got.msdos, want.msdos, "extra:");
  printMissing(want.systemIni, got.systemIni, "lost:");
  printMissing(got.systemIni, want.systemIni, "extra:");
}

int backupCount() {
  int count = 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((std::string(kFolder) + "\\Backup\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.') ++count;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

bool waitForBackups(int count) {
  for (int waited = 0; waited < 300; ++waited, Sleep(100))
    if (backupCount() == count) return true;
  return false;
}

struct TextSearch {
  const char* start;
  bool found;
};
BOOL CALLBACK findTextStarting(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TextSearch*>(param);
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (std::strncmp(text, search->start, std::strlen(search->start)) == 0) search->found = true;
  return search->found ? FALSE : TRUE;
}

// The visible "Confirm" box whose text starts so, or null after ms.
HWND waitForConfirm(const char* start, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100, Sleep(100)) {
    HWND box = FindWindowA("#32770", "Confirm");
    if (!box || !IsWindowVisible(box)) continue;
    TextSearch search{start, false};
    EnumChildWindows(box, findTextStarting, reinterpret_cast<LPARAM>(&search));
    if (search.found) return box;
  }
  return nullptr;
}

void answer(HWND box, const char* button) {
  if (box) leftClick(childByCaption(box, button));
  for (int waited = 0; box && IsWindow(box) && waited < 100; ++waited) Sleep(100);
}

// "Undo" on the chosen backup, answered Yes, and the restart question that follows, No.
void undoChosen(HWND undoWindow, int backupsAfter) {
  leftClick(childByCaption(undoWindow, "Undo"));
  HWND question = waitForConfirm("Undo the changes made on ", 10000);
  check(question != nullptr, "\"Undo\" asks first");
  answer(question, "&Yes");
  HWND restart = waitForConfirm("You must restart your computer", 30000);
  check(restart != nullptr, "settings went back: the restart question of \"OK\"");
  answer(restart, "&No");
  check(waitForBackups(backupsAfter), "the undo left a backup of its own");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: undo_end_to_end Varnex.exe\n");
    return 2;
  }
  PROCESS_INFORMATION program = start(argv[1], kFolder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the main window is shown");
  if (!window) {
    stop(program);
    return 1;
  }
  // The program has opened MSDOS.SYS for its writes: this is the machine before the first "Apply".
  const MachineState before = readMachine();

  struct Option {
    int tab;
    const char* caption;
  };
  const Option options[] = {
      {0, "Disable Boot Function Keys"},        {0, "Enable Multi-Booting Feature"},
      {1, "Maximize Memory in MS-DOS Prompt"},  {1, "Restrict Logon Access"},
      {2, "Hide Windows Version Number"},       {2, "Remove Arrow Symbol on Shortcut"},
      {3, "Remove the Run Menu"},
  };
  for (const Option& option : options) {
    HWND box = showPage(program.hProcess, window, option.tab, option.caption);
    const LRESULT was = SendMessageA(box, BM_GETCHECK, 0, 0);
    leftClick(box);
    check(box && SendMessageA(box, BM_GETCHECK, 0, 0) != was, option.caption);
  }
  leftClick(childByCaption(window, "Apply"));
  check(waitForBackups(1), "\"Apply\" left a backup");
  check(readMachine() != before, "\"Apply\" changed the machine");

  HWND back = showPage(program.hProcess, window, 10, "Back to Windows Default");
  leftClick(back);
  answer(waitForConfirm("Are you sure ?", 10000), "&Yes");
  check(waitForBackups(2), "\"Back to Windows Default\" left a backup");
  Sleep(1000);
  const MachineState afterDefault = readMachine();

  leftClick(childByCaption(window, "Undo Changes..."));
  HWND undoWindow = waitForVisible("TUndoForm", "Undo Changes", 10000);
  check(undoWindow != nullptr, "\"Undo Changes...\" opens the undo window");
  check(undoWindow && !IsWindowEnabled(window), "the main window waits while it is up");
  HWND list = FindWindowExA(undoWindow, nullptr, "LISTBOX", nullptr);
  check(SendMessageA(list, LB_GETCOUNT, 0, 0) == 2, "it lists both backups");
  std::printf("shot undo-window\n");
  std::fflush(stdout);
  Sleep(1500);

  clickListItem(list, 1);
  check(SendMessageA(list, LB_GETCURSEL, 0, 0) == 1, "the older backup is chosen with the mouse");
  undoChosen(undoWindow, 3);
  compare(before, readMachine(), "undone to before the first \"Apply\"");

  clickListItem(list, 0);
  check(SendMessageA(list, LB_GETCURSEL, 0, 0) == 0, "the newest backup, the undo's own, is chosen");
  undoChosen(undoWindow, 4);
  compare(afterDefault, readMachine(), "the undo undone: as after \"Back to Windows Default\"");

  leftClick(childByCaption(undoWindow, "Close"));
  check(waitUntil([](HWND w) { return IsWindowEnabled(w) != FALSE; }, window, 10000) && !IsWindowVisible(undoWindow),
        "\"Close\" closes it and gives the main window back");
  // Escape and the close keystroke close it as "Close" does.
  for (const bool alt : {false, true}) {
    leftClick(childByCaption(window, "Undo Changes..."));
    check(waitUntilVisible(undoWindow, 10000), "\"Undo Changes...\" opens it again");
    SetForegroundWindow(undoWindow);
    pressKey(alt ? VK_F4 : VK_ESCAPE, alt);
    check(waitUntil([](HWND w) { return IsWindowEnabled(w) != FALSE; }, window, 10000) && !IsWindowVisible(undoWindow),
          alt ? "Alt+F4 closes it" : "Escape closes it");
  }
  leftClick(childByCaption(window, "Cancel"));
  check(exited(program, 30000), "Cancel ends the program");
  stop(program);

  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
