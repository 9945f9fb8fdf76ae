#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "settings/platform_api.h"

namespace varnex::settings {

inline const std::string kMsdosSys = "C:\\MSDOS.SYS";
inline const std::string kSystemIni = "SYSTEM.INI";

// One profile file (C:\MSDOS.SYS or SYSTEM.INI). Nothing is cached: every call goes to the file.
class ProfileStore {
 public:
  ProfileStore(ProfileApi& api, std::string fileName) : api_(api), file_(std::move(fileName)) {}

  const std::string& fileName() const { return file_; }
  // At most 2047 characters; the default when the file, section or entry is absent. A present
  // entry with an empty value reads as "".
  std::string readText(const std::string& section, const std::string& entry,
                       const std::string& defaultText);
  // Whether the section's entry names hold the entry, compared ignoring case.
  bool entryExists(const std::string& section, const std::string& entry);
  std::vector<std::string> entryNames(const std::string& section);
  void writeText(const std::string& section, const std::string& entry, const std::string& value);
  void deleteEntry(const std::string& section, const std::string& entry);

 private:
  ProfileApi& api_;
  std::string file_;
};

bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string upperCase(std::string text);

}  // namespace varnex::settings
