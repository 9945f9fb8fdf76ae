// Drives the real varnex.exe under Wine on the sample machine's installed programs: "Edit" opens
// the command editor over the disabled main window, "OK" and Yes write the entry and the list
// shows it; "Remove" deletes a whole entry (made here first, with two levels of subkeys); "Hide"
// puts the window in the notification area, whose menu's "Restore" brings it back.
// Usage: add_remove_end_to_end Z:\path\to\Varnex.exe Z:\path\to\sample\registry.reg
#include <algorithm>

#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

namespace {

const char kUninstall[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kProbe = std::string(kUninstall) + "\\VarnexE2EProbe";
const char kProbeName[] = "AAA Varnex E2E Probe";
// A sample entry, and what the editor makes of it.
const std::string kPinwheel = std::string(kUninstall) + "\\PinwheelPaint";
const char kPinwheelName[] = "Pinwheel Paint 3.1";
const char kPinwheelCommand[] = "C:\\PROGRA~1\\PINWHE~1\\UNINSTAL.EXE /U";
const char kNewName[] = "Pinwheel Paint 4";
const char kNewCommand[] = "C:\\PINWHEEL\\UNWISE.EXE /S";
// The main window's tray callback message (WM_APP + 1) and the icon's id.
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;

struct ListSearch {
  HWND found;
};
BOOL CALLBACK findVisibleList(HWND hwnd, LPARAM param) {
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "ListBox") == 0 && IsWindowVisible(hwnd)) {
    reinterpret_cast<ListSearch*>(param)->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK collectEdits(HWND hwnd, LPARAM param) {
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") == 0) reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}
// The editor's fields from top to bottom: the description, then the command.
std::vector<HWND> fieldsOf(HWND editor) {
  std::vector<HWND> edits;
  EnumChildWindows(editor, collectEdits, reinterpret_cast<LPARAM>(&edits));
  std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top < rb.top;
  });
  return edits;
}

bool listShows(HWND list, const char* text) {
  return list && SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) !=
                     LB_ERR;
}

// Clicks the list's row of that text; false when the list does not show it.
bool clickRow(HWND list, const char* text) {
  const LRESULT row =
      list ? SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) : LB_ERR;
  RECT item = {};
  if (row == LB_ERR || SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
    return false;
  POINT at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  MapWindowPoints(list, nullptr, &at, 1);
  clickAt(at);
  return SendMessageA(list, LB_GETCURSEL, 0, 0) == row;
}

// Answers the "Are you sure ?" box with that button; false when no box came. A box is found
// before it takes input, so the click is given again until the box goes.
bool answer(int button) {
  HWND question = waitForWindow(nullptr, "Confirm", 30000);
  if (!waitUntilVisible(question, 10000)) return false;
  for (int attempt = 0; attempt < 5 && IsWindow(question); ++attempt) {
    Sleep(300);
    leftClick(GetDlgItem(question, button));
    for (int i = 0; i < 10 && IsWindow(question); ++i) Sleep(100);
  }
  Sleep(500);
  return true;
}

bool hasValue(const std::string& key, const char* name, const char* data) {
  const std::string out = run("reg query \"" + key + "\" /v " + name);
  return out.find(data) != std::string::npos;
}

// Waits until the main window's icon is in the notification area, or is not: only an icon that
// is there can be modified.
bool trayIconComes(HWND window, bool present) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = kTrayIconId;
  for (int i = 0; i < 30; ++i, Sleep(100))
    if ((Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE) == present) return true;
  return false;
}

// The popup menu window of the program, once it is open.
HWND waitForMenu(DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu && IsWindowVisible(menu)) return menu;
    Sleep(100);
  }
  return nullptr;
}

void editEntry(HWND window, HWND list) {
  check(clickRow(list, kPinwheelName), "a click selects the sample entry's row");
  leftClick(childByCaption(window, "Edit"));
  HWND editor = waitForWindow("TForm5", "Uninstal Command", 10000);
  check(waitUntilVisible(editor, 10000), "Edit shows the command editor");
  if (!editor) return;
  check(!IsWindowEnabled(window), "the main window waits disabled meanwhile");
  const std::vector<HWND> fields = fieldsOf(editor);
  check(fields.size() == 2, "the editor has a description and a command field");
  if (fields.size() != 2) return;
  check(textOf(fields[0]) == kPinwheelName, "the description is the selected row's text");
  check(textOf(fields[1]) == kPinwheelCommand, "the command is the entry's uninstall string");
  // WM_SETTEXT makes the field notify its window as typing does.
  SendMessageA(fields[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kNewName));
  SendMessageA(fields[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kNewCommand));

  leftClick(childByCaption(editor, "OK"));
  HWND question = waitForWindow(nullptr, "Confirm", 30000);
  check(question && GetWindow(question, GW_OWNER) == editor, "OK asks over the editor, which waits meanwhile");
  check(answer(IDYES), "Yes answers it");
  bool closed = false;
  for (int i = 0; i < 50 && !closed; ++i, Sleep(100)) closed = !IsWindowVisible(editor);
  check(closed, "Yes closes the editor");
  check(IsWindowEnabled(window), "and enables the main window again");
  check(hasValue(kPinwheel, "DisplayName", kNewName), "the new description is in the registry");
  check(hasValue(kPinwheel, "UninstallString", kNewCommand), "the new command is in the registry");
  bool refilled = false;
  for (int i = 0; i < 30 && !refilled; ++i, Sleep(100)) refilled = listShows(list, kNewName);
  check(refilled && !listShows(list, kPinwheelName), "the list shows the new description instead of the old");

  // Escape leaves the editor as "Cancel" does: nothing written, the main window usable again.
  check(clickRow(list, kNewName), "the edited row can be selected");
  leftClick(childByCaption(window, "Edit"));
  check(waitUntilVisible(editor, 10000), "Edit shows the editor again");
  pressKey(VK_ESCAPE);
  closed = false;
  for (int i = 0; i < 50 && !closed; ++i, Sleep(100)) closed = !IsWindowVisible(editor);
  check(closed && IsWindowEnabled(window), "Escape closes it and enables the main window");
  check(hasValue(kPinwheel, "DisplayName", kNewName), "without writing anything");
}

void removeEntry(HWND window, HWND list) {
  check(clickRow(list, kProbeName), "a click selects the probe's row");
  leftClick(childByCaption(window, "Remove"));
  check(answer(IDYES), "Remove asks first");
  check(run("reg query \"" + kProbe + "\\Parts\\Deeper\"").find("Piece") == std::string::npos,
        "Yes removed the deepest key");
  check(run("reg query \"" + kProbe + "\\Parts\"").find("Parts") == std::string::npos, "and the one above it");
  check(run("reg query \"" + kProbe + "\"").find("DisplayName") == std::string::npos, "and the entry's own key");
  check(!listShows(list, kProbeName), "the list no longer shows it");
  check(listShows(list, kNewName), "the other entries stay listed");
}

void hideAndRestore(HWND window) {
  // Under Wine the icon lives in the X desktop's systray, which a test cannot click; the right
  // button's release is posted as the notification area posts it, and the menu that opens is
  // clicked with the mouse.
  check(trayIconComes(window, false), "no tray icon while the window is shown");
  leftClick(childByCaption(window, "Hide"));
  bool hidden = false;
  for (int i = 0; i < 50 && !hidden; ++i, Sleep(100)) hidden = !IsWindowVisible(window);
  check(hidden, "Hide hides the main window");
  check(trayIconComes(window, true), "and puts its icon in the notification area");
  PostMessageA(window, kTrayMessage, kTrayIconId, WM_RBUTTONUP);
  HWND menu = waitForMenu(10000);
  check(menu != nullptr, "the tray icon's right button opens its menu");
  if (menu) {
    RECT r = {};
    GetWindowRect(menu, &r);
    const int itemHeight = (r.bottom - r.top - 6) / 2;  // two items inside a 3-pixel frame
    clickAt(POINT{(r.left + r.right) / 2, r.top + 3 + itemHeight / 2});  // "Restore", the first
  }
  check(waitUntilVisible(window, 10000), "Restore brings the window back");
  check(trayIconComes(window, false), "and takes the icon away");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: add_remove_end_to_end Varnex.exe registry.reg\n");
    return 2;
  }
  const std::string exe = argv[1];
  const std::string folder = "C:\\Varnex AddRemove";
  prepareProgramFolder(folder);

  run(std::string("reg import \"") + argv[2] + "\"");
  check(hasValue(kPinwheel, "DisplayName", kPinwheelName), "the sample machine's programs are installed");
  run("reg add \"" + kProbe + "\" /v DisplayName /d \"" + kProbeName + "\" /f");
  run("reg add \"" + kProbe + "\" /v UninstallString /d \"C:\\PROBE.EXE\" /f");
  run("reg add \"" + kProbe + "\\Parts\\Deeper\" /v Piece /d 1 /f");
  check(run("reg query \"" + kProbe + "\\Parts\\Deeper\"").find("Piece") != std::string::npos,
        "the probe entry and its subkeys are in the registry");

  PROCESS_INFORMATION program = start(exe, folder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the main window is shown");
  if (!window) {
    stop(program);
    return 1;
  }

  check(selectTab(program.hProcess, window, 6), "the Add/Remove tab comes up");
  ListSearch search{nullptr};
  EnumChildWindows(window, findVisibleList, reinterpret_cast<LPARAM>(&search));
  HWND list = search.found;
  check(listShows(list, kProbeName) && listShows(list, kPinwheelName), "the page lists the installed programs");

  editEntry(window, list);
  removeEntry(window, list);
  hideAndRestore(window);
  check(!exited(program, 0), "the program still runs");

  leftClick(childByCaption(window, "Cancel"));
  check(exited(program, 30000), "Cancel ends the program");
  stop(program);
  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
