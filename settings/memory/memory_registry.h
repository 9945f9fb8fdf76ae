#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/platform_api.h"

namespace varnex::settings {

// A registry held in memory, with Windows' rules: key and value names compared ignoring case,
// subkeys enumerated in name order, a key with subkeys not removable by deleteKey.
class MemoryRegistry : public RegistryApi {
 public:
  MemoryRegistry();

  long openKey(RegHandle base, const std::string& subKey, RegHandle& result) override;
  long createKey(RegHandle base, const std::string& subKey, RegHandle& result) override;
  long closeKey(RegHandle key) override;
  long queryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long setValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  long deleteValue(RegHandle key, const std::string& name) override;
  long deleteKey(RegHandle key, const std::string& subKey) override;
  long queryInfoKey(RegHandle key, std::uint32_t& subKeys, std::uint32_t& maxNameLength) override;
  long enumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t& nameLength) override;

  // Makes every change under a root fail with access denied, as a root that refuses writes.
  void refuseWrites(RegHandle root) { readOnlyRoots_.insert(root); }
  // Handles still open: a store that forgets to close its keys shows up here.
  std::size_t openHandles() const { return handles_.size(); }
  // The whole registry as REGEDIT4 text, keys and values in name order (ignoring case), so that
  // a test can compare all of it with a fixture a person can read.
  std::string exportRegedit4() const;

 private:
  struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  struct Node {
    std::string name;
    RegHandle root = 0;
    std::map<std::string, std::shared_ptr<Node>> children;  // by upper-case name
    std::map<std::string, Value> values;                   // by upper-case name
    bool deleted = false;
  };

  std::shared_ptr<Node> node(RegHandle key) const;
  static void exportNode(const Node& n, const std::string& path, std::string& out);
  long walk(RegHandle base, const std::string& subKey, bool create, std::shared_ptr<Node>& out);
  RegHandle issue(std::shared_ptr<Node> node);
  bool writable(const Node& n) const { return readOnlyRoots_.count(n.root) == 0; }

  std::map<RegHandle, std::shared_ptr<Node>> roots_;
  std::map<RegHandle, std::shared_ptr<Node>> handles_;
  std::set<RegHandle> readOnlyRoots_;
  RegHandle next_ = 0x1000;
};

}  // namespace varnex::settings
