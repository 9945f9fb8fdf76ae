#include "settings/backup/change_journal.h"

#include "settings/profile_store.h"

namespace varnex::settings {

bool sameRegistryName(const std::string& a, const std::string& b) { return equalsIgnoringCase(a, b); }

bool keyAtOrBelow(const std::string& key, const std::string& ancestor) {
  if (key.size() < ancestor.size()) return false;
  if (!equalsIgnoringCase(key.substr(0, ancestor.size()), ancestor)) return false;
  return key.size() == ancestor.size() || ancestor.empty() || key[ancestor.size()] == '\\';
}

void ChangeJournal::begin() {
  if (depth_++ > 0) return;
  clear();
  ++passes_;
}

bool ChangeJournal::end() {
  if (depth_ == 0) return false;
  return --depth_ == 0;
}

void ChangeJournal::clear() {
  registry_.clear();
  profiles_.clear();
  copies_.clear();
  files_.clear();
}

void ChangeJournal::valueChanged(RegHandle root, const std::string& key, const std::string& name,
                                 std::optional<RegValue> before, std::optional<RegValue> after) {
  for (RegistryChange& earlier : registry_) {
    if (earlier.kind == RegistryChange::Kind::Value && earlier.root == root &&
        sameRegistryName(earlier.key, key) && sameRegistryName(earlier.name, name)) {
      earlier.after = std::move(after);  // the state before the pass is the first one seen
      return;
    }
  }
  RegistryChange change;
  change.root = root;
  change.key = key;
  change.name = name;
  change.before = std::move(before);
  change.after = std::move(after);
  registry_.push_back(std::move(change));
}

void ChangeJournal::keyCreated(RegHandle root, const std::string& key) {
  RegistryChange change;
  change.kind = RegistryChange::Kind::KeyCreated;
  change.root = root;
  change.key = key;
  registry_.push_back(std::move(change));
}

void ChangeJournal::keyDeleted(RegHandle root, KeySnapshot snapshot) {
  // The stores delete a tree leaves first; the subkeys deleted just before their parent become
  // part of its snapshot, so the tree is one change.
  while (!registry_.empty()) {
    RegistryChange& last = registry_.back();
    const std::string& path = last.deleted.path;
    const std::size_t cut = path.find_last_of('\\');
    if (last.kind != RegistryChange::Kind::KeyDeleted || last.root != root || cut == std::string::npos ||
        !sameRegistryName(path.substr(0, cut), snapshot.path))
      break;
    snapshot.subkeys.insert(snapshot.subkeys.begin(), std::move(last.deleted));
    registry_.pop_back();
  }
  RegistryChange change;
  change.kind = RegistryChange::Kind::KeyDeleted;
  change.root = root;
  change.key = snapshot.path;
  change.deleted = std::move(snapshot);
  registry_.push_back(std::move(change));
}

bool ChangeJournal::hasCopyOf(const std::string& file) const {
  for (const ProfileCopy& copy : copies_)
    if (equalsIgnoringCase(copy.file, file)) return true;
  return false;
}

void ChangeJournal::profileChanged(ProfileChange change, const ProfileCopy& copy) {
  if (!hasCopyOf(copy.file)) copies_.push_back(copy);
  for (ProfileChange& earlier : profiles_) {
    if (equalsIgnoringCase(earlier.file, change.file) && equalsIgnoringCase(earlier.section, change.section) &&
        equalsIgnoringCase(earlier.entry, change.entry)) {
      earlier.after = std::move(change.after);
      return;
    }
  }
  profiles_.push_back(std::move(change));
}

void ChangeJournal::fileChanged(FileChange change) { files_.push_back(std::move(change)); }

}  // namespace varnex::settings
