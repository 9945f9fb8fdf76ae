#include <windows.h>

#include "settings/win32/win32_backend.h"

namespace varnex::settings {

std::uint32_t Win32Profiles::getString(const std::string& section, const std::string* entry,
                                       const std::string& defaultText, char* buffer,
                                       std::uint32_t size, const std::string& file) {
  return GetPrivateProfileStringA(section.c_str(), entry ? entry->c_str() : nullptr,
                                  defaultText.c_str(), buffer, size, file.c_str());
}

bool Win32Profiles::writeString(const std::string& section, const std::string& entry,
                                const std::string* value, const std::string& file) {
  return WritePrivateProfileStringA(section.c_str(), entry.c_str(), value ? value->c_str() : nullptr,
                                    file.c_str()) != 0;
}

}  // namespace varnex::settings
