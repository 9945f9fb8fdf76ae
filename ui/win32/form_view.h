#pragma once
// Shows a form model with native controls: one native control per model control, native
// notifications routed to the model's gesture entry points, and after every dispatched event
// each native control brought in line with the model. The controls of a tab sheet are created
// when the sheet first shows: a start then costs one page's windows, not every page's, and a
// sheet the user never opens takes nothing from Windows 98's small USER heap.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/pages.h"
#include "win32/handles.h"

namespace varnex::ui::win32 {

// Tells the user that an exception no code path expected ended the action of a window
// procedure; the program goes on. Titled like the top-level window of from.
void showUnexpectedError(HWND from, const char* what);

// Icons drawn at the top left of a tab sheet: resource ids by sheet name, loaded when their
// sheet first paints.
using SheetPictures = std::map<std::string, int>;

class FormView {
 public:
  // Creates the native controls of the form inside window (its client area is the form).
  FormView(Form& form, HWND window, SheetPictures pictures = {});
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  // Routes a message of the host window to the model; true when it was handled, result set.
  bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Creates the controls of sheets that have begun to show, then brings every native control in
  // line with the model.
  void sync();
  // Null for a control whose sheet has not shown yet.
  HWND nativeOf(const Control* control) const;
  // Runs after every sync, so the host can follow model state that no control shows.
  std::function<void()> onSynced;

 private:
  struct Native {
    Control* control = nullptr;
    HWND hwnd = nullptr;
    HWND buddy = nullptr;  // the up-down of a spin edit
    WNDPROC original = nullptr;  // the control's own procedure, under ours
    std::string text;      // last text given to the native control
    std::vector<std::string> items;
    int number = -1;       // last check state, position or index given
    bool shown = false;
    bool enabled = true;
    COLORREF colour = 0;
    RECT bounds = {0, 0, 0, 0};  // last place given, in the host's coordinates
  };

  static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK sheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void create(Control& control);
  // The innermost tab sheet around control, or null.
  static const Control* sheetOf(const Control& control);
  void createShownSheets();
  HWND hostOf(const Control& control, int& left, int& top) const;
  // Where the native control goes inside its host window.
  RECT nativeBounds(const Control& control) const;
  Native* find(HWND hwnd);
  void syncOne(Native& n);
  void layoutSheets();
  // The sheet's picture, loaded at its first paint; null when it has none.
  HICON pictureOf(const Control& sheet);
  // One font object per face, size and weight, however many labels use it.
  HFONT labelFont(const Font& font);
  void mouseMoveOnSheet(HWND sheet, int x, int y);
  bool command(HWND from, int code);

  Form& form_;
  HWND window_;
  SheetPictures pictures_;
  ::varnex::win32::UniqueGdi<HFONT> font_;
  ::varnex::win32::UniqueGdi<HFONT> headingFont_;
  struct LabelFont {
    Font font;
    ::varnex::win32::UniqueGdi<HFONT> handle;
  };
  std::vector<LabelFont> labelFonts_;  // faces of labels that have their own
  std::map<const Control*, HICON> loadedPictures_;
  std::vector<::varnex::win32::UniqueIcon> ownIcons_;
  HBRUSH faceBrush_ = nullptr;
  std::vector<Native> natives_;
  std::map<HWND, std::size_t> byHandle_;
  std::map<const Control*, HWND> sheets_;  // tab sheets are host windows of their controls
  std::map<const Control*, std::vector<Control*>> waiting_;  // controls of sheets not yet shown
  bool syncing_ = false;
};

}  // namespace varnex::ui::win32
