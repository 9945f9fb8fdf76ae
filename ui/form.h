#pragma once
// A form owns its controls, finds them by name and keeps the editor groups that pages hide
// and show together.
//
// A page declares its controls as references into the form and binds their events to its
// member functions:
//   ui::CheckBox& CheckBox2 = form.add<ui::CheckBox>("CheckBox2", &TabSheet1, {16, 40, 200, 17},
//                                                    "Enable boot menu");
//   CheckBox2.onMouseDown = std::bind_front(&BootPage::CheckBox2MouseDown, this);
// and a test presses it as a user does: CheckBox2.mouseDown(ui::MouseButton::Left);
// CheckBox2.click();
#include <map>
#include <memory>
#include "base/error.h"
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace varnex::ui {

class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates a control; parent null means the form itself. Names are unique within the form.
  template <class T>
  T& add(std::string name, Control* parent = nullptr, Bounds bounds = {},
         std::string caption = {}) {
    auto control = std::make_unique<T>();
    T& result = *control;
    adopt(std::move(control), std::move(name), parent, bounds, std::move(caption));
    return result;
  }

  // Null when no control has that name (compared exactly).
  Control* find(std::string_view name) const;
  // The control of that name and kind; throws LogicError otherwise.
  template <class T>
  T& get(std::string_view name) const {
    auto* control = dynamic_cast<T*>(find(name));
    if (control == nullptr) throw LogicError("no such control: " + std::string(name));
    return *control;
  }

  // Every control in creation order, so containers come before what they hold.
  const std::vector<Control*>& controls() const { return order_; }
  std::vector<Control*> childrenOf(const Control* parent) const;

  // Editor groups. Names are compared ignoring case; a name that was never defined hides and
  // shows nothing.
  void addToGroup(std::string_view group, Control& control);
  void hideGroup(std::string_view group);
  void showGroup(std::string_view group);

 private:
  void adopt(std::unique_ptr<Control> control, std::string name, Control* parent, Bounds bounds,
             std::string caption);
  std::vector<Control*>* group(std::string_view name);

  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> order_;
  std::map<std::string, std::vector<Control*>> groups_;  // keyed by the upper-cased name
};

}  // namespace varnex::ui
