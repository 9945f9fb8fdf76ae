#include "ui/lists.h"

#include "base/error.h"

namespace varnex::ui {

void ItemList::setItems(std::vector<std::string> items) {
  items_ = std::move(items);
  index_ = -1;
}

void ItemList::setItem(int index, std::string text) {
  if (!holds(index)) throw LogicError(name() + ": no item " + std::to_string(index));
  items_[static_cast<std::size_t>(index)] = std::move(text);
}

std::string ItemList::text() const {
  return holds(index_) ? items_[static_cast<std::size_t>(index_)] : std::string();
}

void ItemList::setItemIndex(int index) { index_ = holds(index) ? index : -1; }

void ItemList::choose(int index) {
  if (!acceptsInput() || !holds(index)) return;
  index_ = index;
  fire(onChange);
}

}  // namespace varnex::ui
