#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/registry_store.h"
#include "settings/store_error.h"
#include "tests/settings/contract/contract_backend.h"

namespace varnex::settings::contract {

class StoreContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  StoreApis apis = backend->apis();
  std::string dir = backend->scratchFolder();

  // A store standing on the scratch key, created fresh.
  RegistryStore scratchStore() {
    RegistryStore store(apis.registry);
    store.setRoot(kHkeyCurrentUser);
    EXPECT_TRUE(store.openKey("\\" + kScratchKey, true));
    return store;
  }

  // Stores a value of any type and length below the scratch key, bypassing the store rules.
  void rawSet(const std::string& key, const std::string& name, std::uint32_t type,
              std::vector<std::uint8_t> bytes) {
    RegHandle handle = 0;
    ASSERT_EQ(apis.registry.createKey(kHkeyCurrentUser, kScratchKey + "\\" + key, handle), kErrorSuccess);
    EXPECT_EQ(apis.registry.setValue(handle, name, type, bytes.data(),
                                     static_cast<std::uint32_t>(bytes.size())), kErrorSuccess);
    apis.registry.closeKey(handle);
  }

  struct Raw {
    bool exists = false;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
  };
  Raw rawGet(const std::string& key, const std::string& name) {
    Raw raw;
    RegHandle handle = 0;
    if (apis.registry.openKey(kHkeyCurrentUser, kScratchKey + "\\" + key, handle) != kErrorSuccess) return raw;
    std::uint32_t size = 0;
    if (apis.registry.queryValue(handle, name, &raw.type, nullptr, &size) == kErrorSuccess) {
      raw.exists = true;
      raw.bytes.resize(size);
      apis.registry.queryValue(handle, name, &raw.type, raw.bytes.data(), &size);
      raw.bytes.resize(size);
    }
    apis.registry.closeKey(handle);
    return raw;
  }

  bool rawKeyExists(const std::string& key) {
    RegHandle handle = 0;
    if (apis.registry.openKey(kHkeyCurrentUser, kScratchKey + "\\" + key, handle) != kErrorSuccess) return false;
    apis.registry.closeKey(handle);
    return true;
  }

  // The message of the StoreError that f raises, or "" when it raises none.
  template <typename F>
  static std::string errorOf(F&& f) {
    try {
      f();
    } catch (const StoreError& e) {
      return e.what();
    }
    return "";
  }
};

}  // namespace varnex::settings::contract
