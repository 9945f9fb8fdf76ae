#pragma once
// Containers and static controls: labels, frames, tab sheets and the tab control that shows one
// sheet at a time.
#include <functional>
#include <vector>

#include "ui/control.h"

namespace varnex::ui {

// A face of a label's own; a label without one uses the form's.
struct Font {
  const char* face = nullptr;
  int pixels = 0;  // character height
  bool bold = false;
  bool italic = false;
};

class Label : public Control {
 public:
  Label() : Control(Kind::Label) {}
  Font font;
  int icon = 0;  // the program's icon of that resource id, shown instead of the caption
};

class GroupBox : public Control {
 public:
  GroupBox() : Control(Kind::GroupBox) {}
};

// One page of a tab control; its caption is the tab's text.
class TabSheet : public Control {
 public:
  TabSheet() : Control(Kind::TabSheet) {}
};

class PageControl : public Control {
 public:
  PageControl() : Control(Kind::PageControl) {}

  // The sheets whose parent is this control, in creation order.
  std::vector<TabSheet*> pages() const;
  // The chosen sheet, or the first one until a sheet is chosen; null without sheets.
  TabSheet* activePage() const;
  int activeIndex() const;

  // From code: runs no handler, like the toolkit's own page switch.
  void setActivePage(TabSheet& page);
  // The user selects a tab: onChange runs when a different page becomes active.
  void selectTab(int index);

  std::function<void()> onChange;

 private:
  TabSheet* active_ = nullptr;
};

}  // namespace varnex::ui
