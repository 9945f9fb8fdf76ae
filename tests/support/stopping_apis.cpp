#include "tests/support/stopping_apis.h"

#include "settings/forwarding_apis.h"

namespace varnex::testing {

using settings::RegHandle;

bool StoppingApis::admit() {
  ++used_;
  return !limited_ || used_ <= limit_;
}

void StoppingApis::stopAfter(std::size_t calls) {
  limited_ = true;
  limit_ = calls;
  used_ = 0;
}

void StoppingApis::runUnlimited() { limited_ = false; }

// Closing a handle changes nothing on the machine; it still goes through, so that no handle of
// the stopped program stays open in the memory stores.
class StoppingApis::Registry : public settings::ForwardingRegistry {
 public:
  Registry(StoppingApis& s, settings::RegistryApi& inner) : ForwardingRegistry(inner), s_(s) {}
  long openKey(RegHandle base, const std::string& subKey, RegHandle& result) override {
    return s_.admit() ? inner_.openKey(base, subKey, result) : settings::kErrorAccessDenied;
  }
  long createKey(RegHandle base, const std::string& subKey, RegHandle& result) override {
    return s_.admit() ? inner_.createKey(base, subKey, result) : settings::kErrorAccessDenied;
  }
  long queryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    return s_.admit() ? inner_.queryValue(key, name, type, data, size) : settings::kErrorAccessDenied;
  }
  long setValue(RegHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    return s_.admit() ? inner_.setValue(key, name, type, data, size) : settings::kErrorAccessDenied;
  }
  long deleteValue(RegHandle key, const std::string& name) override {
    return s_.admit() ? inner_.deleteValue(key, name) : settings::kErrorAccessDenied;
  }
  long deleteKey(RegHandle key, const std::string& subKey) override {
    return s_.admit() ? inner_.deleteKey(key, subKey) : settings::kErrorAccessDenied;
  }
  long queryInfoKey(RegHandle key, std::uint32_t& subKeys, std::uint32_t& maxNameLength) override {
    return s_.admit() ? inner_.queryInfoKey(key, subKeys, maxNameLength) : settings::kErrorAccessDenied;
  }
  long enumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t& nameLength) override {
    return s_.admit() ? inner_.enumKey(key, index, name, nameLength) : settings::kErrorAccessDenied;
  }
  long enumValue(RegHandle key, std::uint32_t index, std::string& name, std::uint32_t& type,
                 std::vector<std::uint8_t>& data) override {
    return s_.admit() ? inner_.enumValue(key, index, name, type, data) : settings::kErrorAccessDenied;
  }

 private:
  StoppingApis& s_;
};

class StoppingApis::Profiles : public settings::ForwardingProfiles {
 public:
  Profiles(StoppingApis& s, settings::ProfileApi& inner) : ForwardingProfiles(inner), s_(s) {}
  std::uint32_t getString(const std::string& section, const std::string* entry, const std::string& defaultText,
                          char* buffer, std::uint32_t size, const std::string& file) override {
    if (s_.admit()) return inner_.getString(section, entry, defaultText, buffer, size, file);
    if (size > 0) buffer[0] = '\0';
    return 0;
  }
  bool writeString(const std::string& section, const std::string& entry, const std::string* value,
                   const std::string& file) override {
    return s_.admit() && inner_.writeString(section, entry, value, file);
  }

 private:
  StoppingApis& s_;
};

class StoppingApis::Files : public settings::ForwardingFiles {
 public:
  Files(StoppingApis& s, settings::FileApi& inner) : ForwardingFiles(inner), s_(s) {}
  std::uint32_t getFileAttributes(const std::string& path) override {
    return s_.admit() ? inner_.getFileAttributes(path) : settings::kInvalidFileAttributes;
  }
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override {
    return s_.admit() && inner_.setFileAttributes(path, attributes);
  }
  bool findFirstFile(const std::string& path, std::uint32_t& attributes) override {
    return s_.admit() && inner_.findFirstFile(path, attributes);
  }
  bool createDirectory(const std::string& path) override { return s_.admit() && inner_.createDirectory(path); }
  bool removeDirectory(const std::string& path) override { return s_.admit() && inner_.removeDirectory(path); }
  bool deleteFile(const std::string& path) override { return s_.admit() && inner_.deleteFile(path); }
  int lzOpenFile(const std::string& path, std::uint16_t style) override {
    return s_.admit() ? inner_.lzOpenFile(path, style) : -1;
  }
  long lzCopy(int source, int destination) override { return s_.admit() ? inner_.lzCopy(source, destination) : -1; }
  std::string windowsDirectory() override { return s_.admit() ? inner_.windowsDirectory() : ""; }
  std::string currentDirectory() override { return s_.admit() ? inner_.currentDirectory() : ""; }

 private:
  StoppingApis& s_;
};

namespace {

class StoppingPersistFile : public settings::PersistFile {
 public:
  StoppingPersistFile(StoppingApis& s, std::unique_ptr<settings::PersistFile> inner)
      : s_(s), inner_(std::move(inner)) {}
  long save(const std::string& fileName, bool remember) override {
    return s_.admit() ? inner_->save(fileName, remember) : -1;
  }

 private:
  StoppingApis& s_;
  std::unique_ptr<settings::PersistFile> inner_;
};

class StoppingShellLink : public settings::ShellLink {
 public:
  StoppingShellLink(StoppingApis& s, std::unique_ptr<settings::ShellLink> inner) : s_(s), inner_(std::move(inner)) {}
  long setPath(const std::string& target) override { return s_.admit() ? inner_->setPath(target) : -1; }
  long setWorkingDirectory(const std::string& directory) override {
    return s_.admit() ? inner_->setWorkingDirectory(directory) : -1;
  }
  std::unique_ptr<settings::PersistFile> queryPersistFile() override {
    if (!s_.admit()) return nullptr;
    std::unique_ptr<settings::PersistFile> file = inner_->queryPersistFile();
    if (!file) return nullptr;
    return std::make_unique<StoppingPersistFile>(s_, std::move(file));
  }

 private:
  StoppingApis& s_;
  std::unique_ptr<settings::ShellLink> inner_;
};

}  // namespace

class StoppingApis::Shell : public settings::ShellApi {
 public:
  Shell(StoppingApis& s, settings::ShellApi& inner) : s_(s), inner_(inner) {}
  std::unique_ptr<settings::ShellLink> createShellLink() override {
    if (!s_.admit()) return nullptr;
    std::unique_ptr<settings::ShellLink> link = inner_.createShellLink();
    if (!link) return nullptr;
    return std::make_unique<StoppingShellLink>(s_, std::move(link));
  }

 private:
  StoppingApis& s_;
  settings::ShellApi& inner_;
};

class StoppingApis::Platform : public settings::BackupPlatform {
 public:
  Platform(StoppingApis& s, settings::BackupPlatform& inner) : s_(s), inner_(inner) {}
  std::optional<std::string> readFile(const std::string& path) override {
    return s_.admit() ? inner_.readFile(path) : std::nullopt;
  }
  void flushProfile(const std::string& path) override {
    if (s_.admit()) inner_.flushProfile(path);
  }
  bool writeFile(const std::string& path, const std::string& bytes) override {
    return s_.admit() && inner_.writeFile(path, bytes);
  }
  bool appendFile(const std::string& path, const std::string& bytes) override {
    if (s_.admit()) return inner_.appendFile(path, bytes);
    if (s_.cutsThisCall()) inner_.appendFile(path, bytes.substr(0, bytes.size() / 2));
    return false;
  }
  std::vector<settings::FolderEntry> listFolder(const std::string& folder) override {
    return s_.admit() ? inner_.listFolder(folder) : std::vector<settings::FolderEntry>{};
  }
  settings::LocalTime localTime() override { return s_.admit() ? inner_.localTime() : settings::LocalTime{}; }

 private:
  StoppingApis& s_;
  settings::BackupPlatform& inner_;
};

StoppingApis::StoppingApis(settings::StoreApis inner, settings::BackupPlatform& platform)
    : registry_(std::make_unique<Registry>(*this, inner.registry)),
      profiles_(std::make_unique<Profiles>(*this, inner.profiles)),
      files_(std::make_unique<Files>(*this, inner.files)),
      shell_(std::make_unique<Shell>(*this, inner.shell)),
      platform_(std::make_unique<Platform>(*this, platform)) {}

StoppingApis::~StoppingApis() = default;

settings::StoreApis StoppingApis::apis() { return {*registry_, *profiles_, *files_, *shell_}; }
settings::BackupPlatform& StoppingApis::platform() { return *platform_; }

}  // namespace varnex::testing
