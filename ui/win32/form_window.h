#pragma once
// A top-level window around any form of the form model: a fixed frame of a given class name and
// caption, centred. The close box and the system's close keystroke run the close handler
// instead of destroying the window.
//
// A window opened from another one is hidden until the model says otherwise and follows the
// model's visibility flag after every event; its controls are created when it first shows.
// Enter presses its default button, Escape closes it.
//
// The program's main window has a minimize box and the program's icon; its controls are made
// with it, its visibility is the program's to decide, and Enter and Escape stay with its
// controls.
#include <windows.h>

#include <functional>
#include <memory>

#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/win32/form_view.h"

namespace varnex::ui::win32 {

struct FormWindowStyle {
  const char* className;
  const char* caption;
  int clientWidth;
  int clientHeight;
  bool titleButtons = false;  // a system menu with its close box; without, a bare caption
  bool main = false;          // the program's main window
  int icon = 0;               // resource id of the main window's icon
};

class FormWindow {
 public:
  FormWindow(Form& form, FormWindowStyle style);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Creates the hidden window, owned by owner (kept above it). Null on failure.
  HWND create(HWND owner);
  HWND hwnd() const { return hwnd_; }
  // Null until the controls are made.
  FormView* view() { return view_.get(); }

  // Wiring, set before create.
  std::function<bool()> visible;      // the model's flag; without one the caller shows the window
  std::function<void()> onClose;      // every way of closing but the form's own buttons
  Button* defaultButton = nullptr;    // pressed by Enter
  SheetPictures pictures;             // drawn on the tab sheets
  std::function<void()> onCreate;     // inside window creation, once the controls exist
  // The window's own messages that its controls do not use: true when handled, result set, and
  // the window is then brought in line with the model; false lets the message go on.
  std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> onMessage;
  std::function<void()> afterEvent;   // after every event of this window, once it is in line

  // Brings the native controls and the window's visibility in line with the model.
  void sync();

  // For the message loop: Enter and Escape in any window opened from another one are handled
  // here. True when the message was consumed.
  static bool preTranslate(const MSG& message);

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void makeView();
  template <class Action>
  void guarded(Action action);
  void followModel();
  void close();
  void pressDefault();

  Form& form_;
  FormWindowStyle style_;
  HWND hwnd_ = nullptr;
  std::unique_ptr<FormView> view_;
  bool shown_ = false;
  bool following_ = false;
};

}  // namespace varnex::ui::win32
