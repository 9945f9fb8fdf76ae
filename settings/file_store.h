#pragma once
#include <cstdint>
#include <string>

#include "settings/platform_api.h"

namespace varnex::settings {

// Files, folders and shortcuts whose existence is a setting.
class FileStore {
 public:
  FileStore(FileApi& files, ShellApi& shell) : files_(files), shell_(shell) {}

  bool fileExists(const std::string& path);
  bool folderExists(const std::string& path);
  // Creates the folder and its missing parents; a path under 3 characters counts as done.
  bool makeFolders(const std::string& path);
  bool removeFolder(const std::string& path);
  bool deleteFile(const std::string& path);
  bool setAttributes(const std::string& path, std::uint32_t attributes);
  // Expands a compressed source, copies any other byte for byte; reports nothing, and always
  // creates (or truncates) the destination.
  void copyFile(const std::string& source, const std::string& destination);
  // False when the shell-link object cannot be made or offers no IPersistFile.
  bool CreateShellLink(const std::string& target, const std::string& shortcutFile,
                       const std::string& workingDirectory);

 private:
  FileApi& files_;
  ShellApi& shell_;
};

}  // namespace varnex::settings
