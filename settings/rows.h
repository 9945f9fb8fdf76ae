#pragma once
// The vocabulary in which the catalogue pages give their options: where a setting lives, how it
// is read and when its box is checked, what is written for each state of the box.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "settings/platform_api.h"
#include "settings/stores.h"

namespace varnex::settings {

using Value = std::variant<std::string, std::uint32_t>;  // a text, or a 32-bit number

enum class StoreKind { MsdosSys, SystemIni, Registry, File, Folder };
// Presence kinds read as 1 (present) or 0 (absent).
enum class ValueKind { Text, Integer, Binary, ValuePresence, KeyPresence };

struct Location {
  StoreKind store = StoreKind::Registry;
  std::string section;               // profile files
  RegHandle root = kHkeyCurrentUser;  // registry
  std::string key;                   // registry key path
  std::string name;                  // entry or value name ("" is the unnamed value); file path
  bool belowWindows = false;         // files and folders: name is a tail after the Windows directory
};

Location msdosSys(const std::string& entry);
Location systemIni(const std::string& section, const std::string& entry);
Location registryValue(RegHandle root, const std::string& key, const std::string& name);
// A folder of the Windows directory, tail beginning with a backslash ("\Start Menu\...").
Location folderBelowWindows(const std::string& tail);

struct ReadRule {
  Value defaultValue;
  Value checkedWhen;        // texts compared exactly unless ignoreCase, numbers by equality
  bool ignoreCase = false;  // the read text is upper-cased and compared with an upper-case literal
  bool ifPresent = false;   // an absent value (entry) gives the default without reading
  bool unguarded = false;   // a failing read ends the read pass instead of giving the default
  bool onlyChecks = false;  // a read that does not check the box leaves it as it was
};

struct WriteAction {
  enum class Kind { Write, WriteIfPresent, DeleteValue, DeleteEntry, DeleteKey, MakeFolders, RemoveFolder, Nothing };
  Kind kind = Kind::Nothing;
  Value value;
  std::string path;                         // DeleteKey: the key to remove
  std::optional<std::string> openSubKey;    // opened (with create) below the open key first
  std::optional<std::string> otherName;     // a value or entry other than the row's own
  std::optional<Value> cellAfter;           // what the row's cell holds after this action

  static WriteAction make(Kind kind, Value v = {}, std::string path = {}) {
    WriteAction a;
    a.kind = kind;
    a.value = std::move(v);
    a.path = std::move(path);
    return a;
  }
  static WriteAction write(Value v) { return make(Kind::Write, std::move(v)); }
  static WriteAction writeIfPresent(Value v) { return make(Kind::WriteIfPresent, std::move(v)); }
  static WriteAction deleteValue() { return make(Kind::DeleteValue); }
  static WriteAction deleteEntry() { return make(Kind::DeleteEntry); }
  static WriteAction deleteKey(std::string key) { return make(Kind::DeleteKey, {}, std::move(key)); }
  static WriteAction makeFolders() { return make(Kind::MakeFolders); }
  static WriteAction removeFolder() { return make(Kind::RemoveFolder); }
  static WriteAction nothing() { return make(Kind::Nothing); }
};

// A check box as the rows see it.
class Toggle {
 public:
  virtual ~Toggle() = default;
  virtual bool checked() const = 0;
  virtual void setChecked(bool checked) = 0;
};

// One unit of the read and write passes.
class Row {
 public:
  virtual ~Row() = default;
  // Reads the setting into the controls; only an unguarded read lets a StoreError out.
  virtual void read(Stores& stores) = 0;
  // Writes the setting from the controls; a StoreError ends the write pass.
  virtual void write(Stores& stores) = 0;
};

struct CheckRowDefinition {
  std::string control;  // "CheckBox1"
  Location at;
  ValueKind kind = ValueKind::Text;
  ReadRule read;
  std::vector<WriteAction> whenChecked;
  std::vector<WriteAction> whenUnchecked;
  bool openWithoutCreate = false;  // the write pass opens an existing key only
  // The write actions open their keys themselves (openSubKey from the root); the row's own key,
  // which only the read pass needs, is not opened first.
  bool writeOpensOwnKeys = false;
};

// A toggle option: its box follows the setting at every read pass.
class CheckRow : public Row {
 public:
  CheckRow(CheckRowDefinition definition, Toggle& box);
  void read(Stores& stores) override;
  void write(Stores& stores) override;

  const CheckRowDefinition& definition() const { return def_; }
  // The value kept for the whole run: binary rows start at 0, text rows at "".
  const Value& cell() const { return cell_; }
  void setCell(Value v) { cell_ = std::move(v); }
  // Whether a read value checks the box.
  bool checks(const Value& read) const;

 private:
  Value readValue(Stores& stores);
  void writeProfile(Stores& stores, const std::vector<WriteAction>& actions);
  void writeRegistry(Stores& stores, const std::vector<WriteAction>& actions);
  void writeFolder(Stores& stores, const std::vector<WriteAction>& actions);
  std::string path(Stores& stores) const;

  CheckRowDefinition def_;
  Toggle& box_;
  Value cell_;
};

// The passes. Each returns the message of the error that ended it, if one did.
std::optional<std::string> runReadPass(std::span<Row* const> rows, Stores& stores);
std::optional<std::string> runWritePass(std::span<Row* const> rows, Stores& stores);

}  // namespace varnex::settings
