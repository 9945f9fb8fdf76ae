#include "settings/backup/recording_apis.h"

#include "settings/profile_store.h"

namespace varnex::settings {

namespace {

bool isRoot(RegHandle key) { return key >= kHkeyClassesRoot && key <= kHkeyUsers; }

// The path a subkey names below a key's path; trailing backslashes name the same key.
std::string below(const std::string& path, std::string subKey) {
  while (!subKey.empty() && subKey.back() == '\\') subKey.pop_back();
  if (subKey.empty()) return path;
  return path.empty() ? subKey : path + "\\" + subKey;
}

// A file's bytes before a change makes or replaces it; nothing when there is no file. A file that
// is there but cannot be read would be lost by the change, so the change is refused.
std::optional<std::string> bytesBefore(const std::string& path, FileApi& files, BackupPlatform& platform) {
  std::optional<std::string> bytes = platform.readFile(path);
  if (bytes) return bytes;
  const std::uint32_t attributes = files.getFileAttributes(path);
  if (attributes != kInvalidFileAttributes && (attributes & kAttrDirectory) == 0)
    throw BackupError(fillIn(kFileNotKeptText, path));
  return std::nullopt;
}

// The record of a change that makes or replaces a whole file, its old bytes kept first.
FileChange madeOrReplaced(const std::string& path, const std::optional<std::string>& old, ChangeJournal& journal) {
  if (!old) return {FileChange::Kind::FileCreated, path, "", 0, 0};
  return {FileChange::Kind::FileReplaced, path, journal.keep(path, *old), 0, 0};
}

}  // namespace

// --- registry ---------------------------------------------------------------------------------

std::optional<RecordingRegistry::Place> RecordingRegistry::placeOf(RegHandle key) const {
  if (isRoot(key)) return Place{key, ""};
  auto it = places_.find(key);
  if (it == places_.end()) return std::nullopt;
  return it->second;
}

long RecordingRegistry::openKey(RegHandle base, const std::string& subKey, RegHandle& result) {
  long rc = inner_.openKey(base, subKey, result);
  if (rc == kErrorSuccess) {
    if (auto at = placeOf(base)) {
      places_[result] = Place{at->root, below(at->path, subKey)};
      nowExists(at->root, places_[result].path);
    }
  }
  return rc;
}

std::string RecordingRegistry::topmostMissing(RegHandle base, const std::string& subKey) {
  RegHandle probe = 0;
  // Parents first: the highest key that is missing is the one whose removal undoes the create.
  for (std::size_t cut = subKey.find('\\'); cut != std::string::npos; cut = subKey.find('\\', cut + 1)) {
    const std::string parent = subKey.substr(0, cut);
    if (parent.empty()) continue;
    if (inner_.openKey(base, parent, probe) != kErrorSuccess) return parent;
    inner_.closeKey(probe);
  }
  return subKey;
}

bool RecordingRegistry::knownToExist(RegHandle root, const std::string& path) {
  if (existingPass_ != journal_.pass()) {
    existing_.clear();
    existingPass_ = journal_.pass();
  }
  return existing_.count({root, upperCase(path)}) > 0;
}

void RecordingRegistry::nowExists(RegHandle root, const std::string& path) {
  if (knownToExist(root, path) || !journal_.recording()) return;
  existing_.insert({root, upperCase(path)});
}

long RecordingRegistry::createKey(RegHandle base, const std::string& subKey, RegHandle& result) {
  const std::optional<Place> at = placeOf(base);
  const std::string path = at ? below(at->path, subKey) : "";
  bool announced = false;
  if (journal_.recording() && at && !knownToExist(at->root, path)) {
    // Creating a key that exists only opens it, with the same access: opening it is that
    // create and the probe in one call, and nothing was created.
    if (inner_.openKey(base, subKey, result) == kErrorSuccess) {
      places_[result] = Place{at->root, path};
      nowExists(at->root, path);
      return kErrorSuccess;
    }
    RegistryChange made;
    made.kind = RegistryChange::Kind::KeyCreated;
    made.root = at->root;
    made.key = below(at->path, topmostMissing(base, subKey));
    journal_.announce(std::move(made));
    announced = true;
  }
  long rc = inner_.createKey(base, subKey, result);
  if (announced) journal_.settle(rc == kErrorSuccess);
  if (rc != kErrorSuccess || !at) return rc;
  places_[result] = Place{at->root, path};
  nowExists(at->root, path);
  return rc;
}

long RecordingRegistry::closeKey(RegHandle key) {
  places_.erase(key);
  return inner_.closeKey(key);
}

std::optional<RegValue> RecordingRegistry::valueOf(RegHandle key, const std::string& name) {
  // One call for the small values the catalogue writes; a second only for a longer one.
  RegValue value;
  value.data.assign(64, 0);
  std::uint32_t size = static_cast<std::uint32_t>(value.data.size());
  long rc = inner_.queryValue(key, name, &value.type, value.data.data(), &size);
  if (rc == kErrorMoreData) {
    value.data.assign(size, 0);
    rc = inner_.queryValue(key, name, &value.type, value.data.data(), &size);
  }
  if (rc != kErrorSuccess) return std::nullopt;
  value.data.resize(size);
  return value;
}

// The name as the key holds it: the case of a value that comes back should be the old one.
std::string RecordingRegistry::storedName(RegHandle key, const std::string& name) {
  std::string found;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  for (std::uint32_t i = 0; inner_.enumValue(key, i, found, type, data) == kErrorSuccess; ++i)
    if (sameRegistryName(found, name)) return found;
  return name;
}

long RecordingRegistry::setValue(RegHandle key, const std::string& name, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
  const std::optional<Place> at = journal_.recording() ? placeOf(key) : std::nullopt;
  if (!at) return inner_.setValue(key, name, type, data, size);
  RegistryChange change;
  change.root = at->root;
  change.key = at->path;
  // A value written over keeps the name it had, so the name as called is enough to put it back.
  change.name = name;
  change.before = valueOf(key, name);
  change.after = RegValue{type, std::vector<std::uint8_t>(data, data + size)};
  if (change.before == change.after) return inner_.setValue(key, name, type, data, size);
  journal_.announce(std::move(change));
  const long rc = inner_.setValue(key, name, type, data, size);
  journal_.settle(rc == kErrorSuccess);
  return rc;
}

long RecordingRegistry::deleteValue(RegHandle key, const std::string& name) {
  const std::optional<Place> at = journal_.recording() ? placeOf(key) : std::nullopt;
  std::optional<RegValue> before = at ? valueOf(key, name) : std::nullopt;
  if (!before) return inner_.deleteValue(key, name);
  RegistryChange change;
  change.root = at->root;
  change.key = at->path;
  change.name = storedName(key, name);
  change.before = std::move(before);
  journal_.announce(std::move(change));
  const long rc = inner_.deleteValue(key, name);
  journal_.settle(rc == kErrorSuccess);
  return rc;
}

bool RecordingRegistry::snapshot(RegHandle base, const std::string& subKey, const std::string& path,
                                 KeySnapshot& out) {
  RegHandle key = 0;
  if (inner_.openKey(base, subKey, key) != kErrorSuccess) return false;
  out.path = path;
  std::string name;
  RegValue value;
  for (std::uint32_t i = 0; inner_.enumValue(key, i, name, value.type, value.data) == kErrorSuccess; ++i)
    out.values.emplace_back(name, value);
  std::uint32_t count = 0, longest = 0;
  if (inner_.queryInfoKey(key, count, longest) == kErrorSuccess) {
    std::vector<char> buffer(longest + 1);
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t length = static_cast<std::uint32_t>(buffer.size());
      if (inner_.enumKey(key, i, buffer.data(), length) != kErrorSuccess) continue;
      const std::string child(buffer.data(), length);
      KeySnapshot sub;
      if (snapshot(key, child, path + "\\" + child, sub)) out.subkeys.push_back(std::move(sub));
    }
  }
  inner_.closeKey(key);
  return true;
}

long RecordingRegistry::deleteKey(RegHandle key, const std::string& subKey) {
  const std::optional<Place> at = journal_.recording() ? placeOf(key) : std::nullopt;
  RegistryChange change;
  change.kind = RegistryChange::Kind::KeyDeleted;
  // What goes with the key on a system whose RegDeleteKeyA takes the whole subtree is kept too.
  if (!at || !snapshot(key, subKey, below(at->path, subKey), change.deleted)) return inner_.deleteKey(key, subKey);
  change.root = at->root;
  change.key = change.deleted.path;
  const std::string gone = upperCase(change.key);
  journal_.announce(std::move(change));
  const long rc = inner_.deleteKey(key, subKey);
  journal_.settle(rc == kErrorSuccess);
  if (rc == kErrorSuccess) {
    // It and everything below it are gone.
    std::erase_if(existing_, [&](const std::pair<RegHandle, std::string>& known) {
      return known.first == at->root && keyAtOrBelow(known.second, gone);
    });
  }
  return rc;
}

// --- profile files ----------------------------------------------------------------------------

std::string RecordingProfiles::pathOf(const std::string& file) const {
  if (file.find_first_of("\\/:") != std::string::npos) return file;
  return joinPath(windows_, file);
}

std::optional<std::string> RecordingProfiles::entryText(const std::string& section, const std::string& entry,
                                                        const std::string& file) {
  // A default no entry holds tells a missing entry from an empty one in a single read (an
  // entry written "Name=" reads as empty, not as the default).
  static const std::string kAbsent = "\x01(absent)\x01";
  std::string text = ProfileStore(inner_, file).readText(section, entry, kAbsent);
  if (text == kAbsent) return std::nullopt;
  return text;
}

bool RecordingProfiles::writeString(const std::string& section, const std::string& entry, const std::string* value,
                                    const std::string& file) {
  if (!journal_.recording()) return inner_.writeString(section, entry, value, file);
  ProfileChange change{file, section, entry, entryText(section, entry, file), std::nullopt};
  if (value) change.after = *value;
  if (change.before == change.after) return inner_.writeString(section, entry, value, file);
  // An entry written over keeps its name; one deleted comes back under the name the file had.
  if (!value)
    for (const std::string& stored : ProfileStore(inner_, file).entryNames(section))
      if (equalsIgnoringCase(stored, entry)) change.entry = stored;
  if (!journal_.hasCopyOf(file)) {
    // The whole file as it was, for undoing by hand; the journal's line is what the program
    // undoes from.
    const std::string path = pathOf(file);
    platform_.flushProfile(file);
    std::optional<std::string> bytes = platform_.readFile(path);
    const bool missing = !bytes && files_.getFileAttributes(path) == kInvalidFileAttributes;
    journal_.keepProfile(file, path, bytes, missing);
  }
  journal_.announce(std::move(change));
  const bool written = inner_.writeString(section, entry, value, file);
  journal_.settle(written);
  return written;
}

// --- files and folders ------------------------------------------------------------------------

bool RecordingFiles::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  const std::uint32_t before = journal_.recording() ? inner_.getFileAttributes(path) : kInvalidFileAttributes;
  if (before == kInvalidFileAttributes || before == attributes) return inner_.setFileAttributes(path, attributes);
  journal_.announce(FileChange{FileChange::Kind::AttributesChanged, path, "", before, attributes});
  const bool done = inner_.setFileAttributes(path, attributes);
  journal_.settle(done);
  return done;
}

bool RecordingFiles::createDirectory(const std::string& path) {
  if (!journal_.recording() || inner_.getFileAttributes(path) != kInvalidFileAttributes)
    return inner_.createDirectory(path);
  journal_.announce(FileChange{FileChange::Kind::FolderCreated, path, "", 0, 0});
  const bool made = inner_.createDirectory(path);
  journal_.settle(made);
  return made;
}

bool RecordingFiles::removeDirectory(const std::string& path) {
  const std::uint32_t attributes = journal_.recording() ? inner_.getFileAttributes(path) : kInvalidFileAttributes;
  if (attributes == kInvalidFileAttributes || (attributes & kAttrDirectory) == 0) return inner_.removeDirectory(path);
  journal_.announce(FileChange{FileChange::Kind::FolderRemoved, path, "", attributes, 0});
  const bool removed = inner_.removeDirectory(path);
  journal_.settle(removed);
  return removed;
}

bool RecordingFiles::deleteFile(const std::string& path) {
  std::uint32_t attributes = 0;
  if (!journal_.recording() || !inner_.findFirstFile(path, attributes) || (attributes & kAttrDirectory) != 0)
    return inner_.deleteFile(path);
  std::optional<std::string> bytes = platform_.readFile(path);
  if (!bytes) throw BackupError(fillIn(kFileNotKeptText, path));
  journal_.announce(FileChange{FileChange::Kind::FileDeleted, path, journal_.keep(path, *bytes), attributes, 0});
  const bool deleted = inner_.deleteFile(path);
  journal_.settle(deleted);
  return deleted;
}

int RecordingFiles::lzOpenFile(const std::string& path, std::uint16_t style) {
  if (!journal_.recording() || (style & kOfCreate) == 0) return inner_.lzOpenFile(path, style);
  journal_.announce(madeOrReplaced(path, bytesBefore(path, inner_, platform_), journal_));
  const int handle = inner_.lzOpenFile(path, style);
  journal_.settle(handle >= 0);
  return handle;
}

bool RecordingFiles::writeWholeFile(const std::string& path, const std::string& bytes) {
  if (journal_.recording()) journal_.announce(madeOrReplaced(path, bytesBefore(path, inner_, platform_), journal_));
  const bool written = platform_.writeFile(path, bytes);
  journal_.settle(written);
  return written;
}

// --- shortcuts --------------------------------------------------------------------------------

namespace {

class RecordingPersistFile : public PersistFile {
 public:
  RecordingPersistFile(std::unique_ptr<PersistFile> inner, ChangeJournal& journal, BackupPlatform& platform,
                       FileApi& files)
      : inner_(std::move(inner)), journal_(journal), platform_(platform), files_(files) {}

  long save(const std::string& fileName, bool remember) override {
    if (!journal_.recording()) return inner_->save(fileName, remember);
    journal_.announce(madeOrReplaced(fileName, bytesBefore(fileName, files_, platform_), journal_));
    const long rc = inner_->save(fileName, remember);
    journal_.settle(rc >= 0);
    return rc;
  }

 private:
  std::unique_ptr<PersistFile> inner_;
  ChangeJournal& journal_;
  BackupPlatform& platform_;
  FileApi& files_;
};

class RecordingLink : public ShellLink {
 public:
  RecordingLink(std::unique_ptr<ShellLink> inner, ChangeJournal& journal, BackupPlatform& platform, FileApi& files)
      : inner_(std::move(inner)), journal_(journal), platform_(platform), files_(files) {}

  long setPath(const std::string& target) override { return inner_->setPath(target); }
  long setWorkingDirectory(const std::string& directory) override { return inner_->setWorkingDirectory(directory); }
  std::unique_ptr<PersistFile> queryPersistFile() override {
    std::unique_ptr<PersistFile> file = inner_->queryPersistFile();
    if (!file) return nullptr;
    return std::make_unique<RecordingPersistFile>(std::move(file), journal_, platform_, files_);
  }

 private:
  std::unique_ptr<ShellLink> inner_;
  ChangeJournal& journal_;
  BackupPlatform& platform_;
  FileApi& files_;
};

}  // namespace

std::unique_ptr<ShellLink> RecordingShell::createShellLink() {
  std::unique_ptr<ShellLink> link = inner_.createShellLink();
  if (!link) return nullptr;
  return std::make_unique<RecordingLink>(std::move(link), journal_, platform_, files_);
}

}  // namespace varnex::settings
