#pragma once
// What one write pass changed, kept so that it can be undone: for every real change, the state
// just before it. Filled by the recording stores (recording_apis.h), turned into files by
// saveBackup (backup_writer.h).
#include <cstdint>
#include <optional>
#include <string>
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
};

struct RegistryChange {
  enum class Kind { Value, KeyCreated, KeyDeleted };
  Kind kind = Kind::Value;
  RegHandle root = 0;
  std::string key;   // below the root; KeyCreated: the topmost key that did not exist
  std::string name;  // Value: the value name as stored ("" for the unnamed value)
  std::optional<RegValue> before, after;  // Value: nothing when absent
  KeySnapshot deleted;                    // KeyDeleted
};

struct ProfileChange {
  std::string file;  // as the stores name it: "C:\MSDOS.SYS", "SYSTEM.INI"
  std::string section, entry;
  std::optional<std::string> before, after;  // nothing when absent
};

// A profile file's bytes before the pass's first change to it; nothing when it did not exist.
struct ProfileCopy {
  std::string file;
  std::string path;  // where it lies
  std::optional<std::string> bytes;
};

struct FileChange {
  enum class Kind { FileCreated, FileReplaced, FileDeleted, FolderCreated, FolderRemoved, AttributesChanged };
  Kind kind = Kind::FileCreated;
  std::string path;
  std::optional<std::string> before;  // FileReplaced, FileDeleted: the old bytes when readable
  std::uint32_t attributesBefore = 0, attributesAfter = 0;
};

class ChangeJournal {
 public:
  // Passes nest ("Back to Windows Default" runs "Apply"): only the outermost one starts and ends
  // the journal. end() is true when the outermost pass ended.
  void begin();
  bool end();
  bool recording() const { return depth_ > 0; }
  // Counts the outermost passes, so that what a recorder learns within one pass (which keys
  // exist) is dropped when the next one starts.
  unsigned pass() const { return passes_; }
  bool empty() const { return registry_.empty() && profiles_.empty() && files_.empty(); }
  void clear();

  // Each in the order the changes were made. A value changed twice keeps its first before.
  void valueChanged(RegHandle root, const std::string& key, const std::string& name,
                    std::optional<RegValue> before, std::optional<RegValue> after);
  void keyCreated(RegHandle root, const std::string& key);
  void keyDeleted(RegHandle root, KeySnapshot snapshot);
  // copy is the file as it was, taken before the write; only the first one per file is kept.
  void profileChanged(ProfileChange change, const ProfileCopy& copy);
  bool hasCopyOf(const std::string& file) const;
  void fileChanged(FileChange change);

  const std::vector<RegistryChange>& registry() const { return registry_; }
  const std::vector<ProfileChange>& profiles() const { return profiles_; }
  const std::vector<ProfileCopy>& copies() const { return copies_; }
  const std::vector<FileChange>& files() const { return files_; }

 private:
  int depth_ = 0;
  unsigned passes_ = 0;
  std::vector<RegistryChange> registry_;
  std::vector<ProfileChange> profiles_;
  std::vector<ProfileCopy> copies_;
  std::vector<FileChange> files_;
};

// Key paths and names compare ignoring case, as the registry does.
bool sameRegistryName(const std::string& a, const std::string& b);
// Whether key lies at or below ancestor.
bool keyAtOrBelow(const std::string& key, const std::string& ancestor);

}  // namespace varnex::settings
