#pragma once
// A row whose read and write are a page's own algorithm, for pages that read and write their
// settings as one unit rather than option by option.
#include <functional>
#include <utility>

#include "settings/rows.h"

namespace varnex::pages {

class UnitRow : public settings::Row {
 public:
  UnitRow(std::function<void(settings::Stores&)> read, std::function<void(settings::Stores&)> write)
      : read_(std::move(read)), write_(std::move(write)) {}
  void read(settings::Stores& stores) override { read_(stores); }
  void write(settings::Stores& stores) override { write_(stores); }

 private:
  std::function<void(settings::Stores&)> read_, write_;
};

}  // namespace varnex::pages
