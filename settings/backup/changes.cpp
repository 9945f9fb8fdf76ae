#include "settings/backup/changes.h"

#include "settings/profile_store.h"

namespace varnex::settings {

bool sameRegistryName(const std::string& a, const std::string& b) { return equalsIgnoringCase(a, b); }

bool keyAtOrBelow(const std::string& key, const std::string& ancestor) {
  if (key.size() < ancestor.size()) return false;
  if (!equalsIgnoringCase(key.substr(0, ancestor.size()), ancestor)) return false;
  return key.size() == ancestor.size() || ancestor.empty() || key[ancestor.size()] == '\\';
}

std::string keyName(RegHandle root, const std::string& key) {
  std::string name = "HKU";
  for (const RootName& r : kRootNames)
    if (r.root == root) name = r.name;
  return key.empty() ? name : name + "\\" + key;
}

bool isSetting(const Change& change) { return !std::holds_alternative<FileChange>(change); }

void ChangeList::clear() {
  registry_.clear();
  profiles_.clear();
  copies_.clear();
  files_.clear();
}

void ChangeList::add(const Change& change) {
  if (const auto* registry = std::get_if<RegistryChange>(&change)) {
    switch (registry->kind) {
      case RegistryChange::Kind::Value:
        valueChanged(*registry);
        return;
      case RegistryChange::Kind::KeyDeleted:
        keyDeleted(*registry);
        return;
      case RegistryChange::Kind::KeyCreated:
        registry_.push_back(*registry);
        return;
    }
  }
  if (const auto* profile = std::get_if<ProfileChange>(&change)) {
    profileChanged(*profile);
    return;
  }
  files_.push_back(std::get<FileChange>(change));
}

void ChangeList::valueChanged(const RegistryChange& change) {
  for (RegistryChange& earlier : registry_) {
    if (earlier.kind == RegistryChange::Kind::Value && earlier.root == change.root &&
        sameRegistryName(earlier.key, change.key) && sameRegistryName(earlier.name, change.name)) {
      earlier.after = change.after;  // the state before the pass is the first one seen
      return;
    }
  }
  registry_.push_back(change);
}

void ChangeList::keyDeleted(RegistryChange change) {
  // The stores delete a tree leaves first; the subkeys deleted just before their parent become
  // part of its snapshot, so the tree is one change.
  KeySnapshot& snapshot = change.deleted;
  while (!registry_.empty()) {
    RegistryChange& last = registry_.back();
    const std::string& path = last.deleted.path;
    const std::size_t cut = path.find_last_of('\\');
    if (last.kind != RegistryChange::Kind::KeyDeleted || last.root != change.root || cut == std::string::npos ||
        !sameRegistryName(path.substr(0, cut), snapshot.path))
      break;
    snapshot.subkeys.insert(snapshot.subkeys.begin(), std::move(last.deleted));
    registry_.pop_back();
  }
  change.key = snapshot.path;
  registry_.push_back(std::move(change));
}

void ChangeList::profileChanged(const ProfileChange& change) {
  for (ProfileChange& earlier : profiles_) {
    if (equalsIgnoringCase(earlier.file, change.file) && equalsIgnoringCase(earlier.section, change.section) &&
        equalsIgnoringCase(earlier.entry, change.entry)) {
      earlier.after = change.after;
      return;
    }
  }
  profiles_.push_back(change);
}

}  // namespace varnex::settings
