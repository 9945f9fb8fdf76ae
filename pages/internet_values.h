#pragma once
// What the two "Internet" pages share: the connection kinds the adapter scan found, the pending
// values both pages write, the numeric edit rule of their custom fields, and the row of one
// string value under HKEY_LOCAL_MACHINE that most of their settings are.
#include <functional>
#include <memory>
#include <string>

#include "settings/pending_row.h"
#include "settings/rows.h"
#include "ui/edits.h"

namespace varnex::pages {

inline const std::string kDialUpAdapter = "Dial-Up Adapter";
inline const std::string kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline const std::string kNdiParams = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\";

// The key of adapter entry `index`: "000" and the index, so that 0 to 6 give 0000 to 0006.
std::string adapterKey(int index);

struct InternetValues {
  // Set by the adapter scan, never cleared during the run.
  bool dialUpFound = false;
  bool lanFound = false;
  bool anyFound = false;
  // Set when the scan found no adapter: from then on no handler enables an editor of either page
  // again, though the read pass still fills them.
  bool editorsDisabled = false;
  void enable(ui::Control& editor) const { editor.enabled = !editorsDisabled; }

  // Internet #1.
  settings::PendingText dialUpMtu, lanMtu, receiveWindow, timeToLive;
  // Internet #2.
  settings::PendingText maxConnectMin, maxConnectMax, maxSocketsMin, maxSocketsMax;
  settings::PendingText cacheSize, keepAlive;
};

// The custom fields' rule: a text that is not empty and not an integer is refused (the pending
// value goes back in, the caret to position 5); then the pending value is whatever the field
// shows, so an empty field empties it.
void applyEditRule(ui::Edit& edit, settings::PendingText& pending);

// One string value under HKEY_LOCAL_MACHINE held in a pending value. Reading opens the key
// without creating it; a missing key or value reads "", a value of another type the fallback.
struct TextSettingDefinition {
  std::string key;
  std::string name;  // "" is the key's unnamed value
  std::string fallback;
  settings::PendingText* pending = nullptr;
  enum class Open { WithoutCreate, WithCreate } open = Open::WithoutCreate;
  // Always, or only where the value exists or the pending value is not empty.
  enum class When { Always, ExistsOrNotEmpty } when = When::Always;
  std::function<bool()> writes;  // whether the write pass writes at all; empty: always
  std::function<void()> loaded;  // fills the controls after every read
};

class TextSettingRow : public settings::Row {
 public:
  explicit TextSettingRow(TextSettingDefinition definition) : def_(std::move(definition)) {}
  void read(settings::Stores& stores) override;
  void write(settings::Stores& stores) override;

 private:
  TextSettingDefinition def_;
};

// A row whose writes happen only while a condition holds; its reads always happen.
class WritesOnlyWhen : public settings::Row {
 public:
  WritesOnlyWhen(std::unique_ptr<settings::Row> row, std::function<bool()> condition)
      : row_(std::move(row)), condition_(std::move(condition)) {}
  void read(settings::Stores& stores) override { row_->read(stores); }
  void write(settings::Stores& stores) override {
    if (condition_()) row_->write(stores);
  }

 private:
  std::unique_ptr<settings::Row> row_;
  std::function<bool()> condition_;
};

}  // namespace varnex::pages
