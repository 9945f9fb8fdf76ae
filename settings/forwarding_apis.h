#pragma once
// The stores' operations passed on unchanged to another backend. A layer that watches or changes
// a few of them (the backup's recorders, the watchers of the tests) derives from these and
// overrides only those.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/platform_api.h"

namespace varnex::settings {

class ForwardingRegistry : public RegistryApi {
 public:
  explicit ForwardingRegistry(RegistryApi& inner) : inner_(inner) {}

  long openKey(RegHandle base, const std::string& subKey, RegHandle& result) override {
    return inner_.openKey(base, subKey, result);
  }
  long createKey(RegHandle base, const std::string& subKey, RegHandle& result) override {
    return inner_.createKey(base, subKey, result);
  }
  long closeKey(RegHandle key) override { return inner_.closeKey(key); }
  long queryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    return inner_.queryValue(key, name, type, data, size);
  }
  long setValue(RegHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    return inner_.setValue(key, name, type, data, size);
  }
  long deleteValue(RegHandle key, const std::string& name) override { return inner_.deleteValue(key, name); }
  long deleteKey(RegHandle key, const std::string& subKey) override { return inner_.deleteKey(key, subKey); }
  long queryInfoKey(RegHandle key, std::uint32_t& subKeys, std::uint32_t& maxNameLength) override {
    return inner_.queryInfoKey(key, subKeys, maxNameLength);
  }
  long enumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t& nameLength) override {
    return inner_.enumKey(key, index, name, nameLength);
  }
  long enumValue(RegHandle key, std::uint32_t index, std::string& name, std::uint32_t& type,
                 std::vector<std::uint8_t>& data) override {
    return inner_.enumValue(key, index, name, type, data);
  }

 protected:
  RegistryApi& inner_;
};

class ForwardingProfiles : public ProfileApi {
 public:
  explicit ForwardingProfiles(ProfileApi& inner) : inner_(inner) {}

  std::uint32_t getString(const std::string& section, const std::string* entry, const std::string& defaultText,
                          char* buffer, std::uint32_t size, const std::string& file) override {
    return inner_.getString(section, entry, defaultText, buffer, size, file);
  }
  bool writeString(const std::string& section, const std::string& entry, const std::string* value,
                   const std::string& file) override {
    return inner_.writeString(section, entry, value, file);
  }

 protected:
  ProfileApi& inner_;
};

class ForwardingFiles : public FileApi {
 public:
  explicit ForwardingFiles(FileApi& inner) : inner_(inner) {}

  std::uint32_t getFileAttributes(const std::string& path) override { return inner_.getFileAttributes(path); }
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override {
    return inner_.setFileAttributes(path, attributes);
  }
  bool findFirstFile(const std::string& path, std::uint32_t& attributes) override {
    return inner_.findFirstFile(path, attributes);
  }
  bool createDirectory(const std::string& path) override { return inner_.createDirectory(path); }
  bool removeDirectory(const std::string& path) override { return inner_.removeDirectory(path); }
  bool deleteFile(const std::string& path) override { return inner_.deleteFile(path); }
  int lzOpenFile(const std::string& path, std::uint16_t style) override { return inner_.lzOpenFile(path, style); }
  long lzCopy(int source, int destination) override { return inner_.lzCopy(source, destination); }
  void lzClose(int handle) override { inner_.lzClose(handle); }
  std::string windowsDirectory() override { return inner_.windowsDirectory(); }
  std::string currentDirectory() override { return inner_.currentDirectory(); }

 protected:
  FileApi& inner_;
};

}  // namespace varnex::settings
