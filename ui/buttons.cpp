#include "ui/buttons.h"

#include "ui/form.h"

namespace varnex::ui {

void Button::click() {
  if (acceptsInput()) fire(onClick);
}

void CheckBox::setChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  fire(onClick);
}

void CheckBox::click() {
  if (acceptsInput()) setChecked(!checked_);
}

void RadioButton::setChecked(bool checked) {
  if (checked_ == checked) return;
  if (checked) {
    for (Control* sibling : form().childrenOf(parent())) {
      if (sibling != this && sibling->kind() == Kind::RadioButton) {
        static_cast<RadioButton*>(sibling)->checked_ = false;
      }
    }
  }
  checked_ = checked;
  if (checked) fire(onClick);
}

void RadioButton::click() {
  if (acceptsInput()) setChecked(true);
}

}  // namespace varnex::ui
