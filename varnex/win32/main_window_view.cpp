#include "varnex/win32/main_window_view.h"

#include <exception>
#include <string>
#include <vector>

#include "app/startup.h"

namespace varnex::ui::win32 {

namespace {

// The page pictures; owners keeps them until the view is gone.
SheetPictures loadPictures(std::vector<::varnex::win32::UniqueIcon>& owners) {
  SheetPictures pictures;
  int index = 0;
  for (const app::PageInfo& page : app::pageTable()) {
    ::varnex::win32::UniqueIcon icon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                         MAKEINTRESOURCEA(kFirstPagePictureId + index++),
                                                         IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    if (!icon) continue;
    pictures[page.sheet] = icon.get();
    owners.push_back(std::move(icon));
  }
  return pictures;
}

}  // namespace

MainWindowView::MainWindowView(app::MainWindow& model, const app::Records& records)
    : model_(model), records_(records) {}

HWND MainWindowView::create() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &MainWindowView::proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIconId));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = app::kMainWindowClass.c_str();
  if (!RegisterClassA(&wc)) return nullptr;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame = {0, 0, app::kClientWidth, app::kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExA(0, app::kMainWindowClass.c_str(), app::kMainWindowTitle.c_str(), style, x,
                                y, width, height, nullptr, nullptr, instance, this);
  // Wine drops check states, texts and enabled states given to the controls while the window is
  // still being created (inside WM_CREATE), so they are given again once it exists.
  if (window && view_) view_->resync();
  return window;
}

LRESULT CALLBACK MainWindowView::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainWindowView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindowView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  // No exception leaves a window procedure: the user is told, and the program goes on with the
  // window brought back in line with the model.
  try {
    return self->handle(message, wParam, lParam);
  } catch (const std::exception& e) {
    showUnexpectedError(hwnd, e.what());
  } catch (...) {
    showUnexpectedError(hwnd, "unknown error");
  }
  if (self->view_ && IsWindow(hwnd)) self->view_->sync();
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT MainWindowView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (onWindowCreated) onWindowCreated(hwnd_);
      view_ = std::make_unique<FormView>(model_.form(), hwnd_, loadPictures(pictures_));
      view_->onSynced = [this] {
        followEnabled();
        if (afterEvent) afterEvent();
      };
      model_.onClosed = [this] { DestroyWindow(hwnd_); };
      model_.FormCreate(records_);
      view_->sync();
      return 0;
    case WM_CLOSE:
      model_.close();
      if (view_ && IsWindow(hwnd_)) view_->sync();
      return 0;
    case WM_QUERYENDSESSION: {
      bool mayEnd = model_.FormCloseQuery();
      if (view_) view_->sync();
      return mayEnd ? TRUE : FALSE;
    }
    case app::kWmUser:
      model_.restoreRequest();
      return 0;
    case kTrayMessage:
      // A left double click on the notification-area icon brings the window back; the right
      // button's release opens its menu.
      if (lParam == WM_LBUTTONDBLCLK) model_.trayDoubleClick();
      if (lParam == WM_RBUTTONUP) model_.trayRightButtonUp();
      if (view_ && IsWindow(hwnd_)) view_->sync();
      return 0;
    case WM_TIMER:
      model_.timerFired(static_cast<int>(wParam));
      if (view_ && IsWindow(hwnd_)) view_->sync();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        model_.FormActivate();
        if (view_) view_->sync();
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      if (view_) {
        LRESULT result = 0;
        if (view_->handle(message, wParam, lParam, result)) return result;
      }
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void MainWindowView::followEnabled() {
  if (hwnd_ && IsWindow(hwnd_) && (IsWindowEnabled(hwnd_) != FALSE) != model_.enabled)
    EnableWindow(hwnd_, model_.enabled ? TRUE : FALSE);
}

SecondaryWindows::SecondaryWindows(pages::AboutBox& about, pages::HelpWindow& help, pages::CommandEditor& editor,
                                   MainWindowView& main)
    : main_(main) {
  about_ = std::make_unique<FormWindow>(
      about.form(), FormWindowStyle{pages::AboutBox::kClassName, pages::AboutBox::kCaption,
                                    pages::AboutBox::kClientWidth, pages::AboutBox::kClientHeight, true});
  about_->visible = [&about] { return about.shown(); };
  about_->onClose = [&about] { about.FormClose(); };
  about_->defaultButton = &about.defaultButton();
  about_->handCursor = {&about.defaultButton()};
  about_->afterEvent = [&main] { main.followEnabled(); };
  about_->create(main.hwnd());
  about.FormCreate();  // its figures and refresh timer run from start-up on
  about_->sync();
  help_ = std::make_unique<FormWindow>(
      help.form(), FormWindowStyle{pages::HelpWindow::kClassName, pages::HelpWindow::kCaption,
                                   pages::HelpWindow::kClientWidth, pages::HelpWindow::kClientHeight, false});
  help_->visible = [&help] { return help.shown(); };
  // Escape, Alt+F4 and the like close it as "Close" does, so the main window is enabled again.
  help_->onClose = [&help] { help.Button1Click(); };
  help_->defaultButton = &help.defaultButton();
  help_->handCursor = {&help.defaultButton()};
  help_->afterEvent = [&main] { main.followEnabled(); };
  help_->create(main.hwnd());

  editor_ = std::make_unique<FormWindow>(
      editor.form(), FormWindowStyle{pages::CommandEditor::kClassName, pages::kCommandEditorTitle.c_str(),
                                     pages::CommandEditor::kClientWidth, pages::CommandEditor::kClientHeight, false});
  editor_->visible = [&editor] { return editor.shown(); };
  // Escape and Alt+F4 cancel, so the main window is enabled again and nothing is written.
  editor_->onClose = [&editor] { editor.Button2Click(); };
  editor_->defaultButton = &editor.defaultButton();
  editor_->afterEvent = [&main] { main.followEnabled(); };
  editor_->create(main.hwnd());
  main.afterEvent = [this] { sync(); };
}

SecondaryWindows::~SecondaryWindows() { main_.afterEvent = nullptr; }

void SecondaryWindows::sync() {
  if (about_) about_->sync();
  if (help_) help_->sync();
  if (editor_) editor_->sync();
  if (undo_) undo_->sync();
}

void SecondaryWindows::addUndoWindow(pages::UndoWindow& undo) {
  undo_ = std::make_unique<FormWindow>(
      undo.form(), FormWindowStyle{pages::UndoWindow::kClassName, pages::UndoWindow::kCaption,
                                   pages::UndoWindow::kClientWidth, pages::UndoWindow::kClientHeight, true});
  undo_->visible = [&undo] { return undo.shown(); };
  // Escape and the close box close it as "Close" does, so the main window is enabled again.
  undo_->onClose = [&undo] { undo.Button2Click(); };
  undo_->defaultButton = &undo.defaultButton();
  // An undo changes what the main window's pages show: its controls follow along with its
  // enabled state.
  undo_->afterEvent = [this] {
    if (FormView* view = main_.formView())
      view->sync();
    else
      main_.followEnabled();
  };
  undo_->create(main_.hwnd());
}

std::unique_ptr<SecondaryWindows> createSecondaryWindows(pages::AboutBox& about, pages::HelpWindow& help,
                                                         pages::CommandEditor& editor, MainWindowView& main) {
  // In the order of creation: the information window, the help window, the command editor.
  return std::make_unique<SecondaryWindows>(about, help, editor, main);
}

}  // namespace varnex::ui::win32
