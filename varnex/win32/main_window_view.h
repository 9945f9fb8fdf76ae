#pragma once
// The native main window of class "TForm1", titled "Varnex 2000", around the main window model.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "pages/about_box.h"
#include "pages/command_editor.h"
#include "pages/help_window.h"
#include "pages/undo_window.h"
#include "ui/win32/form_view.h"
#include "ui/win32/form_window.h"
#include "win32/handles.h"

namespace varnex::ui::win32 {


// Resource ids of the program icon and the page pictures (page i in tab order: 101 + i; none
// for a page with a title of its own).
inline constexpr int kProgramIconId = 1;
inline constexpr int kFirstPagePictureId = 101;
// The notification-area icon's callback message.
inline constexpr UINT kTrayMessage = WM_APP + 1;

class MainWindowView {
 public:
  MainWindowView(app::MainWindow& model, const app::Records& records);
  // Creates the window, which runs window creation of the model. Null on failure.
  HWND create();
  HWND hwnd() const { return window_.hwnd(); }
  // Runs when the native window exists, before window creation of the model.
  std::function<void(HWND)> onWindowCreated;
  FormView* formView() { return window_.view(); }
  // Runs after every event of the main window, once its controls are in line with the model.
  std::function<void()> afterEvent;
  // The native enabled state follows MainWindow::enabled; runs after every event of the main
  // window and of the windows opened from it.
  void followEnabled();

 private:
  // The main window's own messages: session end, restore request, tray, timers, activation.
  bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  app::MainWindow& model_;
  app::Records records_;
  FormWindow window_;
};

// The three windows created after the main one: the information window, the help window and
// the command editor.
class SecondaryWindows {
 public:
  SecondaryWindows(pages::AboutBox& about, pages::HelpWindow& help, pages::CommandEditor& editor,
                   MainWindowView& main);
  ~SecondaryWindows();
  SecondaryWindows(const SecondaryWindows&) = delete;
  SecondaryWindows& operator=(const SecondaryWindows&) = delete;
  // Brings every secondary window in line with its model.
  void sync();
  // The undo window, created after the others.
  void addUndoWindow(pages::UndoWindow& undo);

 private:
  MainWindowView& main_;
  std::unique_ptr<FormWindow> about_;
  std::unique_ptr<FormWindow> help_;
  std::unique_ptr<FormWindow> editor_;
  std::unique_ptr<FormWindow> undo_;
};
std::unique_ptr<SecondaryWindows> createSecondaryWindows(pages::AboutBox& about, pages::HelpWindow& help,
                                                         pages::CommandEditor& editor,
                                                         MainWindowView& main);

}  // namespace varnex::ui::win32
