#pragma once
// What the backup needs of the system besides the stores' own operations: whole files read and
// written, lines appended to its journal, a folder's entries, and the local time that names a
// backup.
#include <optional>
#include <string>
#include <vector>

namespace varnex::settings {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct FolderEntry {
  std::string name;
  bool folder = false;
};

class BackupPlatform {
 public:
  virtual ~BackupPlatform() = default;
  // The file's bytes; nothing when it cannot be read.
  virtual std::optional<std::string> readFile(const std::string& path) = 0;
  // Writes out what the profile functions still hold of a profile file in memory (Windows 9x
  // caches them), so that readFile sees the file as they do.
  virtual void flushProfile(const std::string& path) { (void)path; }
  // Creates or replaces the file with these bytes, on the disk when it returns (a copy kept before
  // a change must be there if the change is); false on any failure.
  virtual bool writeFile(const std::string& path, const std::string& bytes) = 0;
  // Appends the bytes to the end of the file, made when missing, and has them on the disk before
  // it returns (Windows' own buffers flushed); false on any failure, when part of them may have
  // been written.
  virtual bool appendFile(const std::string& path, const std::string& bytes) = 0;
  // The entries of a folder, without "." and "..".
  virtual std::vector<FolderEntry> listFolder(const std::string& folder) = 0;
  virtual LocalTime localTime() = 0;  // GetLocalTime
};

}  // namespace varnex::settings
