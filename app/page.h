#pragma once
// What every tab of the main window offers it. The main window iterates its pages; it holds no
// page's code. The order of the passes is declared once, by control name, in the catalogue.
#include <string>
#include <vector>

#include "settings/rows.h"

namespace varnex::app {

// A row of the passes under the control name the declared order knows it by.
struct NamedRow {
  std::string control;
  settings::Row* row;
};

class Page {
 public:
  virtual ~Page() = default;

  // The tab sheet the page lives on ("TabSheet1").
  virtual const char* sheet() const = 0;
  // The rows the page gives the read pass and the write pass, in any order.
  virtual std::vector<NamedRow> rows() { return {}; }

  // Window creation: before the first read pass (start states, gauges), and after it, once the
  // "Boot" page is selected and the editor groups are hidden.
  virtual void beforeFirstRead() {}
  virtual void afterFirstRead() {}
  // The user selected this page's tab.
  virtual void shown() {}
  // The main window became active.
  virtual void activated() {}
  // "Back to Windows Default": put the page's controls and pending values in their default state.
  virtual void restoreDefaults() {}
};

}  // namespace varnex::app
