#pragma once
#include <string>

#include "settings/file_store.h"
#include "settings/platform_api.h"
#include "settings/profile_store.h"
#include "settings/registry_store.h"

namespace varnex::settings {

// Hands each row a fresh store object over one backend. The Windows directory is fetched once
// and kept for the run; the program directory is the current directory at the moment of use.
class Stores {
 public:
  explicit Stores(StoreApis apis) : apis_(apis), windows_(apis.files.windowsDirectory()) {}

  ProfileStore profile(const std::string& file) { return ProfileStore(apis_.profiles, file); }
  RegistryStore registry() { return RegistryStore(apis_.registry); }
  FileStore files() { return FileStore(apis_.files, apis_.shell); }

  const std::string& windowsDirectory() const { return windows_; }
  std::string programDirectory() { return apis_.files.currentDirectory(); }

 private:
  StoreApis apis_;
  std::string windows_;
};

}  // namespace varnex::settings
