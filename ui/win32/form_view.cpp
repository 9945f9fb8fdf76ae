#include "ui/win32/form_view.h"

#include <commctrl.h>

#include <cstring>
#include <exception>
#include <string>

#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/lists.h"
#include "ui/pages.h"
#include "ui/ranges.h"
#include "ui/win32/message_loop_watch.h"

namespace varnex::ui::win32 {

namespace {

const char kSheetClass[] = "VarnexSheet";

int checkedOf(const Control& c) {
  if (c.kind() == Kind::CheckBox) return static_cast<const CheckBox&>(c).checked() ? 1 : 0;
  if (c.kind() == Kind::RadioButton) return static_cast<const RadioButton&>(c).checked() ? 1 : 0;
  return -1;
}

std::string windowText(HWND hwnd) {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// Memos hold lines; the native edit wants CR LF between them.
std::string withCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
    out += c;
  }
  return out;
}

void registerSheetClass(WNDPROC proc) {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), kSheetClass, &existing)) return;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kSheetClass;
  RegisterClassA(&wc);
}

// Runs a window procedure's work; an exception is shown and the message then goes to the
// default handling.
template <class Work>
bool guarded(HWND hwnd, Work&& work) {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    showUnexpectedError(hwnd, e.what());
  } catch (...) {
    showUnexpectedError(hwnd, "unknown error");
  }
  return false;
}

}  // namespace

void showUnexpectedError(HWND from, const char* what) {
  HWND top = from ? GetAncestor(from, GA_ROOT) : nullptr;
  char title[128] = {};
  if (top) GetWindowTextA(top, title, sizeof title);
  const std::string text = std::string("The last action stopped because of an unexpected error: ") + what;
  MessageBoxA(top, text.c_str(), title, MB_OK | MB_ICONERROR);
}

FormView::FormView(Form& form, HWND window, SheetPictures pictures)
    : form_(form), window_(window), pictures_(std::move(pictures)) {
  registerSheetClass(&FormView::sheetProc);
  font_.reset(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  headingFont_.reset(CreateFontA(-19, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial"));
  faceBrush_ = GetSysColorBrush(COLOR_BTNFACE);
  // Room for every control up front: a Native's address must not change while a handler holds it.
  natives_.reserve(form_.controls().size());
  for (Control* control : form_.controls()) {
    // A page's sheet and controls are made when it first shows: a page the user never opens
    // costs nothing at start-up. The sheet comes first in its own list, as it hosts the rest.
    const Control* sheet = control->kind() == Kind::TabSheet ? control : sheetOf(*control);
    if (sheet && !sheet->showing())
      waiting_[sheet].push_back(control);
    else
      create(*control);
  }
  layoutSheets();  // the owner syncs the view once it has run its own start
}

const Control* FormView::sheetOf(const Control& control) {
  for (const Control* p = control.parent(); p != nullptr; p = p->parent())
    if (p->kind() == Kind::TabSheet) return p;
  return nullptr;
}

void FormView::createShownSheets() {
  bool made = false;
  for (auto it = waiting_.begin(); it != waiting_.end();) {
    if (!it->first->showing()) {
      ++it;
      continue;
    }
    for (Control* control : it->second) create(*control);
    it = waiting_.erase(it);
    made = true;
  }
  if (made) layoutSheets();
}

HWND FormView::nativeOf(const Control* control) const {
  for (const Native& n : natives_)
    if (n.control == control) return n.hwnd;
  return nullptr;
}

HWND FormView::hostOf(const Control& control, int& left, int& top) const {
  left = control.left;
  top = control.top;
  for (const Control* p = control.parent(); p != nullptr; p = p->parent()) {
    if (p->kind() == Kind::TabSheet) {
      auto it = sheets_.find(p);
      return it == sheets_.end() ? window_ : it->second;
    }
    left += p->left;
    top += p->top;
  }
  return window_;
}

void FormView::create(Control& control) {
  int left = 0, top = 0;
  HWND host = hostOf(control, left, top);
  DWORD style = WS_CHILD;
  DWORD exStyle = 0;
  const char* cls = "STATIC";
  std::string text = control.caption;
  switch (control.kind()) {
    case Kind::Button: cls = "BUTTON"; style |= WS_TABSTOP | BS_PUSHBUTTON; break;
    case Kind::CheckBox: cls = "BUTTON"; style |= WS_TABSTOP | BS_CHECKBOX; break;
    case Kind::RadioButton: cls = "BUTTON"; style |= WS_TABSTOP | BS_RADIOBUTTON; break;
    case Kind::GroupBox:
      // A frame too low to hold anything is a horizontal rule; as a group box it would draw its
      // top and bottom edges into one dark bar.
      if (control.height < 10 && control.caption.empty()) {
        style |= SS_ETCHEDHORZ;
      } else {
        cls = "BUTTON";
        style |= BS_GROUPBOX;
      }
      break;
    case Kind::Label:
      style |= (static_cast<Label&>(control).icon ? SS_ICON : SS_LEFT) | SS_NOTIFY;
      if (static_cast<Label&>(control).icon) text.clear();
      break;
    case Kind::Edit:
    case Kind::SpinEdit:
      cls = "EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      exStyle |= WS_EX_CLIENTEDGE;
      text = static_cast<Edit&>(control).text();
      break;
    case Kind::Memo: {
      cls = "EDIT";
      style |= ES_MULTILINE | ES_READONLY;  // the description panes: borderless, button face
      auto& memo = static_cast<Memo&>(control);
      if (memo.verticalScrollBar) style |= WS_VSCROLL | WS_TABSTOP;
      if (memo.bordered) exStyle |= WS_EX_CLIENTEDGE;
      text.clear();
      break;
    }
    case Kind::TrackBar: cls = TRACKBAR_CLASSA; style |= WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS; break;
    case Kind::ProgressBar: cls = PROGRESS_CLASSA; break;
    case Kind::ListBox: cls = "LISTBOX"; style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY; exStyle |= WS_EX_CLIENTEDGE; break;
    case Kind::ComboBox: cls = "COMBOBOX"; style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST; break;
    // No WS_CLIPCHILDREN: group boxes paint only their frame, the sheet paints what lies inside.
    case Kind::TabSheet: cls = kSheetClass; style |= WS_CLIPSIBLINGS; exStyle |= WS_EX_CONTROLPARENT; text.clear(); break;
    case Kind::PageControl:
      cls = WC_TABCONTROLA;
      style |= WS_CLIPSIBLINGS | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_MULTILINE;
      text.clear();
      break;
  }
  // Shown and enabled as the model has it from the start, so that the first sync has nothing to
  // give but what the model changed since.
  const bool shown = control.showing();
  const DWORD state = (shown ? WS_VISIBLE : 0) | (control.enabled ? 0 : WS_DISABLED);
  style |= state;
  const RECT bounds = nativeBounds(control);
  HWND hwnd = CreateWindowExA(exStyle, cls, text.c_str(), style, bounds.left, bounds.top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, host, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return;
  bool heading = control.name().rfind("Heading", 0) == 0;
  HFONT font = heading ? headingFont_.get() : font_.get();
  if (control.kind() == Kind::Label) {
    const Label& label = static_cast<Label&>(control);
    if (label.font.face)
      if (HFONT own = labelFont(label.font)) font = own;
    if (label.icon) {
      ::varnex::win32::UniqueIcon icon(static_cast<HICON>(LoadImageA(
          GetModuleHandleA(nullptr), MAKEINTRESOURCEA(label.icon), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
      if (icon) {
        SendMessageA(hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
        ownIcons_.push_back(std::move(icon));
      }
    }
  }
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The window's own slot, not a window property: Wine keeps properties in its server, and the
  // procedures below look the view up for every message.
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  // Known by its handle before it is subclassed, so its first message finds its original procedure.
  byHandle_[hwnd] = natives_.size();
  Native& n = natives_.emplace_back();
  n.control = &control;
  n.hwnd = hwnd;
  n.text = text;
  n.bounds = bounds;
  n.shown = shown;
  n.enabled = control.enabled;
  n.colour = control.captionColour;  // painted from the model (WM_CTLCOLOR*)
  if (control.kind() == Kind::CheckBox || control.kind() == Kind::RadioButton) n.number = 0;  // made unchecked
  if (control.kind() == Kind::TabSheet) {
    sheets_[&control] = hwnd;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else if (control.kind() != Kind::PageControl) {
    // Subclass for the mouse: the press must reach the model before the control reacts.
    n.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormView::controlProc)));
    if (host == window_) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (control.kind() == Kind::PageControl) {
    auto& pages = static_cast<PageControl&>(control);
    int index = 0;
    for (TabSheet* sheet : pages.pages()) {
      TCITEMA item = {};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(sheet->caption.c_str());
      SendMessageA(hwnd, TCM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (control.kind() == Kind::SpinEdit) {
    // The up-down takes its width from the right of the edit, which keeps the rest: the two
    // together fill the spin edit's bounds.
    n.buddy = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | state | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, SpinEdit::kButtonsWidth,
                              control.height, host, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(n.buddy, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd), 0);
    SendMessageA(n.buddy, UDM_SETRANGE, 0, MAKELPARAM(100, 0));
    SendMessageA(n.buddy, UDM_SETPOS, 0, MAKELPARAM(50, 0));
    byHandle_[n.buddy] = natives_.size() - 1;
  }
  if (control.kind() == Kind::ProgressBar || control.kind() == Kind::TrackBar) {
    auto& range = static_cast<RangeControl&>(control);
    UINT setRange = control.kind() == Kind::TrackBar ? TBM_SETRANGE : PBM_SETRANGE;
    if (control.kind() == Kind::TrackBar)
      SendMessageA(hwnd, setRange, TRUE, MAKELPARAM(range.minimum(), range.maximum()));
    else
      SendMessageA(hwnd, setRange, 0, MAKELPARAM(range.minimum(), range.maximum()));
  }
}

void FormView::layoutSheets() {
  for (Native& n : natives_) {
    if (n.control->kind() != Kind::PageControl) continue;
    RECT area;
    GetClientRect(n.hwnd, &area);
    SendMessageA(n.hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    POINT origin = {area.left, area.top};
    MapWindowPoints(n.hwnd, window_, &origin, 1);
    for (TabSheet* sheet : static_cast<PageControl*>(n.control)->pages()) {
      auto it = sheets_.find(sheet);
      if (it == sheets_.end()) continue;
      SetWindowPos(it->second, HWND_TOP, origin.x, origin.y, area.right - area.left,
                   area.bottom - area.top, SWP_NOACTIVATE);
    }
  }
  // The controls that lie over every page stay above the sheets.
  for (Native& n : natives_)
    if (n.control->parent() == nullptr && n.control->kind() != Kind::PageControl)
      SetWindowPos(n.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HICON FormView::pictureOf(const Control& sheet) {
  auto loaded = loadedPictures_.find(&sheet);
  if (loaded != loadedPictures_.end()) return loaded->second;
  HICON picture = nullptr;
  auto id = pictures_.find(sheet.name());
  if (id != pictures_.end()) {
    ::varnex::win32::UniqueIcon icon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id->second), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    picture = icon.get();
    if (icon) ownIcons_.push_back(std::move(icon));
  }
  loadedPictures_[&sheet] = picture;
  return picture;
}

HFONT FormView::labelFont(const Font& font) {
  for (const LabelFont& made : labelFonts_)
    if (std::strcmp(made.font.face, font.face) == 0 && made.font.pixels == font.pixels &&
        made.font.bold == font.bold && made.font.italic == font.italic)
      return made.handle.get();
  labelFonts_.push_back({font, ::varnex::win32::UniqueGdi<HFONT>(CreateFontA(
                                   -font.pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, 0, 0,
                                   ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_SWISS, font.face))});
  return labelFonts_.back().handle.get();
}

RECT FormView::nativeBounds(const Control& control) const {
  int left = 0, top = 0;
  hostOf(control, left, top);
  int width = control.width, height = control.height;
  if (control.kind() == Kind::ComboBox) height += 120;   // room for the drop-down
  return RECT{left, top, left + width, top + height};
}

FormView::Native* FormView::find(HWND hwnd) {
  auto it = byHandle_.find(hwnd);
  return it == byHandle_.end() ? nullptr : &natives_[it->second];
}

void FormView::syncOne(Native& n) {
  Control& c = *n.control;
  if (c.kind() != Kind::TabSheet && c.kind() != Kind::PageControl) {
    // Pages move and resize shared editors as they open; follow them.
    RECT want = nativeBounds(c);
    if (!EqualRect(&want, &n.bounds)) {
      MoveWindow(n.hwnd, want.left, want.top, want.right - want.left, want.bottom - want.top, TRUE);
      if (n.buddy) SendMessageA(n.buddy, UDM_SETBUDDY, reinterpret_cast<WPARAM>(n.hwnd), 0);
      n.bounds = want;
    }
  }
  bool shown = c.showing();
  if (shown != n.shown) {
    ShowWindow(n.hwnd, shown ? SW_SHOWNA : SW_HIDE);
    if (n.buddy) ShowWindow(n.buddy, shown ? SW_SHOWNA : SW_HIDE);
    n.shown = shown;
  }
  if (c.enabled != n.enabled) {
    EnableWindow(n.hwnd, c.enabled);
    if (n.buddy) EnableWindow(n.buddy, c.enabled);
    n.enabled = c.enabled;
  }
  if (c.captionColour != n.colour) {
    n.colour = c.captionColour;
    InvalidateRect(n.hwnd, nullptr, TRUE);
  }
  std::string text = c.caption;
  switch (c.kind()) {
    case Kind::Edit:
    case Kind::SpinEdit:
      text = static_cast<Edit&>(c).text();
      break;
    case Kind::Memo:
      text = withCrLf(static_cast<Edit&>(c).text());
      break;
    case Kind::TabSheet:
    case Kind::PageControl:
    case Kind::TrackBar:
    case Kind::ProgressBar:
    case Kind::ListBox:
    case Kind::ComboBox:
      text = n.text;
      break;
    default:
      break;
  }
  if (text != n.text) {
    SetWindowTextA(n.hwnd, text.c_str());
    n.text = text;
    // A refused edit puts its text back with the caret where the model placed it.
    if (c.kind() == Kind::Edit) {
      const int caret = static_cast<Edit&>(c).caret;
      SendMessageA(n.hwnd, EM_SETSEL, caret, caret);
    }
  }
  int number = checkedOf(c);
  switch (c.kind()) {
    case Kind::CheckBox:
    case Kind::RadioButton:
      if (number != n.number) SendMessageA(n.hwnd, BM_SETCHECK, number ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Kind::TrackBar: {
      auto& t = static_cast<TrackBar&>(c);
      number = t.position();
      SendMessageA(n.hwnd, TBM_SETRANGEMIN, FALSE, t.minimum());
      SendMessageA(n.hwnd, TBM_SETRANGEMAX, FALSE, t.maximum());
      if (number != n.number) SendMessageA(n.hwnd, TBM_SETPOS, TRUE, number);
      break;
    }
    case Kind::ProgressBar: {
      auto& p = static_cast<ProgressBar&>(c);
      number = p.position();
      if (number != n.number) {
        SendMessageA(n.hwnd, PBM_SETRANGE, 0, MAKELPARAM(p.minimum(), p.maximum()));
        SendMessageA(n.hwnd, PBM_SETPOS, number, 0);
      }
      break;
    }
    case Kind::ListBox:
    case Kind::ComboBox: {
      auto& list = static_cast<ItemList&>(c);
      bool isList = c.kind() == Kind::ListBox;
      if (list.items() != n.items) {
        SendMessageA(n.hwnd, isList ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
        for (const std::string& item : list.items())
          SendMessageA(n.hwnd, isList ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        n.items = list.items();
        n.number = -3;
      }
      number = list.itemIndex();
      if (number != n.number) SendMessageA(n.hwnd, isList ? LB_SETCURSEL : CB_SETCURSEL, number, 0);
      break;
    }
    case Kind::PageControl:
      number = static_cast<PageControl&>(c).activeIndex();
      if (number != n.number) SendMessageA(n.hwnd, TCM_SETCURSEL, number, 0);
      break;
    default:
      break;
  }
  n.number = number;
}

void FormView::sync() {
  // Setting a native control's state sends notifications whose handling syncs again; the sync
  // under way already covers them.
  if (syncing_) return;
  struct Syncing {
    bool& flag;
    explicit Syncing(bool& f) : flag(f) { flag = true; }
    ~Syncing() { flag = false; }
  };
  {
    Syncing during(syncing_);
    createShownSheets();
    for (Native& n : natives_) syncOne(n);
  }
  if (onSynced) onSynced();
}

bool FormView::command(HWND from, int code) {
  Native* n = find(from);
  if (!n || syncing_) return false;
  Control& c = *n->control;
  switch (c.kind()) {
    case Kind::Button:
      if (code == BN_CLICKED) static_cast<Button&>(c).click();
      break;
    case Kind::CheckBox:
      if (code == BN_CLICKED) static_cast<CheckBox&>(c).click();
      break;
    case Kind::RadioButton:
      if (code == BN_CLICKED) static_cast<RadioButton&>(c).click();
      break;
    case Kind::Edit:
    case Kind::SpinEdit:
      if (code == EN_CHANGE) {
        n->text = windowText(from);
        static_cast<Edit&>(c).type(n->text);
      } else if (code == EN_KILLFOCUS && c.kind() == Kind::SpinEdit) {
        static_cast<SpinEdit&>(c).focusLost();
      }
      break;
    case Kind::ListBox:
      if (code == LBN_SELCHANGE) {
        n->number = static_cast<int>(SendMessageA(from, LB_GETCURSEL, 0, 0));
        static_cast<ItemList&>(c).choose(n->number);
      }
      break;
    case Kind::ComboBox:
      if (code == CBN_SELCHANGE) {
        n->number = static_cast<int>(SendMessageA(from, CB_GETCURSEL, 0, 0));
        static_cast<ItemList&>(c).choose(n->number);
      }
      break;
    default:
      return false;
  }
  sync();
  return true;
}

void FormView::mouseMoveOnSheet(HWND sheet, int x, int y) {
  // Frames and labels let the pointer through to the sheet: find the innermost frame under it.
  Control* sheetControl = nullptr;
  for (const auto& [control, hwnd] : sheets_)
    if (hwnd == sheet) sheetControl = const_cast<Control*>(control);
  if (!sheetControl) return;
  Control* target = sheetControl;
  for (Control* c : form_.controls()) {
    if (c->kind() != Kind::GroupBox || !c->showing()) continue;
    int left = 0, top = 0;
    if (hostOf(*c, left, top) != sheet) continue;
    if (x >= left && x < left + c->width && y >= top && y < top + c->height) target = c;
  }
  target->mouseMove();
  sync();
}

bool FormView::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      return lParam != 0 && command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      Native* n = find(header->hwndFrom);
      if (!n) return false;
      if (header->code == static_cast<UINT>(TCN_SELCHANGE) && n->control->kind() == Kind::PageControl) {
        int index = static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0));
        n->number = index;
        static_cast<PageControl*>(n->control)->selectTab(index);
        sync();
        result = 0;
        return true;
      }
      if (header->code == static_cast<UINT>(UDN_DELTAPOS) && n->control->kind() == Kind::SpinEdit) {
        auto* change = reinterpret_cast<NMUPDOWN*>(lParam);
        auto& spin = static_cast<SpinEdit&>(*n->control);
        if (change->iDelta > 0) spin.stepUp();
        else if (change->iDelta < 0) spin.stepDown();
        sync();
        result = TRUE;  // the model decides; the up-down keeps no position of its own
        return true;
      }
      return false;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      Native* n = lParam ? find(reinterpret_cast<HWND>(lParam)) : nullptr;
      if (!n || n->control->kind() != Kind::TrackBar || syncing_) return false;
      int position = static_cast<int>(SendMessageA(n->hwnd, TBM_GETPOS, 0, 0));
      n->number = position;
      static_cast<TrackBar*>(n->control)->slide(position);
      sync();
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      Native* n = find(reinterpret_cast<HWND>(lParam));
      if (!n) return false;
      // Edits keep the system's colours; the description panes are drawn in the button face.
      if (message == WM_CTLCOLOREDIT && n->control->kind() != Kind::Memo) return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (n->control->kind() == Kind::Memo && static_cast<Memo*>(n->control)->infoColours) {
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        SetBkColor(dc, GetSysColor(COLOR_INFOBK));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
        return true;
      }
      SetTextColor(dc, n->control->enabled || n->control->kind() == Kind::Memo ? n->control->captionColour
                                                                             : GetSysColor(COLOR_GRAYTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      result = reinterpret_cast<LRESULT>(faceBrush_);
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK FormView::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  Native* n = view ? view->find(hwnd) : nullptr;
  const WNDPROC original = n ? n->original : nullptr;
  if (n) {
    {
      switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
          MessageLoopWatch watch;
          guarded(hwnd, [n] { n->control->mouseDown(MouseButton::Left); });
          view->sync();
          // A handler that asked a question let the question's own loop take the release: the
          // control must not start a click that no release will end (it would hold the mouse).
          // A press sent or posted by another program comes with its release still to follow.
          if (watch.loopRan()) return 0;
          break;
        }
        case WM_RBUTTONDOWN:
          guarded(hwnd, [n] { n->control->mouseDown(MouseButton::Right); });
          view->sync();
          break;
        case WM_MBUTTONDOWN:
          guarded(hwnd, [n] { n->control->mouseDown(MouseButton::Middle); });
          view->sync();
          break;
        case WM_MOUSEMOVE:
          guarded(hwnd, [n] { n->control->mouseMove(); });
          view->sync();
          break;
        case WM_SETCURSOR:
          if (n->control->handCursor && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
          }
          break;
        case WM_NCDESTROY:
          SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
          SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
          break;
        default:
          break;
      }
    }
  }
  return original ? CallWindowProcA(original, hwnd, message, wParam, lParam)
                  : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FormView::sheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (view) {
        LRESULT result = 0;
        bool handled = false;
        if (guarded(hwnd, [&] { handled = view->handle(message, wParam, lParam, result); }) && handled) return result;
        view->sync();
      }
      break;
    case WM_MOUSEMOVE:
      if (view)
        guarded(hwnd, [&] {
          view->mouseMoveOnSheet(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        });
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (view) {
        for (const auto& [control, sheet] : view->sheets_)
          if (sheet == hwnd)
            if (HICON picture = view->pictureOf(*control)) DrawIcon(dc, 8, 4, picture);
      }
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace varnex::ui::win32
