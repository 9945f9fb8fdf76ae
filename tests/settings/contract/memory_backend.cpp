#include "settings/memory/memory_machine.h"
#include "tests/settings/contract/contract_backend.h"

namespace varnex::settings::contract {

namespace {
class MemoryBackend : public ContractBackend {
 public:
  MemoryBackend() { machine_.files.putFolder(scratchFolder()); }
  StoreApis apis() override { return machine_.apis(); }
  std::string scratchFolder() override { return "C:\\VarnexContract"; }
  bool putFile(const std::string& path, const std::string& bytes) override {
    return machine_.files.writeFile(path, bytes);
  }
  std::optional<std::string> readFile(const std::string& path) override {
    return machine_.files.readFile(path);
  }
  bool readOnlyIsEnforced() override { return true; }

 private:
  MemoryMachine machine_;
};
}  // namespace

std::unique_ptr<ContractBackend> makeContractBackend() { return std::make_unique<MemoryBackend>(); }

}  // namespace varnex::settings::contract
