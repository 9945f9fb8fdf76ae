#include <windows.h>

#include "settings/win32/win32_backend.h"

namespace varnex::settings {

namespace {
HKEY hkey(RegHandle h) { return reinterpret_cast<HKEY>(h); }
RegHandle handle(HKEY k) { return reinterpret_cast<RegHandle>(k); }
}  // namespace

long Win32Registry::openKey(RegHandle base, const std::string& subKey, RegHandle& result) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(hkey(base), subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (rc == ERROR_SUCCESS) result = handle(key);
  return rc;
}

long Win32Registry::createKey(RegHandle base, const std::string& subKey, RegHandle& result) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  LONG rc = RegCreateKeyExA(hkey(base), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, &disposition);
  if (rc == ERROR_SUCCESS) result = handle(key);
  return rc;
}

long Win32Registry::closeKey(RegHandle key) { return RegCloseKey(hkey(key)); }

long Win32Registry::queryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) {
  DWORD t = 0, s = size ? *size : 0;
  LONG rc = RegQueryValueExA(hkey(key), name.c_str(), nullptr, &t, data, size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return rc;
}

long Win32Registry::setValue(RegHandle key, const std::string& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(hkey(key), name.c_str(), 0, type, data, size);
}

long Win32Registry::deleteValue(RegHandle key, const std::string& name) {
  return RegDeleteValueA(hkey(key), name.c_str());
}

long Win32Registry::deleteKey(RegHandle key, const std::string& subKey) {
  return RegDeleteKeyA(hkey(key), subKey.c_str());
}

long Win32Registry::queryInfoKey(RegHandle key, std::uint32_t& subKeys, std::uint32_t& maxNameLength) {
  DWORD count = 0, longest = 0;
  LONG rc = RegQueryInfoKeyA(hkey(key), nullptr, nullptr, nullptr, &count, &longest, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr);
  subKeys = count;
  maxNameLength = longest;
  return rc;
}

long Win32Registry::enumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t& nameLength) {
  DWORD length = nameLength;
  FILETIME written;
  LONG rc = RegEnumKeyExA(hkey(key), index, name, &length, nullptr, nullptr, nullptr, &written);
  if (rc == ERROR_SUCCESS) nameLength = length;
  return rc;
}

long Win32Registry::enumValue(RegHandle key, std::uint32_t index, std::string& name, std::uint32_t& type,
                              std::vector<std::uint8_t>& data) {
  DWORD longestName = 0, longestData = 0;
  LONG rc = RegQueryInfoKeyA(hkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &longestName, &longestData, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  std::vector<char> nameBuffer(longestName + 1);
  data.assign(longestData, 0);
  DWORD nameLength = static_cast<DWORD>(nameBuffer.size()), t = 0, size = longestData;
  rc = RegEnumValueA(hkey(key), index, nameBuffer.data(), &nameLength, nullptr, &t,
                     data.empty() ? nullptr : data.data(), &size);
  if (rc != ERROR_SUCCESS) return rc;
  name.assign(nameBuffer.data(), nameLength);
  type = t;
  data.resize(size);
  return rc;
}

}  // namespace varnex::settings
