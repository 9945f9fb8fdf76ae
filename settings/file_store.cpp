#include "settings/file_store.h"

namespace varnex::settings {

bool FileStore::fileExists(const std::string& path) {
  std::uint32_t attributes = 0;
  return files_.findFirstFile(path, attributes) && (attributes & kAttrDirectory) == 0;
}

bool FileStore::folderExists(const std::string& path) {
  std::uint32_t attributes = files_.getFileAttributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kAttrDirectory) != 0;
}

bool FileStore::makeFolders(const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  if (folder.size() < 3 || folderExists(folder)) return true;
  std::size_t cut = folder.find_last_of('\\');
  if (cut != std::string::npos && cut > 0) makeFolders(folder.substr(0, cut));
  return files_.createDirectory(folder);
}

bool FileStore::removeFolder(const std::string& path) { return files_.removeDirectory(path); }

bool FileStore::deleteFile(const std::string& path) { return files_.deleteFile(path); }

bool FileStore::setAttributes(const std::string& path, std::uint32_t attributes) {
  return files_.setFileAttributes(path, attributes);
}

void FileStore::copyFile(const std::string& source, const std::string& destination) {
  int from = files_.lzOpenFile(source, kOfRead);
  int to = files_.lzOpenFile(destination, kOfCreate);
  if (from >= 0 && to >= 0) files_.lzCopy(from, to);
  if (from >= 0) files_.lzClose(from);
  if (to >= 0) files_.lzClose(to);
}

bool FileStore::CreateShellLink(const std::string& target, const std::string& shortcutFile,
                                const std::string& workingDirectory) {
  std::unique_ptr<ShellLink> link = shell_.createShellLink();
  if (!link) return false;
  link->setPath(target);
  link->setWorkingDirectory(workingDirectory);
  std::unique_ptr<PersistFile> file = link->queryPersistFile();
  if (!file) return false;
  file->save(shortcutFile, true);
  return true;
}

}  // namespace varnex::settings
