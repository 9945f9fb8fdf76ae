#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "settings/win32/win32_backend.h"
#include "win32/handles.h"
#include "win32/late_bound.h"

namespace varnex::settings {

namespace {

// The interface and class identifiers, spelled out so nothing depends on uuid libraries.
const CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

class Win32PersistFile : public PersistFile {
 public:
  explicit Win32PersistFile(win32::ComPtr<IPersistFile> file) : file_(std::move(file)) {}
  long save(const std::string& fileName, bool remember) override {
    int length = MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, nullptr, 0);
    std::vector<WCHAR> wide(length > 0 ? length : 1, 0);
    MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    return file_->Save(wide.data(), remember ? TRUE : FALSE);
  }

 private:
  win32::ComPtr<IPersistFile> file_;
};

class Win32ShellLink : public ShellLink {
 public:
  explicit Win32ShellLink(win32::ComPtr<IShellLinkA> link) : link_(std::move(link)) {}
  long setPath(const std::string& target) override { return link_->SetPath(target.c_str()); }
  long setWorkingDirectory(const std::string& directory) override {
    return link_->SetWorkingDirectory(directory.c_str());
  }
  std::unique_ptr<PersistFile> queryPersistFile() override {
    win32::ComPtr<IPersistFile> file;
    if (FAILED(link_->QueryInterface(kIidPersistFile, file.putVoid())) || !file) return nullptr;
    return std::make_unique<Win32PersistFile>(std::move(file));
  }

 private:
  win32::ComPtr<IShellLinkA> link_;
};

}  // namespace

std::unique_ptr<ShellLink> Win32Shell::createShellLink() {
  static const auto create = win32::lateBound<decltype(CoCreateInstance)>("ole32.dll", "CoCreateInstance");
  if (!comStarted_) {
    static const auto start = win32::lateBound<decltype(CoInitialize)>("ole32.dll", "CoInitialize");
    comStarted_ = start && SUCCEEDED(start(nullptr));
  }
  win32::ComPtr<IShellLinkA> link;
  if (!create ||
      FAILED(create(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA, link.putVoid())) || !link)
    return nullptr;
  return std::make_unique<Win32ShellLink>(std::move(link));
}

Win32Shell::~Win32Shell() {
  static const auto stop = win32::lateBound<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
  if (comStarted_ && stop) stop();
}

}  // namespace varnex::settings
