#pragma once
// What the store contract tests need from a backend besides the store operations: a clean
// scratch area and raw access to file bytes for fixtures.
#include <memory>
#include <optional>
#include <string>

#include "settings/platform_api.h"

namespace varnex::settings::contract {

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;
  virtual StoreApis apis() = 0;
  // A folder that exists and is empty at the start of every test (no trailing backslash).
  virtual std::string scratchFolder() = 0;
  virtual bool putFile(const std::string& path, const std::string& bytes) = 0;
  virtual std::optional<std::string> readFile(const std::string& path) = 0;
  // False where the read-only attribute does not stop writes (Wine running as root).
  virtual bool readOnlyIsEnforced() = 0;
};

// Registry scratch key below HKEY_CURRENT_USER, emptied before every test.
inline const std::string kScratchKey = "Software\\VarnexContract";

std::unique_ptr<ContractBackend> makeContractBackend();

}  // namespace varnex::settings::contract
