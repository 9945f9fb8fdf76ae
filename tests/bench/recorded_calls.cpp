#include "tests/bench/recorded_calls.h"

#include "tests/bench/bench_support.h"

namespace varnex::bench {

using settings::RegHandle;

int Recording::slotOf(Kind kind, std::uintptr_t handle) {
  if (kind == RegistryKey && handle >= settings::kHkeyClassesRoot && handle <= settings::kHkeyUsers)
    return static_cast<int>(handle - settings::kHkeyClassesRoot);
  auto found = live_.find({kind, handle});
  return found == live_.end() ? -1 : found->second;
}

int Recording::newSlot(Kind kind, std::uintptr_t handle) {
  live_[{kind, handle}] = nextSlot_;
  return nextSlot_++;
}

Call& Recording::add(Op op) {
  calls_.push_back(Call{op});
  calls_.back().at = now();
  return calls_.back();
}

const char* opName(Op op) {
  static const char* const names[] = {
      "OpenKey", "CreateKey", "CloseKey", "QueryValue", "SetValue", "DeleteValue", "DeleteKey",
      "QueryInfoKey", "EnumKey", "EnumValue", "ReadProfile", "WriteProfile", "GetAttributes",
      "SetAttributes", "FindFile", "MakeFolder", "RemoveFolder", "RemoveFile", "LzOpen", "LzCopy",
      "LzClose", "WindowsDirectory", "CurrentDirectory", "CreateShellLink", "SetPath",
      "SetWorkingDirectory", "QueryPersistFile", "Save", "ReleaseShellLink", "ReleasePersistFile",
  };
  const auto index = static_cast<std::size_t>(op);
  return index < sizeof names / sizeof *names ? names[index] : "?";
}

class Recording::Registry : public settings::RegistryApi {
 public:
  Registry(Recording& r, settings::RegistryApi& inner) : r_(r), inner_(inner) {}
  long openKey(RegHandle base, const std::string& subKey, RegHandle& result) override {
    return open(Op::OpenKey, base, subKey, result);
  }
  long createKey(RegHandle base, const std::string& subKey, RegHandle& result) override {
    return open(Op::CreateKey, base, subKey, result);
  }
  long closeKey(RegHandle key) override {
    r_.add(Op::CloseKey).in = r_.slotOf(RegistryKey, key);
    return inner_.closeKey(key);
  }
  long queryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    Call& c = r_.add(Op::QueryValue);
    c.in = r_.slotOf(RegistryKey, key);
    c.text1 = name;
    c.wantType = type != nullptr;
    c.wantData = data != nullptr;
    c.wantSize = size != nullptr;
    c.number = size ? *size : 0;
    return inner_.queryValue(key, name, type, data, size);
  }
  long setValue(RegHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    Call& c = r_.add(Op::SetValue);
    c.in = r_.slotOf(RegistryKey, key);
    c.text1 = name;
    c.number = type;
    c.data.assign(data, data + size);
    return inner_.setValue(key, name, type, data, size);
  }
  long deleteValue(RegHandle key, const std::string& name) override {
    Call& c = r_.add(Op::DeleteValue);
    c.in = r_.slotOf(RegistryKey, key);
    c.text1 = name;
    return inner_.deleteValue(key, name);
  }
  long deleteKey(RegHandle key, const std::string& subKey) override {
    Call& c = r_.add(Op::DeleteKey);
    c.in = r_.slotOf(RegistryKey, key);
    c.text1 = subKey;
    return inner_.deleteKey(key, subKey);
  }
  long queryInfoKey(RegHandle key, std::uint32_t& subKeys, std::uint32_t& maxNameLength) override {
    r_.add(Op::QueryInfoKey).in = r_.slotOf(RegistryKey, key);
    return inner_.queryInfoKey(key, subKeys, maxNameLength);
  }
  long enumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t& nameLength) override {
    Call& c = r_.add(Op::EnumKey);
    c.in = r_.slotOf(RegistryKey, key);
    c.number = index;
    c.data.resize(nameLength);  // the caller's buffer size
    return inner_.enumKey(key, index, name, nameLength);
  }
  long enumValue(RegHandle key, std::uint32_t index, std::string& name, std::uint32_t& type,
                 std::vector<std::uint8_t>& data) override {
    Call& c = r_.add(Op::EnumValue);
    c.in = r_.slotOf(RegistryKey, key);
    c.number = index;
    return inner_.enumValue(key, index, name, type, data);
  }

 private:
  long open(Op op, RegHandle base, const std::string& subKey, RegHandle& result) {
    const int in = r_.slotOf(RegistryKey, base);
    const long rc = op == Op::OpenKey ? inner_.openKey(base, subKey, result)
                                      : inner_.createKey(base, subKey, result);
    Call& c = r_.add(op);
    c.in = in;
    c.text1 = subKey;
    c.out = rc == settings::kErrorSuccess ? r_.newSlot(RegistryKey, result) : r_.reserveSlot();
    return rc;
  }
  Recording& r_;
  settings::RegistryApi& inner_;
};

class Recording::Profiles : public settings::ProfileApi {
 public:
  Profiles(Recording& r, settings::ProfileApi& inner) : r_(r), inner_(inner) {}
  std::uint32_t getString(const std::string& section, const std::string* entry,
                          const std::string& defaultText, char* buffer, std::uint32_t size,
                          const std::string& file) override {
    Call& c = r_.add(Op::ReadProfile);
    c.text1 = section;
    c.has2 = entry != nullptr;
    if (entry) c.text2 = *entry;
    c.text3 = defaultText;
    c.text4 = file;
    c.number = size;
    return inner_.getString(section, entry, defaultText, buffer, size, file);
  }
  bool writeString(const std::string& section, const std::string& entry, const std::string* value,
                   const std::string& file) override {
    Call& c = r_.add(Op::WriteProfile);
    c.text1 = section;
    c.text2 = entry;
    c.has3 = value != nullptr;
    if (value) c.text3 = *value;
    c.text4 = file;
    return inner_.writeString(section, entry, value, file);
  }

 private:
  Recording& r_;
  settings::ProfileApi& inner_;
};

class Recording::Files : public settings::FileApi {
 public:
  Files(Recording& r, settings::FileApi& inner) : r_(r), inner_(inner) {}
  std::uint32_t getFileAttributes(const std::string& path) override {
    r_.add(Op::GetAttributes).text1 = path;
    return inner_.getFileAttributes(path);
  }
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override {
    Call& c = r_.add(Op::SetAttributes);
    c.text1 = path;
    c.number = attributes;
    return inner_.setFileAttributes(path, attributes);
  }
  bool findFirstFile(const std::string& path, std::uint32_t& attributes) override {
    r_.add(Op::FindFile).text1 = path;
    return inner_.findFirstFile(path, attributes);
  }
  bool createDirectory(const std::string& path) override {
    r_.add(Op::MakeFolder).text1 = path;
    return inner_.createDirectory(path);
  }
  bool removeDirectory(const std::string& path) override {
    r_.add(Op::RemoveFolder).text1 = path;
    return inner_.removeDirectory(path);
  }
  bool deleteFile(const std::string& path) override {
    r_.add(Op::RemoveFile).text1 = path;
    return inner_.deleteFile(path);
  }
  int lzOpenFile(const std::string& path, std::uint16_t style) override {
    const int handle = inner_.lzOpenFile(path, style);
    Call& c = r_.add(Op::LzOpen);
    c.text1 = path;
    c.number = style;
    c.out = handle >= 0 ? r_.newSlot(LzFile, static_cast<std::uintptr_t>(handle)) : r_.reserveSlot();
    return handle;
  }
  long lzCopy(int source, int destination) override {
    Call& c = r_.add(Op::LzCopy);
    c.in = r_.slotOf(LzFile, static_cast<std::uintptr_t>(source));
    c.in2 = r_.slotOf(LzFile, static_cast<std::uintptr_t>(destination));
    return inner_.lzCopy(source, destination);
  }
  void lzClose(int handle) override {
    r_.add(Op::LzClose).in = r_.slotOf(LzFile, static_cast<std::uintptr_t>(handle));
    inner_.lzClose(handle);
  }
  std::string windowsDirectory() override {
    r_.add(Op::WindowsDirectory);
    return inner_.windowsDirectory();
  }
  std::string currentDirectory() override {
    r_.add(Op::CurrentDirectory);
    return inner_.currentDirectory();
  }

 private:
  Recording& r_;
  settings::FileApi& inner_;
};

namespace {

class RecordedPersistFile : public settings::PersistFile {
 public:
  RecordedPersistFile(Recording& r, std::unique_ptr<settings::PersistFile> inner)
      : r_(r), inner_(std::move(inner)), slot_(r.newSlot(Recording::ComObject, id())) {}
  ~RecordedPersistFile() override { r_.add(Op::ReleasePersistFile).in = slot_; }
  long save(const std::string& fileName, bool remember) override {
    Call& c = r_.add(Op::Save);
    c.in = slot_;
    c.text1 = fileName;
    c.number = remember ? 1 : 0;
    return inner_->save(fileName, remember);
  }
  int slot() const { return slot_; }

 private:
  std::uintptr_t id() const { return reinterpret_cast<std::uintptr_t>(this); }
  Recording& r_;
  std::unique_ptr<settings::PersistFile> inner_;
  int slot_;
};

class RecordedShellLink : public settings::ShellLink {
 public:
  RecordedShellLink(Recording& r, std::unique_ptr<settings::ShellLink> inner, int slot)
      : r_(r), inner_(std::move(inner)), slot_(slot) {}
  ~RecordedShellLink() override { r_.add(Op::ReleaseShellLink).in = slot_; }
  long setPath(const std::string& target) override {
    Call& c = r_.add(Op::SetPath);
    c.in = slot_;
    c.text1 = target;
    return inner_->setPath(target);
  }
  long setWorkingDirectory(const std::string& directory) override {
    Call& c = r_.add(Op::SetWorkingDirectory);
    c.in = slot_;
    c.text1 = directory;
    return inner_->setWorkingDirectory(directory);
  }
  std::unique_ptr<settings::PersistFile> queryPersistFile() override {
    Call& c = r_.add(Op::QueryPersistFile);
    c.in = slot_;
    auto file = inner_->queryPersistFile();
    if (!file) {
      r_.last().out = -1;
      return nullptr;
    }
    auto recorded = std::make_unique<RecordedPersistFile>(r_, std::move(file));
    r_.last().out = recorded->slot();
    return recorded;
  }

 private:
  Recording& r_;
  std::unique_ptr<settings::ShellLink> inner_;
  int slot_;
};

}  // namespace

class Recording::Shell : public settings::ShellApi {
 public:
  Shell(Recording& r, settings::ShellApi& inner) : r_(r), inner_(inner) {}
  std::unique_ptr<settings::ShellLink> createShellLink() override {
    auto link = inner_.createShellLink();
    Call& c = r_.add(Op::CreateShellLink);
    c.out = r_.reserveSlot();
    if (!link) return nullptr;
    return std::make_unique<RecordedShellLink>(r_, std::move(link), c.out);
  }

 private:
  Recording& r_;
  settings::ShellApi& inner_;
};

Recording::Recording(settings::StoreApis inner)
    : registry_(std::make_unique<Registry>(*this, inner.registry)),
      profiles_(std::make_unique<Profiles>(*this, inner.profiles)),
      files_(std::make_unique<Files>(*this, inner.files)),
      shell_(std::make_unique<Shell>(*this, inner.shell)) {}

Recording::~Recording() = default;

settings::StoreApis Recording::apis() { return {*registry_, *profiles_, *files_, *shell_}; }

}  // namespace varnex::bench
