#pragma once
#include "settings/backup/backup_platform.h"
#include "settings/memory/memory_files.h"

namespace varnex::settings {

// The backup's file operations over a MemoryFiles tree, with a clock the test sets.
class MemoryBackupPlatform : public BackupPlatform {
 public:
  explicit MemoryBackupPlatform(MemoryFiles& files) : files_(files) {}

  std::optional<std::string> readFile(const std::string& path) override { return files_.readFile(path); }
  bool writeFile(const std::string& path, const std::string& bytes) override { return files_.writeFile(path, bytes); }
  std::vector<FolderEntry> listFolder(const std::string& folder) override;
  LocalTime localTime() override { return time; }

  LocalTime time{2026, 12, 10, 13, 5, 42};

 private:
  MemoryFiles& files_;
};

}  // namespace varnex::settings
