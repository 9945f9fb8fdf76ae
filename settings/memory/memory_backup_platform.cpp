#include "settings/memory/memory_backup_platform.h"

#include "settings/profile_store.h"

namespace varnex::settings {

bool MemoryBackupPlatform::refused(const std::string& path) const {
  return !refusedName.empty() && path.size() >= refusedName.size() &&
         equalsIgnoringCase(path.substr(path.size() - refusedName.size()), refusedName);
}

bool MemoryBackupPlatform::writeFile(const std::string& path, const std::string& bytes) {
  return !refused(path) && files_.writeFile(path, bytes);
}

bool MemoryBackupPlatform::appendFile(const std::string& path, const std::string& bytes) {
  if (refused(path) || appendsLeft == 0) return false;
  if (appendsLeft > 0) --appendsLeft;
  return files_.writeFile(path, files_.readFile(path).value_or("") + bytes);
}

std::vector<FolderEntry> MemoryBackupPlatform::listFolder(const std::string& folder) {
  std::string prefix = folder;
  if (prefix.empty() || prefix.back() != '\\') prefix += '\\';
  std::vector<FolderEntry> entries;
  for (const std::string& path : files_.list()) {
    if (path.size() <= prefix.size() || !equalsIgnoringCase(path.substr(0, prefix.size()), prefix)) continue;
    const std::string name = path.substr(prefix.size());
    if (name.find('\\') != std::string::npos) continue;
    entries.push_back({name, files_.isFolder(path)});
  }
  return entries;
}

}  // namespace varnex::settings
