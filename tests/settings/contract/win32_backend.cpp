#include <windows.h>

#include "settings/registry_store.h"
#include "settings/win32/win32_backend.h"
#include "tests/settings/contract/contract_backend.h"

namespace varnex::settings::contract {

namespace {

void removeTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

class Win32ContractBackend : public ContractBackend {
 public:
  Win32ContractBackend() {
    removeTree(scratchFolder());
    CreateDirectoryA(scratchFolder().c_str(), nullptr);
    RegistryStore registry(backend_.apis().registry);
    registry.setRoot(kHkeyCurrentUser);
    registry.deleteKey("\\" + kScratchKey);
  }
  ~Win32ContractBackend() override { removeTree(scratchFolder()); }
  StoreApis apis() override { return backend_.apis(); }
  std::string scratchFolder() override { return "C:\\VarnexContract"; }
  bool putFile(const std::string& path, const std::string& bytes) override {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
  }
  std::optional<std::string> readFile(const std::string& path) override {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
  }
  bool readOnlyIsEnforced() override {
    std::string probe = scratchFolder() + "\\readonly.probe";
    putFile(probe, "x");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    bool enforced = file == INVALID_HANDLE_VALUE;
    if (!enforced) CloseHandle(file);
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(probe.c_str());
    return enforced;
  }

 private:
  Win32Backend backend_;
};

}  // namespace

std::unique_ptr<ContractBackend> makeContractBackend() {
  return std::make_unique<Win32ContractBackend>();
}

}  // namespace varnex::settings::contract
