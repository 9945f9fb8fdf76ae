#pragma once
#include "settings/memory/memory_files.h"
#include "settings/platform_api.h"

namespace varnex::settings {

// The profile functions over the text files of a MemoryFiles tree.
class MemoryProfiles : public ProfileApi {
 public:
  explicit MemoryProfiles(MemoryFiles& files) : files_(files) {}

  std::uint32_t getString(const std::string& section, const std::string* entry,
                          const std::string& defaultText, char* buffer, std::uint32_t size,
                          const std::string& file) override;
  bool writeString(const std::string& section, const std::string& entry, const std::string* value,
                   const std::string& file) override;

  // Where a profile file name lands: a bare name lies in the Windows directory.
  std::string resolve(const std::string& file) const;

 private:
  MemoryFiles& files_;
};

}  // namespace varnex::settings
