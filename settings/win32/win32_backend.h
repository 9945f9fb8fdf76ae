#pragma once
// The stores' operations over the real Windows API (advapi32, the private profile functions,
// kernel32 file functions, lz32 and the COM shell-link object).
#include "settings/platform_api.h"

namespace varnex::settings {

class Win32Registry : public RegistryApi {
 public:
  long openKey(RegHandle base, const std::string& subKey, RegHandle& result) override;
  long createKey(RegHandle base, const std::string& subKey, RegHandle& result) override;
  long closeKey(RegHandle key) override;
  long queryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long setValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  long deleteValue(RegHandle key, const std::string& name) override;
  long deleteKey(RegHandle key, const std::string& subKey) override;
  long queryInfoKey(RegHandle key, std::uint32_t& subKeys, std::uint32_t& maxNameLength) override;
  long enumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t& nameLength) override;
  long enumValue(RegHandle key, std::uint32_t index, std::string& name, std::uint32_t& type,
                 std::vector<std::uint8_t>& data) override;
};

class Win32Profiles : public ProfileApi {
 public:
  std::uint32_t getString(const std::string& section, const std::string* entry,
                          const std::string& defaultText, char* buffer, std::uint32_t size,
                          const std::string& file) override;
  bool writeString(const std::string& section, const std::string& entry, const std::string* value,
                   const std::string& file) override;
};

class Win32Files : public FileApi {
 public:
  std::uint32_t getFileAttributes(const std::string& path) override;
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  bool findFirstFile(const std::string& path, std::uint32_t& attributes) override;
  bool createDirectory(const std::string& path) override;
  bool removeDirectory(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  int lzOpenFile(const std::string& path, std::uint16_t style) override;
  long lzCopy(int source, int destination) override;
  void lzClose(int handle) override;
  std::string windowsDirectory() override;
  std::string currentDirectory() override;
};

// Starts the component system at the first shortcut, not at start-up, and ends it with itself.
class Win32Shell : public ShellApi {
 public:
  Win32Shell() = default;
  ~Win32Shell() override;
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;
  std::unique_ptr<ShellLink> createShellLink() override;

 private:
  bool comStarted_ = false;
};

// One per process: the stores' operations, and the component system while shortcuts need it.
class Win32Backend {
 public:
  Win32Backend() = default;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  StoreApis apis() { return StoreApis{registry_, profiles_, files_, shell_}; }

 private:
  Win32Registry registry_;
  Win32Profiles profiles_;
  Win32Files files_;
  Win32Shell shell_;
};

}  // namespace varnex::settings
