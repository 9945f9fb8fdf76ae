#include "settings/backup/backup_writer.h"

#include "settings/backup/change_journal.h"
#include "base/number_text.h"

#include <algorithm>
#include <cstdlib>

namespace varnex::settings {

namespace {

using formats::RegOp;

RegOp keyOp(RegOp::Kind kind, RegHandle root, const std::string& key) {
  RegOp op;
  op.kind = kind;
  op.root = static_cast<std::uint32_t>(root);
  op.keyPath = key;
  return op;
}

void restoreKey(RegHandle root, const KeySnapshot& key, std::vector<RegOp>& out) {
  out.push_back(keyOp(RegOp::Kind::CreateKey, root, key.path));
  for (const auto& [name, value] : key.values) {
    RegOp op = keyOp(RegOp::Kind::SetValue, root, key.path);
    op.valueName = name;
    op.type = value.type;
    op.data = value.data;
    out.push_back(std::move(op));
  }
  for (const KeySnapshot& sub : key.subkeys) restoreKey(root, sub, out);
}

// Whatever lies in a key the pass created goes when that key goes.
bool insideCreatedKey(const std::vector<RegistryChange>& changes, std::size_t index) {
  const RegistryChange& change = changes[index];
  for (std::size_t i = 0; i < index; ++i)
    if (changes[i].kind == RegistryChange::Kind::KeyCreated && changes[i].root == change.root &&
        keyAtOrBelow(change.key, changes[i].key))
      return true;
  return false;
}

std::string shown(const std::optional<RegValue>& value) {
  if (!value) return "(none)";
  const std::vector<std::uint8_t>& d = value->data;
  if ((value->type == kRegSz || value->type == kRegExpandSz) && !d.empty() && d.back() == 0 &&
      std::find(d.begin(), d.end() - 1, 0) == d.end() - 1)
    return "\"" + std::string(d.begin(), d.end() - 1) + "\"";
  if (value->type == kRegDword && d.size() == 4) {
    const std::uint32_t v = d[0] | d[1] << 8 | d[2] << 16 | std::uint32_t{d[3]} << 24;
    return "dword:" + hex(v, 8) + " (" + std::to_string(v) + ")";
  }
  if (value->type == kRegBinary) return "hex:" + hexBytes(d);
  return "hex(" + std::to_string(value->type) + "):" + hexBytes(d);
}

std::string shown(const std::optional<std::string>& text) { return text ? "\"" + *text + "\"" : "(none)"; }

std::size_t countValues(const KeySnapshot& key) {
  std::size_t n = key.values.size();
  for (const KeySnapshot& sub : key.subkeys) n += countValues(sub);
  return n;
}

std::size_t countKeys(const KeySnapshot& key) {
  std::size_t n = key.subkeys.size();
  for (const KeySnapshot& sub : key.subkeys) n += countKeys(sub);
  return n;
}

std::string plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string registryLine(const RegistryChange& change) {
  const std::string key = keyName(change.root, change.key);
  switch (change.kind) {
    case RegistryChange::Kind::KeyCreated:
      return key + ": key created";
    case RegistryChange::Kind::KeyDeleted:
      return key + ": key deleted (" + plural(countValues(change.deleted), "value", "values") + ", " +
             plural(countKeys(change.deleted), "subkey", "subkeys") + ")";
    case RegistryChange::Kind::Value:
      break;
  }
  return key + " " + (change.name.empty() ? "(default)" : change.name) + ": " + shown(change.before) + " -> " +
         shown(change.after);
}

std::string fileLine(const FileChange& change) {
  const std::string saved = change.copy.empty() ? "" : " (the old file is " + change.copy + ")";
  switch (change.kind) {
    case FileChange::Kind::FileCreated: return change.path + ": file created";
    case FileChange::Kind::FileReplaced: return change.path + ": file replaced" + saved;
    case FileChange::Kind::FileDeleted: return change.path + ": file deleted" + saved;
    case FileChange::Kind::FolderCreated: return change.path + ": folder created";
    case FileChange::Kind::FolderRemoved: return change.path + ": folder removed";
    case FileChange::Kind::AttributesChanged:
      return change.path + ": attributes " + std::to_string(change.attributesBefore) + " -> " +
             std::to_string(change.attributesAfter);
  }
  return change.path;
}

}  // namespace

void removeFolderTree(const std::string& folder, FileApi& files, BackupPlatform& platform) {
  for (const FolderEntry& entry : platform.listFolder(folder)) {
    if (entry.folder)
      removeFolderTree(joinPath(folder, entry.name), files, platform);
    else
      files.deleteFile(joinPath(folder, entry.name));
  }
  files.removeDirectory(folder);
}

namespace {

void pruneOldBackups(const std::string& root, FileApi& files, BackupPlatform& platform) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : platform.listFolder(root))
    if (entry.folder && isBackupName(entry.name)) names.push_back(entry.name);
  std::sort(names.begin(), names.end(), olderBackup);
  for (std::size_t i = 0; i + kBackupsKept < names.size(); ++i) removeFolderTree(joinPath(root, names[i]), files, platform);
}

std::string baseName(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

bool isBackupName(const std::string& name) {
  const std::string shape = "dddd-dd-dd dd-dd-dd";
  if (name.size() < shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i)
    if (shape[i] == 'd' ? (name[i] < '0' || name[i] > '9') : name[i] != shape[i]) return false;
  return true;
}

unsigned long sameSecondNumber(const std::string& name) {
  const std::size_t open = name.find(" (", 19);
  return open == std::string::npos ? 1 : std::strtoul(name.c_str() + open + 2, nullptr, 10);
}

bool olderBackup(const std::string& a, const std::string& b) {
  const int byTime = a.compare(0, 19, b, 0, 19);
  if (byTime != 0) return byTime < 0;
  return sameSecondNumber(a) < sameSecondNumber(b);
}

std::string newBackupName(const std::string& root, const std::string& name, BackupPlatform& platform) {
  unsigned long number = 0;
  for (const FolderEntry& entry : platform.listFolder(root))
    if (isBackupName(entry.name) && entry.name.compare(0, name.size(), name) == 0)
      number = std::max(number, sameSecondNumber(entry.name));
  return number == 0 ? name : name + " (" + std::to_string(number + 1) + ")";
}

std::vector<RegOp> restoreOperations(const ChangeList& changes) {
  const std::vector<RegistryChange>& registry = changes.registry();
  std::vector<RegOp> ops;
  // Undone newest first: each step then finds the registry as it was right after that change.
  for (std::size_t i = registry.size(); i-- > 0;) {
    if (insideCreatedKey(registry, i)) continue;
    const RegistryChange& change = registry[i];
    switch (change.kind) {
      case RegistryChange::Kind::KeyCreated:
        ops.push_back(keyOp(RegOp::Kind::DeleteKey, change.root, change.key));
        break;
      case RegistryChange::Kind::KeyDeleted:
        restoreKey(change.root, change.deleted, ops);
        break;
      case RegistryChange::Kind::Value: {
        RegOp op = keyOp(change.before ? RegOp::Kind::SetValue : RegOp::Kind::DeleteValue, change.root, change.key);
        op.valueName = change.name;
        if (change.before) {
          op.type = change.before->type;
          op.data = change.before->data;
        }
        ops.push_back(std::move(op));
        break;
      }
    }
  }
  return ops;
}

std::vector<std::string> changeLines(const ChangeList& changes) {
  std::vector<std::string> lines;
  for (const RegistryChange& change : changes.registry())
    if (change.kind != RegistryChange::Kind::Value || change.before != change.after)
      lines.push_back(registryLine(change));
  for (const ProfileChange& change : changes.profiles())
    if (change.before != change.after)
      lines.push_back(change.file + " [" + change.section + "] " + change.entry + ": " + shown(change.before) +
                      " -> " + shown(change.after));
  for (const FileChange& change : changes.files()) lines.push_back(fileLine(change));
  return lines;
}

bool writeBackupFiles(const ChangeList& changes, const std::string& folder, FileApi& files,
                      BackupPlatform& platform) {
  bool ok = true;
  const std::vector<RegOp> ops = restoreOperations(changes);
  if (!ops.empty()) ok = platform.writeFile(joinPath(folder, kRestoreFile), formats::writeRegedit4(ops)) && ok;

  std::string howTo;
  if (!ops.empty()) howTo += "Double-click " + kRestoreFile + " to put the registry back.\r\n";
  for (const ProfileCopy& copy : changes.copies()) {
    if (copy.state == ProfileCopy::State::Copied)
      howTo += "Copy " + baseName(copy.path) + " over " + copy.path + ".\r\n";
    else if (copy.state == ProfileCopy::State::Missing)
      howTo += "Delete " + copy.path + ", which did not exist before.\r\n";
  }
  const std::size_t cut = folder.find_last_of('\\');
  const std::string name = cut == std::string::npos ? folder : folder.substr(cut + 1);
  std::string text = "Changes made by Varnex 2000 at " + name + ", one line each, as before -> after.\r\n";
  text += "To undo them, use \"Undo Changes...\" on the Varnex page of Varnex 2000.\r\n";
  text += howTo.empty() ? std::string("By hand, see the lines below.\r\n") : "By hand:\r\n" + howTo;
  text += "\r\n";
  for (const std::string& line : changeLines(changes)) text += line + "\r\n";
  ok = platform.writeFile(joinPath(folder, kChangesFile), text) && ok;

  pruneOldBackups(folder.substr(0, cut == std::string::npos ? 0 : cut), files, platform);
  return ok;
}

}  // namespace varnex::settings
