#include "ui/control.h"

#include "ui/pages.h"

namespace varnex::ui {

bool Control::showing() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible) return false;
    if (c->kind_ == Kind::TabSheet && c->parent_ != nullptr &&
        c->parent_->kind_ == Kind::PageControl &&
        static_cast<const PageControl*>(c->parent_)->activePage() != c) {
      return false;
    }
  }
  return true;
}

bool Control::acceptsInput() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled) return false;
  }
  return showing();
}

void Control::mouseDown(MouseButton button) {
  if (acceptsInput()) fire(onMouseDown, button);
}

void Control::mouseMove() {
  if (acceptsInput()) fire(onMouseMove);
}

}  // namespace varnex::ui
