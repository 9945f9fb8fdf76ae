#include "varnex/win32/main_window_view.h"

#include <vector>

#include "app/startup.h"

namespace varnex::ui::win32 {

namespace {

// The page pictures' resources, by sheet.
SheetPictures pagePictures() {
  SheetPictures pictures;
  int index = 0;
  for (const app::PageInfo& page : app::pageTable()) {
    const int id = kFirstPagePictureId + index++;
    if (*page.heading) pictures[page.sheet] = id;  // a page with a title of its own shows its own picture
  }
  return pictures;
}

}  // namespace

MainWindowView::MainWindowView(app::MainWindow& model, const app::Records& records)
    : model_(model),
      records_(records),
      window_(model.form(), FormWindowStyle{.className = app::kMainWindowClass.c_str(),
                                            .caption = app::kMainWindowTitle.c_str(),
                                            .clientWidth = app::kClientWidth,
                                            .clientHeight = app::kClientHeight,
                                            .main = true,
                                            .icon = kProgramIconId}) {}

HWND MainWindowView::create() {
  window_.pictures = pagePictures();
  window_.onCreate = [this] {
    if (onWindowCreated) onWindowCreated(window_.hwnd());
    model_.onClosed = [this] { DestroyWindow(window_.hwnd()); };
    model_.FormCreate(records_);
  };
  window_.onClose = [this] { model_.close(); };
  window_.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return handle(message, wParam, lParam, result);
  };
  window_.afterEvent = [this] {
    followEnabled();
    if (afterEvent) afterEvent();
  };
  return window_.create(nullptr);
}

bool MainWindowView::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_QUERYENDSESSION:
      result = model_.FormCloseQuery() ? TRUE : FALSE;
      return true;
    case app::kWmUser:
      model_.restoreRequest();
      return true;
    case kTrayMessage:
      // A left double click on the notification-area icon brings the window back; the right
      // button's release opens its menu.
      if (lParam == WM_LBUTTONDBLCLK) model_.trayDoubleClick();
      if (lParam == WM_RBUTTONUP) model_.trayRightButtonUp();
      return true;
    case WM_TIMER:
      model_.timerFired(static_cast<int>(wParam));
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        model_.FormActivate();
        window_.sync();
      }
      return false;  // the default handling gives the focus back
    case WM_DESTROY:
      PostQuitMessage(0);
      return false;
    default:
      return false;
  }
}

void MainWindowView::followEnabled() {
  HWND hwnd = window_.hwnd();
  if (hwnd && IsWindow(hwnd) && (IsWindowEnabled(hwnd) != FALSE) != model_.enabled)
    EnableWindow(hwnd, model_.enabled ? TRUE : FALSE);
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
