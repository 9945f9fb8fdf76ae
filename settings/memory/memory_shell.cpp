#include "settings/memory/memory_shell.h"

#include "settings/formats/shell_link.h"

namespace varnex::settings {

namespace {

constexpr long kEFail = static_cast<long>(0x80004005u);

struct LinkState {
  std::string target;
  std::string workingDirectory;
};

class MemoryPersistFile : public PersistFile {
 public:
  MemoryPersistFile(MemoryFiles& files, LinkState state) : files_(files), state_(std::move(state)) {}
  long save(const std::string& fileName, bool) override {
    std::vector<std::uint8_t> bytes = formats::writeShellLink(state_.target, state_.workingDirectory);
    return files_.writeFile(fileName, std::string(bytes.begin(), bytes.end())) ? 0 : kEFail;
  }

 private:
  MemoryFiles& files_;
  LinkState state_;
};

class MemoryShellLink : public ShellLink {
 public:
  MemoryShellLink(MemoryFiles& files, bool persist) : files_(files), persist_(persist) {}
  long setPath(const std::string& target) override {
    state_.target = target;
    return 0;
  }
  long setWorkingDirectory(const std::string& directory) override {
    state_.workingDirectory = directory;
    return 0;
  }
  std::unique_ptr<PersistFile> queryPersistFile() override {
    if (!persist_) return nullptr;
    return std::make_unique<MemoryPersistFile>(files_, state_);
  }

 private:
  MemoryFiles& files_;
  bool persist_;
  LinkState state_;
};

}  // namespace

std::unique_ptr<ShellLink> MemoryShell::createShellLink() {
  if (refuseCreate) return nullptr;
  return std::make_unique<MemoryShellLink>(files_, offerPersistFile);
}

}  // namespace varnex::settings
