#include "settings/memory/memory_profiles.h"

#include <algorithm>
#include <cstring>

#include "settings/memory/ini_text.h"

namespace varnex::settings {

std::string MemoryProfiles::resolve(const std::string& file) const {
  if (file.find_first_of("\\/:") != std::string::npos) return file;
  return files_.windowsDirectory() + "\\" + file;
}

std::uint32_t MemoryProfiles::getString(const std::string& section, const std::string* entry,
                                        const std::string& defaultText, char* buffer,
                                        std::uint32_t size, const std::string& file) {
  if (size == 0) return 0;
  std::optional<std::string> text = files_.readFile(resolve(file));
  std::string_view ini = text ? std::string_view(*text) : std::string_view();
  if (entry == nullptr) {
    std::string list;
    for (const std::string& name : IniText::entryNamesIn(ini, section).value_or(std::vector<std::string>{}))
      list += name + '\0';
    if (size < 2) {
      buffer[0] = '\0';
      return 0;
    }
    if (list.size() + 1 > size) {  // cut, and still end with two NULs
      std::memcpy(buffer, list.data(), size - 2);
      buffer[size - 2] = buffer[size - 1] = '\0';
      return size - 2;
    }
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    if (list.empty() && size > 1) buffer[1] = '\0';
    return static_cast<std::uint32_t>(list.size());
  }
  std::string result;
  if (std::optional<std::string> v = IniText::valueIn(ini, section, *entry)) {
    result = *v;
  } else {
    result = defaultText;
    while (!result.empty() && result.back() == ' ') result.pop_back();
  }
  std::uint32_t length = std::min<std::uint32_t>(static_cast<std::uint32_t>(result.size()), size - 1);
  std::memcpy(buffer, result.data(), length);
  buffer[length] = '\0';
  return length;
}

bool MemoryProfiles::writeString(const std::string& section, const std::string& entry,
                                 const std::string* value, const std::string& file) {
  std::string path = resolve(file);
  std::optional<std::string> text = files_.readFile(path);
  if (!text && value == nullptr) return true;
  IniText ini(text.value_or(""));
  if (value)
    ini.set(section, entry, *value);
  else
    ini.remove(section, entry);
  return files_.writeFile(path, ini.text());
}

}  // namespace varnex::settings
