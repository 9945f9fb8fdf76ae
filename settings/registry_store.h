#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/platform_api.h"

namespace varnex::settings {

// An open registry key that closes itself.
class RegKey {
 public:
  RegKey() = default;
  RegKey(RegistryApi& api, RegHandle handle) : api_(&api), handle_(handle) {}
  RegKey(RegKey&& other) noexcept : api_(other.api_), handle_(other.handle_) { other.handle_ = 0; }
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() { reset(); }

  void reset();
  explicit operator bool() const { return handle_ != 0; }
  RegHandle get() const { return handle_; }

 private:
  RegistryApi* api_ = nullptr;
  RegHandle handle_ = 0;
};

// One row's (or one small group of rows') view of the registry: a root and at most one open key.
class RegistryStore {
 public:
  explicit RegistryStore(RegistryApi& api) : api_(api) {}

  void setRoot(RegHandle root);
  // A path beginning with a backslash starts at the root; any other path is taken below the open
  // key, or below the root when none is open. On failure the open key stays as it was.
  bool openKey(const std::string& path, bool create);
  bool keyExists(const std::string& path);
  bool hasOpenKey() const { return static_cast<bool>(open_); }

  bool valueExists(const std::string& name);
  // Absent value or no open key: "". Another type than REG_SZ / REG_EXPAND_SZ: StoreError.
  std::string readText(const std::string& name);
  // Absent, of another type than REG_DWORD, longer than 4 bytes, or no open key: StoreError.
  std::uint32_t readInteger(const std::string& name);
  // Copies a value of at most 4 bytes over the leading bytes of cell. Absent value or no open
  // key leaves the cell alone; REG_SZ, REG_EXPAND_SZ, REG_DWORD or more than 4 bytes: StoreError.
  void readBinary(const std::string& name, std::uint32_t& cell);

  void writeText(const std::string& name, const std::string& value);
  void writeInteger(const std::string& name, std::uint32_t value);
  void writeBinary(const std::string& name, std::uint32_t value);

  bool deleteValue(const std::string& name);
  // Removes the key and its whole subtree, deepest first; the open key stays open.
  bool deleteKey(const std::string& path);
  std::vector<std::string> keyNames();

 private:
  // The base key and relative path a path names under the open-key rule.
  RegHandle baseFor(const std::string& path, std::string& relative) const;
  bool deleteTree(RegHandle base, const std::string& relative);
  void write(const std::string& name, std::uint32_t type, const std::uint8_t* data, std::uint32_t size);

  RegistryApi& api_;
  RegHandle root_ = kHkeyCurrentUser;
  RegKey open_;
};

}  // namespace varnex::settings
