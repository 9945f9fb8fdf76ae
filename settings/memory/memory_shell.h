#pragma once
#include "settings/memory/memory_files.h"
#include "settings/platform_api.h"

namespace varnex::settings {

// Shell-link objects that save real .lnk files into a MemoryFiles tree.
class MemoryShell : public ShellApi {
 public:
  explicit MemoryShell(MemoryFiles& files) : files_(files) {}
  std::unique_ptr<ShellLink> createShellLink() override;

  // Failures the component system can have, for tests.
  bool refuseCreate = false;
  bool offerPersistFile = true;

 private:
  MemoryFiles& files_;
};

}  // namespace varnex::settings
