#pragma once
// Pending values: what a page holds between the passes. Every read pass loads them (and keeps a
// copy "as loaded" that an editor can go back to); the page's editors change them; the write pass
// writes them only while the page wants it (an action option: while its box is checked).
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "settings/rows.h"

namespace varnex::settings {

struct PendingText {
  std::string value, asLoaded;
  void reset() { value = asLoaded; }
};

// A 32-bit number, stored as REG_DWORD.
struct PendingNumber {
  std::int32_t value = 0, asLoaded = 0;
  void reset() { value = asLoaded; }
};

// One value of a pending row.
struct PendingField {
  std::string name;  // value or entry name ("" is the key's unnamed value)
  std::variant<PendingText*, PendingNumber*> into;
  // What a value that cannot be read loads: an absent number, a value of another type; for
  // profile files the read default of an absent entry.
  Value fallback;
};

struct PendingRowDefinition {
  Location at;  // the store and key; the fields name the values
  std::vector<PendingField> fields;
  // Whether the write pass writes the fields; a row that does not write opens no key.
  std::function<bool()> writes;
  // Runs after every load: the page puts defaults in place of what it cannot use and fills its
  // editors.
  std::function<void()> loaded;
};

class PendingRow : public Row {
 public:
  explicit PendingRow(PendingRowDefinition definition) : def_(std::move(definition)) {}
  void read(Stores& stores) override;
  void write(Stores& stores) override;

 private:
  PendingRowDefinition def_;
};

}  // namespace varnex::settings
