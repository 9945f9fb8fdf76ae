#pragma once
#include <string>

#include "settings/backup/backup_platform.h"
#include "settings/memory/memory_files.h"

namespace varnex::settings {

// The backup's file operations over a MemoryFiles tree, with a clock the test sets and writes
// the test can make fail.
class MemoryBackupPlatform : public BackupPlatform {
 public:
  explicit MemoryBackupPlatform(MemoryFiles& files) : files_(files) {}

  std::optional<std::string> readFile(const std::string& path) override { return files_.readFile(path); }
  bool writeFile(const std::string& path, const std::string& bytes) override;
  bool appendFile(const std::string& path, const std::string& bytes) override;
  std::vector<FolderEntry> listFolder(const std::string& folder) override;
  LocalTime localTime() override { return time; }

  LocalTime time{2026, 12, 10, 13, 5, 42};
  // Writes of a file of this name (in any folder) fail, as on a full disk.
  std::string refusedName;
  // How many appends succeed before every later one fails; negative: all of them.
  int appendsLeft = -1;

 private:
  bool refused(const std::string& path) const;
  MemoryFiles& files_;
};

}  // namespace varnex::settings
