#pragma once
#include "settings/backup/backup_platform.h"

namespace varnex::settings {

// Appends the bytes to the end of the file, made when missing (but not its folder), and flushes
// them to the disk (WriteFile, then FlushFileBuffers); false on any failure.
bool appendToFile(const std::string& path, const std::string& bytes);

// The backup's file operations over kernel32 and the profile functions.
class Win32BackupPlatform : public BackupPlatform {
 public:
  std::optional<std::string> readFile(const std::string& path) override;
  void flushProfile(const std::string& path) override;
  bool writeFile(const std::string& path, const std::string& bytes) override;
  bool appendFile(const std::string& path, const std::string& bytes) override;
  std::vector<FolderEntry> listFolder(const std::string& folder) override;
  LocalTime localTime() override;
};

}  // namespace varnex::settings
