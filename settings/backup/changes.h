#pragma once
// What a write pass changes: one record per change with the state it replaced, and those records
// gathered per kind for the files a person reads (Changes.txt, Restore.reg).
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "settings/platform_api.h"

namespace varnex::settings {

struct RegValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const RegValue&) const = default;
};

// A key with everything below it, as it was before the pass deleted it.
struct KeySnapshot {
  std::string path;  // below the root
  std::vector<std::pair<std::string, RegValue>> values;
  std::vector<KeySnapshot> subkeys;
  bool operator==(const KeySnapshot&) const = default;
};

struct RegistryChange {
  enum class Kind { Value, KeyCreated, KeyDeleted };
  Kind kind = Kind::Value;
  RegHandle root = 0;
  std::string key;   // below the root; KeyCreated: the topmost key that did not exist
  std::string name;  // Value: the value name as stored ("" for the unnamed value)
  std::optional<RegValue> before, after;  // Value: nothing when absent
  KeySnapshot deleted;                    // KeyDeleted
  bool operator==(const RegistryChange&) const = default;
};

struct ProfileChange {
  std::string file;  // as the stores name it: "C:\MSDOS.SYS", "SYSTEM.INI"
  std::string section, entry;
  std::optional<std::string> before, after;  // nothing when absent
  bool operator==(const ProfileChange&) const = default;
};

struct FileChange {
  enum class Kind { FileCreated, FileReplaced, FileDeleted, FolderCreated, FolderRemoved, AttributesChanged };
  Kind kind = Kind::FileCreated;
  std::string path;
  // FileReplaced, FileDeleted: where the old bytes are kept in the backup folder ("Files\1 x.lnk").
  std::string copy;
  // FileDeleted, FolderRemoved, AttributesChanged: the attributes it had; AttributesChanged: the
  // ones it was given.
  std::uint32_t attributesBefore = 0, attributesAfter = 0;
  bool operator==(const FileChange&) const = default;
};

using Change = std::variant<RegistryChange, ProfileChange, FileChange>;

// Whether undoing the change puts back a setting that takes effect at the next start of Windows
// (a registry value or key, a profile entry), rather than a file, folder or shortcut.
bool isSetting(const Change& change);

// A profile file as it was before the pass's first change to it, for a person undoing by hand.
struct ProfileCopy {
  std::string file;  // as the stores name it
  std::string path;  // where it lies
  enum class State { Copied, Missing, Unreadable } state = State::Copied;
};

// The changes of a pass gathered per kind, each in the order it was made: a value or entry
// changed twice is one change from its first before to its last after, and a tree the stores
// deleted leaves first is one deleted key.
class ChangeList {
 public:
  void add(const Change& change);
  void addCopy(ProfileCopy copy) { copies_.push_back(std::move(copy)); }
  bool empty() const { return registry_.empty() && profiles_.empty() && files_.empty(); }
  void clear();

  const std::vector<RegistryChange>& registry() const { return registry_; }
  const std::vector<ProfileChange>& profiles() const { return profiles_; }
  const std::vector<ProfileCopy>& copies() const { return copies_; }
  const std::vector<FileChange>& files() const { return files_; }

 private:
  void valueChanged(const RegistryChange& change);
  void keyDeleted(RegistryChange change);
  void profileChanged(const ProfileChange& change);

  std::vector<RegistryChange> registry_;
  std::vector<ProfileChange> profiles_;
  std::vector<ProfileCopy> copies_;
  std::vector<FileChange> files_;
};

// The registry roots the stores use, by the short names regedit's users know ("HKCU").
struct RootName {
  RegHandle root;
  const char* name;
};
inline constexpr RootName kRootNames[] = {
    {kHkeyClassesRoot, "HKCR"}, {kHkeyCurrentUser, "HKCU"}, {kHkeyLocalMachine, "HKLM"}, {kHkeyUsers, "HKU"}};
// "HKCU\Control Panel\Desktop"; an empty key is the root itself.
std::string keyName(RegHandle root, const std::string& key);

// Key paths and names compare ignoring case, as the registry does.
bool sameRegistryName(const std::string& a, const std::string& b);
// Whether key lies at or below ancestor.
bool keyAtOrBelow(const std::string& key, const std::string& ancestor);

}  // namespace varnex::settings
