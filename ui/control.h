#pragma once
// The base of every control in the form model: identity, layout, look and the mouse gestures
// that every kind of control receives.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace varnex::ui {

class Form;

// What the view creates for a control; one native control per kind.
enum class Kind {
  Button,
  CheckBox,
  RadioButton,
  Edit,
  Memo,
  SpinEdit,
  TrackBar,
  ProgressBar,
  ListBox,
  ComboBox,
  Label,
  GroupBox,
  TabSheet,
  PageControl,
};

enum class MouseButton { Left, Right, Middle };

// Colours in the platform's 0x00BBGGRR notation.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kNavy = 0x800000;

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class Control {
 public:
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  Control* parent() const { return parent_; }
  Form& form() const { return *form_; }

  // Look and layout carry no behaviour, so they are plain fields the pages set directly.
  std::string caption;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool enabled = true;
  Colour captionColour = kBlack;
  bool handCursor = false;  // the pointer over it is a pointing hand, as over a link

  // True when the user can see the control: it and every container up to the form are visible,
  // and each page on the way is the active page of its tab control.
  bool showing() const;
  // True when the user can reach it with mouse or keyboard: showing and enabled all the way up.
  bool acceptsInput() const;

  // Mouse gestures. A control that does not accept input ignores them, as the native one would
  // never see them.
  void mouseDown(MouseButton button);
  void mouseMove();

  std::function<void(MouseButton)> onMouseDown;
  std::function<void()> onMouseMove;

 protected:
  explicit Control(Kind kind) : kind_(kind) {}

 private:
  friend class Form;
  Kind kind_;
  std::string name_;
  Control* parent_ = nullptr;
  Form* form_ = nullptr;
};

// Runs a handler if one is set; pages leave most of them empty.
template <class F, class... Args>
void fire(const F& handler, Args&&... args) {
  if (handler) handler(std::forward<Args>(args)...);
}

}  // namespace varnex::ui
