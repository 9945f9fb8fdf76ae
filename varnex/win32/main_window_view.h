#pragma once
// The native main window of class "TForm1", titled "Varnex 2000", around the main window model.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "ui/win32/form_view.h"
#include "win32/handles.h"

namespace varnex::ui::win32 {


// Resource ids of the program icon and the page pictures (page i in tab order: 101 + i).
inline constexpr int kProgramIconId = 1;
inline constexpr int kFirstPagePictureId = 101;
// The notification-area icon's callback message.
inline constexpr UINT kTrayMessage = WM_APP + 1;

class MainWindowView {
 public:
  MainWindowView(app::MainWindow& model, const app::Records& records);
  // Creates the window, which runs window creation of the model. Null on failure.
  HWND create();
  HWND hwnd() const { return hwnd_; }
  // Runs when the native window exists, before window creation of the model.
  std::function<void(HWND)> onWindowCreated;
  FormView* formView() { return view_.get(); }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  app::MainWindow& model_;
  app::Records records_;
  HWND hwnd_ = nullptr;
  std::vector<::varnex::win32::UniqueIcon> pictures_;  // before the view, so they outlive it
  std::unique_ptr<FormView> view_;
};

// The three windows created after the main one; empty until their pages arrive.
void createSecondaryWindows();

}  // namespace varnex::ui::win32
