// tappolin.exe: the Win32 window system under the auto-confirm state machine.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "autoconfirm/tappolin.h"
#include "win32/handles.h"

namespace {

using tappolin::BoxKind;
using tappolin::TrayAction;
using tappolin::Window;

// Windows 98's shell knows only the first version of the tray record (larger in the 64-bit
// stand-in build, which only the tests run).
static_assert(sizeof(void*) == 8 || NOTIFYICONDATAA_V1_SIZE == 88, "the tray record must be the 88-byte one");

HWND toHwnd(Window w) { return reinterpret_cast<HWND>(w); }
Window fromHwnd(HWND h) { return reinterpret_cast<Window>(h); }

class Win32WindowSystem final : public tappolin::WindowSystem {
public:
  Win32WindowSystem(HINSTANCE instance, HWND hidden) : instance_(instance), hidden_(hidden) {
    std::memset(&tray_, 0, sizeof tray_);
    tray_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    tray_.hWnd = hidden;
    tray_.uID = 0;
    tray_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  }

  HHOOK hook() const { return hook_; }

  unsigned registerTrayMessage(const char* name) override {
    tray_.uCallbackMessage = RegisterWindowMessageA(name);
    return tray_.uCallbackMessage;
  }

  void notifyIcon(TrayAction action, int iconResource, const char* tip) override {
    DWORD op = NIM_DELETE;
    if (action != TrayAction::Delete) {
      op = action == TrayAction::Add ? NIM_ADD : NIM_MODIFY;
      tray_.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(iconResource));
      lstrcpynA(tray_.szTip, tip, 64);
    }
    Shell_NotifyIconA(op, &tray_);
  }

  void createMenu() override { menu_.reset(CreatePopupMenu()); }
  void appendMenuItem(unsigned command, const char* text) override {
    AppendMenuA(menu_.get(), MF_STRING, command, text);
  }
  void appendMenuSeparator() override { AppendMenuA(menu_.get(), MF_SEPARATOR, 0, nullptr); }
  void setMenuItemText(unsigned command, const char* text) override {
    ModifyMenuA(menu_.get(), command, MF_BYCOMMAND | MF_STRING, command, text);
  }
  void trackMenu(int x, int y) override { TrackPopupMenu(menu_.get(), 0, x, y, 0, hidden_, nullptr); }
  void cursorPos(int& x, int& y) override {
    POINT p{0, 0};
    GetCursorPos(&p);
    x = p.x;
    y = p.y;
  }
  Window foregroundWindow() override { return fromHwnd(GetForegroundWindow()); }
  void setForegroundWindow(Window w) override { SetForegroundWindow(toHwnd(w)); }
  void dropOnePendingMessage() override {
    MSG msg;
    PeekMessageA(&msg, hidden_, 0, 0, PM_REMOVE);
  }

  bool installHook() override;
  void removeHook() override {
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
  }

  Window activeWindow() override { return fromHwnd(GetActiveWindow()); }
  std::uint32_t extendedStyle(Window w) override {
    return static_cast<std::uint32_t>(GetWindowLongA(toHwnd(w), GWL_EXSTYLE));
  }
  void postMessage(Window w, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    PostMessageA(toHwnd(w), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
  }
  void messageBox(const char* text, const char* caption, BoxKind kind) override {
    MessageBoxA(nullptr, text, caption, kind == BoxKind::Information ? MB_OK | MB_ICONINFORMATION : MB_OK);
  }
  void postQuit(int code) override { PostQuitMessage(code); }

private:
  HINSTANCE instance_;
  HWND hidden_;
  NOTIFYICONDATAA tray_;
  varnex::win32::UniqueMenu menu_;
  HHOOK hook_ = nullptr;
};

// Process-wide: the hook and window procedures have no other way to reach them.
Win32WindowSystem* g_ws = nullptr;
tappolin::Tappolin* g_app = nullptr;

// Wine calls a global hook in whichever process receives the input, mapping this program there
// as a module without applying its relocations or binding its imports: every absolute address
// then points into the host program and every Win32 call faults. Only position-independent code
// may run before we know where we are.
__attribute__((noinline)) bool runningAsLinked() {
  std::uintptr_t here, linked;
#if defined(__x86_64__)
  // The 64-bit stand-in build: LEA reads label 1's run-time address off RIP; the 64-bit
  // immediate holds its address as linked (or as the loader relocated it).
  asm volatile("lea 1f(%%rip), %0\n1:\tmovabs $1b, %1" : "=r"(here), "=r"(linked) : : "memory");
#else
  // The call pushes the run-time address of label 1; the immediate holds its address as linked
  // (or as the loader relocated it).
  asm volatile("call 1f\n1:\tpopl %0\n\tmovl $1b, %1" : "=r"(here), "=r"(linked) : : "memory");
#endif
  return here == linked;
}

LRESULT CALLBACK journalRecordProc(int code, WPARAM wParam, LPARAM lParam) {
  // Another process under Wine: nothing of ours is usable there, not even CallNextHookEx.
  if (!runningAsLinked() || g_app == nullptr) return 0;
  const auto* event = reinterpret_cast<const EVENTMSG*>(lParam);
  const std::uint32_t* message = nullptr;
  std::uint32_t number = 0;
  if (code == HC_ACTION && event != nullptr) {
    number = event->message;
    message = &number;
  }
  if (g_app->journalEvent(code, message) == tappolin::HookVerdict::Swallow) return 0;
  return CallNextHookEx(g_ws->hook(), code, wParam, lParam);
}

bool Win32WindowSystem::installHook() {
  // Journal hooks run in this thread, so Windows 98 needs no module; Wine refuses a global hook
  // without one (ERROR_HOOK_NEEDS_HMOD), and our own module suits both.
  hook_ = SetWindowsHookExA(WH_JOURNALRECORD, journalRecordProc, GetModuleHandleA(nullptr), 0);
  return hook_ != nullptr;
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_app != nullptr && g_app->windowMessage(message, wParam, lParam)) return 0;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.lpszClassName = tappolin::kClassName;
  if (!RegisterClassA(&wc)) return 0;
  HWND hidden = CreateWindowExA(0, tappolin::kClassName, tappolin::kWindowTitle, WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                nullptr, instance, nullptr);
  if (hidden == nullptr) return 0;

  Win32WindowSystem ws(instance, hidden);
  tappolin::Tappolin app(ws, fromHwnd(hidden));
  g_ws = &ws;
  g_app = &app;
  app.setUp();

  MSG msg;
  BOOL got;
  // GetMessageA returns -1 on failure; treating that as a message would spin for ever.
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // The window outlives this frame until the process ends; late messages go to DefWindowProcA.
  g_app = nullptr;
  g_ws = nullptr;
  return got == 0 ? static_cast<int>(msg.wParam) : 0;
}
