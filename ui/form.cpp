#include "ui/form.h"

#include <algorithm>

namespace varnex::ui {

namespace {

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

}  // namespace

void Form::adopt(std::unique_ptr<Control> control, std::string name, Control* parent,
                 Bounds bounds, std::string caption) {
  if (find(name) != nullptr) throw LogicError("duplicate control name: " + name);
  if (parent != nullptr && &parent->form() != this) {
    throw LogicError("parent of " + name + " belongs to another form");
  }
  control->name_ = std::move(name);
  control->parent_ = parent;
  control->form_ = this;
  control->caption = std::move(caption);
  control->left = bounds.left;
  control->top = bounds.top;
  control->width = bounds.width;
  control->height = bounds.height;
  order_.push_back(control.get());
  owned_.push_back(std::move(control));
}

Control* Form::find(std::string_view name) const {
  auto it = std::find_if(order_.begin(), order_.end(),
                         [&](const Control* c) { return c->name() == name; });
  return it == order_.end() ? nullptr : *it;
}

std::vector<Control*> Form::childrenOf(const Control* parent) const {
  std::vector<Control*> result;
  for (Control* c : order_) {
    if (c->parent() == parent) result.push_back(c);
  }
  return result;
}

std::vector<Control*>* Form::group(std::string_view name) {
  auto it = groups_.find(upper(name));
  return it == groups_.end() ? nullptr : &it->second;
}

void Form::addToGroup(std::string_view group, Control& control) {
  groups_[upper(group)].push_back(&control);
}

void Form::hideGroup(std::string_view name) {
  if (auto* members = group(name)) {
    for (Control* c : *members) c->visible = false;
  }
}

void Form::showGroup(std::string_view name) {
  if (auto* members = group(name)) {
    for (Control* c : *members) c->visible = true;
  }
}

}  // namespace varnex::ui
