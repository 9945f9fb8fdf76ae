#include "ui/win32/form_window.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace varnex::ui::win32 {

namespace {

std::vector<FormWindow*>& liveWindows() {
  static std::vector<FormWindow*> windows;
  return windows;
}

// The form window a message is for: the window itself or one of its controls.
FormWindow* windowOf(HWND target) {
  if (!target) return nullptr;
  HWND top = GetAncestor(target, GA_ROOT);
  for (FormWindow* w : liveWindows())
    if (w->hwnd() && w->hwnd() == top) return w;
  return nullptr;
}

}  // namespace

FormWindow::FormWindow(Form& form, FormWindowStyle style) : form_(form), style_(style) {
  liveWindows().push_back(this);
}

FormWindow::~FormWindow() {
  auto& windows = liveWindows();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

HWND FormWindow::create(HWND owner) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (!GetClassInfoA(instance, style_.className, &existing)) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &FormWindow::proc;
    wc.hInstance = instance;
    if (style_.icon) wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(style_.icon));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = style_.className;
    if (!RegisterClassA(&wc)) return nullptr;
  }
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  if (style_.main) {
    style |= WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX;
  } else {
    style |= WS_POPUP;
    if (style_.titleButtons) style |= WS_SYSMENU;
    exStyle |= WS_EX_DLGMODALFRAME;
  }
  RECT frame = {0, 0, style_.clientWidth, style_.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExA(exStyle, style_.className, style_.caption, style, x, y, width, height, owner,
                                nullptr, instance, this);
  // The main window's controls are made once the window exists, not inside WM_CREATE: Wine
  // drops the check states, texts and enabled states given to controls made there, and giving
  // them all again would cost a second pass over every control before the window shows.
  if (window && style_.main) guarded([this] {
    makeView();
    if (onCreate) onCreate();
    sync();
  });
  return window;
}

template <class Action>
void FormWindow::guarded(Action action) {
  // No exception leaves a window procedure or the window's creation: the user is told, and the
  // window is brought back in line with the model.
  try {
    action();
    return;
  } catch (const std::exception& e) {
    showUnexpectedError(hwnd_, e.what());
  } catch (...) {
    showUnexpectedError(hwnd_, "unknown error");
  }
  if (view_ && hwnd_ && IsWindow(hwnd_)) sync();
}

LRESULT CALLBACK FormWindow::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  bool handled = false;
  self->guarded([&] {
    result = self->handle(message, wParam, lParam);
    handled = true;
  });
  return handled ? result : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (style_.main) return 0;  // made in create(), once the window exists
      if (onCreate) onCreate();
      sync();
      return 0;
    case WM_CLOSE:  // the close box, Alt+F4, the task list
      close();
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
    default: {
      LRESULT result = 0;
      if (onMessage && onMessage(message, wParam, lParam, result)) {
        sync();
        return result;
      }
      if (view_ && view_->handle(message, wParam, lParam, result)) return result;
      break;
    }
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void FormWindow::makeView() {
  view_ = std::make_unique<FormView>(form_, hwnd_, pictures);
  view_->onSynced = [this] { followModel(); };
  if (defaultButton)
    if (HWND button = view_->nativeOf(defaultButton)) SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void FormWindow::sync() {
  if (!hwnd_) return;  // closed for good
  // The controls of a window opened from another one are made when it is first to show: a
  // window the user never opens costs only its frame.
  if (!view_ && visible && visible()) makeView();
  if (view_)
    view_->sync();  // runs followModel
  else
    followModel();
}

void FormWindow::followModel() {
  if (following_ || !hwnd_) return;
  following_ = true;
  // The window's effects on others first: a main window enabled again before this one hides
  // gets the activation back.
  try {
    if (afterEvent) afterEvent();
  } catch (...) {
    following_ = false;
    throw;
  }
  const bool want = visible && visible();
  if (visible && want != shown_) {
    shown_ = want;
    ShowWindow(hwnd_, want ? SW_SHOW : SW_HIDE);
    if (want && defaultButton && view_)
      if (HWND button = view_->nativeOf(defaultButton)) SetFocus(button);
  }
  following_ = false;
}

void FormWindow::close() {
  if (onClose) onClose();
  sync();
}

void FormWindow::pressDefault() {
  if (defaultButton && defaultButton->enabled && defaultButton->visible) defaultButton->click();
  sync();
}

bool FormWindow::preTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) return false;
  FormWindow* w = windowOf(message.hwnd);
  if (!w || w->style_.main) return false;
  HWND hwnd = w->hwnd_;
  try {
    if (message.wParam == VK_RETURN)
      w->pressDefault();
    else
      w->close();
  } catch (const std::exception& e) {
    showUnexpectedError(hwnd, e.what());
  } catch (...) {
    showUnexpectedError(hwnd, "unknown error");
  }
  return true;
}

}  // namespace varnex::ui::win32
