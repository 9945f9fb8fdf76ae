#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/platform_api.h"

namespace varnex::settings {

// A file tree held in memory: drive-letter paths compared ignoring case, attributes, folders
// that must exist before anything is made inside them, read-only files that refuse changes.
class MemoryFiles : public FileApi {
 public:
  explicit MemoryFiles(std::string windowsDirectory = "C:\\WINDOWS",
                       std::string currentDirectory = "C:\\VARNEX");

  std::uint32_t getFileAttributes(const std::string& path) override;
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  bool findFirstFile(const std::string& path, std::uint32_t& attributes) override;
  bool createDirectory(const std::string& path) override;
  bool removeDirectory(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  int lzOpenFile(const std::string& path, std::uint16_t style) override;
  long lzCopy(int source, int destination) override;
  void lzClose(int handle) override;
  std::string windowsDirectory() override { return windows_; }
  std::string currentDirectory() override { return current_; }

  void setCurrentDirectory(std::string path) { current_ = std::move(path); }

  // Direct access for fixtures, tests and the other memory stores. putFile makes missing
  // parent folders; writeFile refuses (false) a read-only file or a missing parent folder.
  void putFile(const std::string& path, const std::string& bytes,
               std::uint32_t attributes = kAttrArchive);
  void putFolder(const std::string& path);
  bool writeFile(const std::string& path, const std::string& bytes);
  std::optional<std::string> readFile(const std::string& path) const;
  bool isFolder(const std::string& path) const;
  // Paths as first written, in name order.
  std::vector<std::string> list() const;

 private:
  struct Entry {
    std::string path;
    bool folder = false;
    std::uint32_t attributes = 0;
    std::string bytes;
  };
  static std::string keyOf(const std::string& path);
  static std::string parentOf(const std::string& key);
  bool parentExists(const std::string& key) const;
  const Entry* find(const std::string& path) const;

  std::string windows_;
  std::string current_;
  std::map<std::string, Entry> entries_;  // by upper-case path without trailing backslash
  struct LzHandle {
    std::string path;
    bool write = false;
  };
  std::map<int, LzHandle> lzHandles_;
  int nextLz_ = 1;
};

}  // namespace varnex::settings
