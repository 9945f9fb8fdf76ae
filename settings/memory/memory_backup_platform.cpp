#include "settings/memory/memory_backup_platform.h"

#include "settings/profile_store.h"

namespace varnex::settings {

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
