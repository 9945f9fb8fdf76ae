#pragma once
// Push buttons, check boxes and radio buttons: controls whose one gesture is a click.
#include <functional>

#include "ui/control.h"

namespace varnex::ui {

class Button : public Control {
 public:
  Button() : Control(Kind::Button) {}
  // The user's click (mouse release or keyboard).
  void click();
  std::function<void()> onClick;
};

class CheckBox : public Control {
 public:
  CheckBox() : Control(Kind::CheckBox) {}

  bool checked() const { return checked_; }
  // From code: runs onClick only when the state changes, so handlers that keep pending values
  // in step with the box see every change and nothing else.
  void setChecked(bool checked);
  // The user's toggle. A mouse press is mouseDown(Left) and then click(); the space bar is
  // click() alone.
  void click();

  std::function<void()> onClick;

 private:
  bool checked_ = false;
};

// Exclusive among the radio buttons of the same parent.
class RadioButton : public Control {
 public:
  RadioButton() : Control(Kind::RadioButton) {}

  bool checked() const { return checked_; }
  // Checking clears the siblings (without running their handlers) and runs onClick when the
  // button was not checked before; unchecking runs no handler.
  void setChecked(bool checked);
  // The user's click: checks the button; a click on the checked button changes nothing.
  void click();

  std::function<void()> onClick;

 private:
  bool checked_ = false;
};

}  // namespace varnex::ui
