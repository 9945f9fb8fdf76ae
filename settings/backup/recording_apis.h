#pragma once
// The stores' platform operations with a journal in front: before each call that changes
// something, the state it is about to change is noted (only while a pass records, and only
// real changes). Every call still reaches the backend in the same order; the one it may answer
// differently is creating a key that exists, which it does by opening the key.
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "settings/backup/backup_platform.h"
#include "settings/backup/change_journal.h"
#include "settings/platform_api.h"

namespace varnex::settings {

class RecordingRegistry : public RegistryApi {
 public:
  RecordingRegistry(RegistryApi& inner, ChangeJournal& journal) : inner_(inner), journal_(journal) {}

  long openKey(RegHandle base, const std::string& subKey, RegHandle& result) override;
  long createKey(RegHandle base, const std::string& subKey, RegHandle& result) override;
  long closeKey(RegHandle key) override;
  long queryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    return inner_.queryValue(key, name, type, data, size);
  }
  long setValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  long deleteValue(RegHandle key, const std::string& name) override;
  long deleteKey(RegHandle key, const std::string& subKey) override;
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

 private:
  struct Place {
    RegHandle root = 0;
    std::string path;  // below the root
  };
  std::optional<Place> placeOf(RegHandle key) const;
  std::optional<RegValue> valueOf(RegHandle key, const std::string& name);
  std::string storedName(RegHandle key, const std::string& name);
  // The highest key of subKey that is missing, asked of a subKey known to be missing.
  std::string topmostMissing(RegHandle base, const std::string& subKey);
  bool snapshot(RegHandle base, const std::string& subKey, const std::string& path, KeySnapshot& out);

  RegistryApi& inner_;
  ChangeJournal& journal_;
  std::map<RegHandle, Place> places_;  // the open keys, by handle
  // Keys seen to exist in this pass (root and upper-case path): many rows open the same key, and
  // only the first needs the probe that tells whether a create makes it.
  std::set<std::pair<RegHandle, std::string>> existing_;
  unsigned existingPass_ = 0;
  bool knownToExist(RegHandle root, const std::string& path);
  void nowExists(RegHandle root, const std::string& path);
};

class RecordingProfiles : public ProfileApi {
 public:
  RecordingProfiles(ProfileApi& inner, ChangeJournal& journal, BackupPlatform& platform,
                    std::string windowsDirectory)
      : inner_(inner), journal_(journal), platform_(platform), windows_(std::move(windowsDirectory)) {}

  std::uint32_t getString(const std::string& section, const std::string* entry,
                          const std::string& defaultText, char* buffer, std::uint32_t size,
                          const std::string& file) override {
    return inner_.getString(section, entry, defaultText, buffer, size, file);
  }
  bool writeString(const std::string& section, const std::string& entry, const std::string* value,
                   const std::string& file) override;

  // Where the profile functions find a file: a bare name lies in the Windows directory.
  std::string pathOf(const std::string& file) const;

 private:
  std::optional<std::string> entryText(const std::string& section, const std::string& entry,
                                       const std::string& file);

  ProfileApi& inner_;
  ChangeJournal& journal_;
  BackupPlatform& platform_;
  std::string windows_;
};

class RecordingFiles : public FileApi {
 public:
  RecordingFiles(FileApi& inner, ChangeJournal& journal, BackupPlatform& platform)
      : inner_(inner), journal_(journal), platform_(platform) {}

  std::uint32_t getFileAttributes(const std::string& path) override { return inner_.getFileAttributes(path); }
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  bool findFirstFile(const std::string& path, std::uint32_t& attributes) override {
    return inner_.findFirstFile(path, attributes);
  }
  bool createDirectory(const std::string& path) override;
  bool removeDirectory(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  int lzOpenFile(const std::string& path, std::uint16_t style) override;
  long lzCopy(int source, int destination) override { return inner_.lzCopy(source, destination); }
  void lzClose(int handle) override { inner_.lzClose(handle); }
  std::string windowsDirectory() override { return inner_.windowsDirectory(); }
  std::string currentDirectory() override { return inner_.currentDirectory(); }

 private:
  FileApi& inner_;
  ChangeJournal& journal_;
  BackupPlatform& platform_;
};

class RecordingShell : public ShellApi {
 public:
  RecordingShell(ShellApi& inner, ChangeJournal& journal, BackupPlatform& platform)
      : inner_(inner), journal_(journal), platform_(platform) {}
  std::unique_ptr<ShellLink> createShellLink() override;

 private:
  ShellApi& inner_;
  ChangeJournal& journal_;
  BackupPlatform& platform_;
};

}  // namespace varnex::settings
