#include "ui/pages.h"

#include "base/error.h"

#include "ui/form.h"

namespace varnex::ui {

std::vector<TabSheet*> PageControl::pages() const {
  std::vector<TabSheet*> result;
  for (Control* c : form().childrenOf(this)) {
    if (c->kind() == Kind::TabSheet) result.push_back(static_cast<TabSheet*>(c));
  }
  return result;
}

TabSheet* PageControl::activePage() const {
  if (active_ != nullptr) return active_;
  auto all = pages();
  return all.empty() ? nullptr : all.front();
}

int PageControl::activeIndex() const {
  auto all = pages();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] == activePage()) return static_cast<int>(i);
  }
  return -1;
}

void PageControl::setActivePage(TabSheet& page) {
  if (page.parent() != this) throw LogicError(page.name() + " is not a page of " + name());
  active_ = &page;
}

void PageControl::selectTab(int index) {
  if (!acceptsInput()) return;
  auto all = pages();
  if (index < 0 || index >= static_cast<int>(all.size())) return;
  if (all[static_cast<std::size_t>(index)] == activePage()) return;
  active_ = all[static_cast<std::size_t>(index)];
  fire(onChange);
}

}  // namespace varnex::ui
