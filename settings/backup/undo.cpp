#include "settings/backup/undo.h"

#include <algorithm>
#include <map>

#include "settings/backup/journal_format.h"
#include "settings/file_store.h"
#include "settings/profile_store.h"
#include "settings/registry_store.h"

namespace varnex::settings {

namespace {

// A backup read whole: its journal and the copies its changes name.
struct LoadedBackup {
  std::string name;
  std::string folder;
  JournalReading journal;
  std::map<std::string, std::string> copies;  // by name within the folder
};

bool holds(const std::vector<FolderEntry>& entries, const std::string& name) {
  return std::any_of(entries.begin(), entries.end(),
                     [&](const FolderEntry& e) { return !e.folder && equalsIgnoringCase(e.name, name); });
}

// A copy's name as the journal writes it: a file below the folder's Files folder.
bool wellFormedCopy(const std::string& copy) {
  if (copy.size() <= 6 || !equalsIgnoringCase(copy.substr(0, 6), "Files\\")) return false;
  const std::string name = copy.substr(6);
  return name.find_first_of("\\/:") == std::string::npos && name != "." && name != "..";
}

const std::string* copyOf(const Change& change) {
  const auto* file = std::get_if<FileChange>(&change);
  if (!file || (file->kind != FileChange::Kind::FileReplaced && file->kind != FileChange::Kind::FileDeleted))
    return nullptr;
  return &file->copy;
}

// Reads and checks the whole backup; what is wrong with it, naming the file, or nothing.
std::optional<std::string> load(const std::string& root, const std::string& name, BackupPlatform& platform,
                                LoadedBackup& out) {
  out.name = name;
  out.folder = joinPath(root, name);
  const std::vector<FolderEntry> entries = platform.listFolder(out.folder);
  const std::string journalPath = joinPath(out.folder, kJournalFile);
  if (!holds(entries, kJournalFile)) return journalPath + " is missing.";
  const std::optional<std::string> text = platform.readFile(journalPath);
  if (!text) return journalPath + " cannot be read.";
  out.journal = readJournal(*text);
  if (out.journal.damage) return journalPath + " is damaged (" + *out.journal.damage + ").";
  // Changes.txt is written after the journal's last line: with it, that line was there.
  if (!out.journal.ended && holds(entries, kChangesFile))
    return journalPath + " is cut short: its pass ended, but its last lines are missing.";
  for (const Change& change : out.journal.changes) {
    const std::string* copy = copyOf(change);
    if (!copy || out.copies.count(*copy)) continue;
    const std::string path = joinPath(out.folder, *copy);
    if (!wellFormedCopy(*copy)) return journalPath + " names " + *copy + ", which is no copy of a backup.";
    std::optional<std::string> bytes = platform.readFile(path);
    if (!bytes) return path + " is missing or cannot be read.";
    out.copies[*copy] = std::move(*bytes);
  }
  return std::nullopt;
}

// The backup folders below root, newest first.
std::vector<std::string> backupNames(const std::string& root, BackupPlatform& platform) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : platform.listFolder(root))
    if (entry.folder && isBackupName(entry.name) && !platform.listFolder(joinPath(root, entry.name)).empty())
      names.push_back(entry.name);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return olderBackup(b, a); });
  return names;
}

// --- putting changes back ---------------------------------------------------------------------

constexpr std::uint32_t kLocked = kAttrReadOnly | kAttrHidden | kAttrSystem;

class Undoer {
 public:
  Undoer(Backups& backups) : backups_(backups), apis_(backups.apis()), windows_(apis_.files.windowsDirectory()) {}

  void undo(const Change& change, const LoadedBackup& backup) {
    if (const auto* r = std::get_if<RegistryChange>(&change)) return undoRegistry(*r);
    if (const auto* p = std::get_if<ProfileChange>(&change)) return undoEntry(*p);
    undoFile(std::get<FileChange>(change), backup);
  }

 private:
  [[noreturn]] static void stop(const std::string& what) { throw StoreError(fillIn(kUndoStoppedText, what)); }

  // An open key, made when missing; the root itself for an empty path.
  RegKey createKey(RegHandle root, const std::string& path, const std::string& what) {
    if (path.empty()) return RegKey();
    RegHandle handle = 0;
    if (apis_.registry.createKey(root, path, handle) != kErrorSuccess) stop(what);
    return RegKey(apis_.registry, handle);
  }

  void setValue(RegHandle root, const std::string& key, const std::string& name, const RegValue& value) {
    const std::string what = keyName(root, key) + " " + (name.empty() ? "(default)" : name);
    RegKey open = createKey(root, key, what);
    if (apis_.registry.setValue(open ? open.get() : root, name, value.type, value.data.data(),
                                static_cast<std::uint32_t>(value.data.size())) != kErrorSuccess)
      stop(what);
  }

  void deleteValue(RegHandle root, const std::string& key, const std::string& name) {
    RegHandle handle = root;
    if (!key.empty() && apis_.registry.openKey(root, key, handle) != kErrorSuccess) return;  // gone with its key
    RegKey open = key.empty() ? RegKey() : RegKey(apis_.registry, handle);
    const long rc = apis_.registry.deleteValue(handle, name);
    if (rc != kErrorSuccess && rc != kErrorFileNotFound) stop(keyName(root, key) + " " + name);
  }

  void recreate(RegHandle root, const KeySnapshot& key) {
    { RegKey made = createKey(root, key.path, keyName(root, key.path)); }
    for (const auto& [name, value] : key.values) setValue(root, key.path, name, value);
    for (const KeySnapshot& sub : key.subkeys) recreate(root, sub);
  }

  void undoRegistry(const RegistryChange& change) {
    switch (change.kind) {
      case RegistryChange::Kind::Value:
        if (change.before)
          setValue(change.root, change.key, change.name, *change.before);
        else
          deleteValue(change.root, change.key, change.name);
        return;
      case RegistryChange::Kind::KeyCreated: {
        RegistryStore store(apis_.registry);
        store.setRoot(change.root);
        if (!store.deleteKey("\\" + change.key) && store.keyExists("\\" + change.key))
          stop(keyName(change.root, change.key));
        return;
      }
      case RegistryChange::Kind::KeyDeleted:
        recreate(change.root, change.deleted);
        return;
    }
  }

  std::string profilePath(const std::string& file) const {
    return file.find_first_of("\\/:") != std::string::npos ? file : joinPath(windows_, file);
  }

  // The entry as it was; a file locked the way MSDOS.SYS is (read-only, hidden, system) is
  // opened for the write and keeps its attributes.
  void undoEntry(const ProfileChange& change) {
    const std::string what = change.file + " [" + change.section + "] " + change.entry;
    const std::string path = profilePath(change.file);
    const std::uint32_t attributes = apis_.files.getFileAttributes(path);
    const bool locked = attributes != kInvalidFileAttributes && (attributes & kLocked) != 0;
    if (locked && !apis_.files.setFileAttributes(path, (attributes & ~kLocked) | kAttrArchive)) stop(what);
    const std::string* before = change.before ? &*change.before : nullptr;
    const bool written = apis_.profiles.writeString(change.section, change.entry, before, change.file);
    if (locked) apis_.files.setFileAttributes(path, attributes);
    if (!written) stop(what);
  }

  // The file's bytes back, with the attributes it had (0: those it has now, when it is there).
  void putBack(const std::string& path, const std::string& bytes, std::uint32_t attributes) {
    FileStore files(apis_.files, apis_.shell);
    const std::size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos) files.makeFolders(path.substr(0, cut));
    const std::uint32_t now = apis_.files.getFileAttributes(path);
    if (attributes == 0 && now != kInvalidFileAttributes) attributes = now;
    // Windows will not write over a read-only file, nor create one over a hidden or system file.
    if (now != kInvalidFileAttributes && (now & kLocked) != 0 &&
        !apis_.files.setFileAttributes(path, (now & ~kLocked) | kAttrArchive))
      stop(path);
    if (!backups_.writeWholeFile(path, bytes)) stop(path);
    if (attributes != 0 && attributes != apis_.files.getFileAttributes(path) &&
        !apis_.files.setFileAttributes(path, attributes))
      stop(path);
  }

  void undoFile(const FileChange& change, const LoadedBackup& backup) {
    FileStore files(apis_.files, apis_.shell);
    switch (change.kind) {
      case FileChange::Kind::FileCreated:
        if (files.fileExists(change.path) && !files.deleteFile(change.path)) stop(change.path);
        return;
      case FileChange::Kind::FileReplaced:
        putBack(change.path, backup.copies.at(change.copy), 0);
        return;
      case FileChange::Kind::FileDeleted:
        putBack(change.path, backup.copies.at(change.copy), change.attributesBefore);
        return;
      case FileChange::Kind::FolderCreated:
        // A folder that holds something now stays: what is in it is not the pass's.
        if (files.folderExists(change.path)) files.removeFolder(change.path);
        return;
      case FileChange::Kind::FolderRemoved:
        if (!files.folderExists(change.path) && !files.makeFolders(change.path)) stop(change.path);
        if (apis_.files.getFileAttributes(change.path) != change.attributesBefore &&
            !apis_.files.setFileAttributes(change.path, change.attributesBefore))
          stop(change.path);
        return;
      case FileChange::Kind::AttributesChanged:
        if (apis_.files.getFileAttributes(change.path) != kInvalidFileAttributes &&
            !apis_.files.setFileAttributes(change.path, change.attributesBefore))
          stop(change.path);
        return;
    }
  }

  Backups& backups_;
  StoreApis apis_;
  std::string windows_;
};

}  // namespace

std::string listLine(const BackupSummary& backup) {
  if (backup.problem) return backup.time + "   damaged";
  const std::size_t n = backup.lines.size();
  return backup.time + "   " + std::to_string(n) + (n == 1 ? " change" : " changes");
}

std::vector<BackupSummary> listBackups(const std::string& programDirectory, BackupPlatform& platform) {
  const std::string root = joinPath(programDirectory, kBackupFolder);
  std::vector<BackupSummary> list;
  for (const std::string& name : backupNames(root, platform)) {
    BackupSummary summary{name, shownBackupTime(name), {}, false, std::nullopt};
    LoadedBackup backup;
    summary.problem = load(root, name, platform, backup);
    if (!summary.problem) {
      ChangeList changes;
      for (const Change& change : backup.journal.changes) changes.add(change);
      summary.lines = changeLines(changes);
      summary.stopped = !backup.journal.ended;
    }
    list.push_back(std::move(summary));
  }
  return list;
}

UndoResult undoBackups(Backups& backups, const std::string& programDirectory, const std::string& oldest) {
  const std::string root = joinPath(programDirectory, kBackupFolder);
  // Read now, not when the window was filled: a pass made since is among the newer ones.
  std::vector<LoadedBackup> loaded;
  for (const std::string& name : backupNames(root, backups.platform())) {
    if (olderBackup(name, oldest)) break;
    loaded.emplace_back();
    if (std::optional<std::string> problem = load(root, name, backups.platform(), loaded.back())) {
      std::string text = fillIn(kDamagedBackupText, shownBackupTime(name));
      return {fillIn(text, *problem), 0, false};
    }
  }
  UndoResult result;
  try {
    Undoer undoer(backups);
    for (const LoadedBackup& backup : loaded) {
      const std::vector<Change>& changes = backup.journal.changes;
      for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        undoer.undo(*change, backup);
        ++result.undone;
        result.settingsBack = result.settingsBack || isSetting(*change);
      }
    }
  } catch (const StoreError& e) {
    result.error = e.what();
  }
  return result;
}

}  // namespace varnex::settings
