#pragma once
// Lists of texts with one selected item: the list box and the drop-down list.
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace varnex::ui {

class ItemList : public Control {
 public:
  const std::vector<std::string>& items() const { return items_; }
  // Replacing all items clears the selection; replacing one keeps it.
  void setItems(std::vector<std::string> items);
  void setItem(int index, std::string text);
  void addItem(std::string text) { items_.push_back(std::move(text)); }

  // -1 when nothing is selected.
  int itemIndex() const { return index_; }
  // The selected item's text, empty when nothing is selected.
  std::string text() const;
  // From code: runs no handler. An index outside the items clears the selection.
  void setItemIndex(int index);
  // The user chooses an item: onChange runs for every choice, also of the item already chosen.
  void choose(int index);

  std::function<void()> onChange;

 protected:
  explicit ItemList(Kind kind) : Control(kind) {}

 private:
  bool holds(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }
  std::vector<std::string> items_;
  int index_ = -1;
};

class ListBox : public ItemList {
 public:
  ListBox() : ItemList(Kind::ListBox) {}
};

class ComboBox : public ItemList {
 public:
  ComboBox() : ItemList(Kind::ComboBox) {}
};

}  // namespace varnex::ui
