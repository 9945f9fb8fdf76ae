// Drives tappolin.exe under Wine the way a user would: menu commands and tray callbacks to its
// hidden window, right clicks on its about box (Wine runs the hook usefully only for input to
// tappolin's own windows) and on a dialog of this program, and "Close". Exits 0 when every
// check holds.
//
// Usage: tappolin_driver PATH_TO_TAPPOLIN_EXE [--hold-menu SECONDS]
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

PROCESS_INFORMATION g_child{};
int g_failures = 0;

void check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
  std::fflush(stdout);
  if (!ok) ++g_failures;
}

// Stops here, leaving no process behind for wineserver -w to wait on.
[[noreturn]] void giveUp(const char* what) {
  check(false, what);
  if (g_child.hProcess != nullptr) TerminateProcess(g_child.hProcess, 99);
  std::exit(1);
}

template <class Pred>
bool waitFor(Pred pred, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start > ms) return false;
    Sleep(50);
  }
}

std::string windowsPath(const char* path) {
  std::string out = path[0] == '/' ? std::string("Z:") + path : std::string(path);
  for (char& c : out) if (c == '/') c = '\\';
  return out;
}

struct Found {
  DWORD pid;
  const char* cls;
  const char* title;  // null: any
  std::vector<HWND> windows;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM lParam) {
  auto* f = reinterpret_cast<Found*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = "", title[128] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  GetWindowTextA(hwnd, title, sizeof title);
  if (pid == f->pid && std::strcmp(cls, f->cls) == 0 && IsWindowVisible(hwnd) &&
      (f->title == nullptr || std::strcmp(title, f->title) == 0))
    f->windows.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> childWindows(const char* cls, const char* title) {
  Found f{g_child.dwProcessId, cls, title, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&f));
  return f.windows;
}

std::vector<HWND> aboutBoxes() { return childWindows("#32770", "About"); }

bool trayIconExists(HWND owner) {
  // A modification that changes nothing: the shell answers whether it knows the icon.
  NOTIFYICONDATAA nid;
  std::memset(&nid, 0, sizeof nid);
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = owner;
  nid.uID = 0;
  nid.uFlags = 0;
  return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

void mouse(DWORD flags) {
  INPUT in;
  std::memset(&in, 0, sizeof in);
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

void key(WORD vk) {
  INPUT in[2];
  std::memset(in, 0, sizeof in);
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof in[0]);
}

// Right click on the text of the box, away from its buttons.
void rightClickOn(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  RECT r;
  GetWindowRect(text != nullptr ? text : box, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  Sleep(100);
  mouse(MOUSEEVENTF_RIGHTDOWN);
  Sleep(50);
  mouse(MOUSEEVENTF_RIGHTUP);
}

HWND openAbout(HWND hidden) {
  PostMessageA(hidden, WM_COMMAND, 2, 0);
  if (!waitFor([] { return !aboutBoxes().empty(); }, 10000)) giveUp("the about box opens");
  Sleep(300);
  return aboutBoxes().front();
}

// Returns whether a right click closed the box; closes it by its OK button otherwise.
bool rightClickCloses(HWND box) {
  rightClickOn(box);
  if (waitFor([box] { return !IsWindow(box); }, 3000)) return true;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  if (!waitFor([box] { return !IsWindow(box); }, 5000)) giveUp("the about box closes by its OK button");
  return false;
}

// Faults in this process, even those that Wine's callback dispatcher then swallows.
volatile LONG g_faults = 0;

LONG CALLBACK countFault(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) InterlockedIncrement(&g_faults);
  return EXCEPTION_CONTINUE_SEARCH;
}

std::vector<HWND> ownBoxes() {
  Found f{GetCurrentProcessId(), "#32770", "Driver dialog", {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&f));
  return f.windows;
}

DWORD WINAPI showOwnBox(LPVOID result) {
  *static_cast<int*>(result) = MessageBoxA(nullptr, "Right click here", "Driver dialog", MB_OKCANCEL);
  return 0;
}

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s TAPPOLIN_EXE [--hold-menu SECONDS]\n", argv[0]);
    return 2;
  }
  const int holdMenu = argc >= 4 && std::strcmp(argv[2], "--hold-menu") == 0 ? std::atoi(argv[3]) : 0;

  // A window of ours in the foreground, so that giving it back after the menu can be seen.
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = plainProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "TappolinDriverWindow";
  RegisterClassA(&wc);
  HWND mine = CreateWindowExA(0, wc.lpszClassName, "Driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400,
                              300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  SetForegroundWindow(mine);

  std::string exe = windowsPath(argv[1]);
  STARTUPINFOA si;
  std::memset(&si, 0, sizeof si);
  si.cb = sizeof si;
  if (!CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                      &si, &g_child)) {
    std::printf("cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    giveUp("tappolin starts");
  }
  // However this program ends, tappolin ends with it.
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
  std::memset(&limits, 0, sizeof limits);
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  check(job != nullptr && SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) &&
            AssignProcessToJobObject(job, g_child.hProcess),
        "tappolin runs in a job that ends with the driver");
  ResumeThread(g_child.hThread);

  HWND hidden = nullptr;
  waitFor([&] {
    hidden = FindWindowA("TappolinClass", "Sample");
    return hidden != nullptr;
  }, 30000);
  if (hidden == nullptr) giveUp("the hidden window TappolinClass \"Sample\" appears");
  check(!IsWindowVisible(hidden), "the hidden window is never shown");
  check(waitFor([hidden] { return trayIconExists(hidden); }, 10000), "the tray icon is added");
  Sleep(500);
  check(childWindows("#32770", nullptr).empty(), "no message box at start (the hook was accepted)");

  // Enabled: a right click on a dialog of tappolin's presses its default button.
  HWND box = openAbout(hidden);
  char text[256] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  check(std::strncmp(text, "Tappolin 1.1", 12) == 0, "the about text begins with \"Tappolin 1.1\"");
  check(std::strchr(text, '\n') != nullptr, "the about text has the web address on a second line");
  check((GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0, "the about box has the dialog frame");
  PostMessageA(hidden, WM_COMMAND, 2, 0);
  Sleep(1000);
  check(aboutBoxes().size() == 1, "a second \"About ...\" while the box is open shows no second box");
  check(rightClickCloses(box), "enabled: a right click on the about box presses OK");

  // A dialog of another program: Wine calls the hook in that program's process, having loaded
  // tappolin.exe there as a module with its imports unbound. tappolin must stay quiet there, so
  // the click changes nothing and this program lives on.
  PVOID faultCounter = AddVectoredExceptionHandler(1, countFault);
  int ownResult = 0;
  HANDLE boxThread = CreateThread(nullptr, 0, showOwnBox, &ownResult, 0, nullptr);
  if (!waitFor([] { return !ownBoxes().empty(); }, 10000)) giveUp("the driver's own dialog opens");
  Sleep(300);
  HWND own = ownBoxes().front();
  rightClickOn(own);
  Sleep(2000);
  check(IsWindow(own), "under Wine a right click on another program's dialog leaves it open");
  check(g_faults == 0, "and tappolin's hook, run in this process, does not fault here");
  RemoveVectoredExceptionHandler(faultCounter);
  PostMessageA(own, WM_COMMAND, IDCANCEL, 0);
  check(WaitForSingleObject(boxThread, 5000) == WAIT_OBJECT_0 && ownResult == IDCANCEL,
        "that dialog still answers to its own buttons");
  CloseHandle(boxThread);

  // Disabled through menu command 1: the same click does nothing.
  PostMessageA(hidden, WM_COMMAND, 1, 0);
  Sleep(300);
  check(!rightClickCloses(openAbout(hidden)), "disabled: a right click leaves the about box open");

  // Enabled again by a left click on the tray icon: the hook is back.
  const UINT trayMessage = RegisterWindowMessageA("wm_myicon");
  PostMessageA(hidden, trayMessage, 0, WM_LBUTTONDOWN);
  Sleep(300);
  check(rightClickCloses(openAbout(hidden)), "enabled again: a right click presses OK");

  // A right click on the tray icon: the menu opens, and after it the foreground is ours again.
  SetForegroundWindow(mine);
  Sleep(300);
  PostMessageA(hidden, trayMessage, 0, WM_RBUTTONDOWN);
  PostMessageA(hidden, trayMessage, 0, WM_RBUTTONUP);
  const bool menuOpened = waitFor([] { return !childWindows("#32768", nullptr).empty(); }, 5000);
  check(menuOpened, "a right click on the tray icon opens the menu");
  if (menuOpened) {
    if (holdMenu > 0) Sleep(holdMenu * 1000);
    key(VK_ESCAPE);
    check(waitFor([] { return childWindows("#32768", nullptr).empty(); }, 5000), "Escape closes the menu");
    check(waitFor([mine] { return GetForegroundWindow() == mine; }, 3000),
          "the window in the foreground before the click is in the foreground again");
  }

  // Close while disabled: exit code 0 and no icon left behind.
  PostMessageA(hidden, WM_COMMAND, 1, 0);
  PostMessageA(hidden, WM_COMMAND, 3, 0);
  const bool ended = WaitForSingleObject(g_child.hProcess, 10000) == WAIT_OBJECT_0;
  check(ended, "\"Close\" ends the program");
  if (!ended) giveUp("tappolin ends");
  DWORD code = 99;
  GetExitCodeProcess(g_child.hProcess, &code);
  check(code == 0, "the exit code is 0");
  check(!trayIconExists(hidden), "the tray icon is gone");

  CloseHandle(g_child.hThread);
  CloseHandle(g_child.hProcess);
  CloseHandle(job);
  DestroyWindow(mine);
  std::printf("%d failure(s)\n", g_failures);
  return g_failures == 0 ? 0 : 1;
}
