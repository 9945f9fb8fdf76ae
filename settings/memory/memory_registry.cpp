#include "settings/memory/memory_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "settings/profile_store.h"

namespace varnex::settings {

MemoryRegistry::MemoryRegistry() {
  for (RegHandle root : {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers}) {
    auto n = std::make_shared<Node>();
    n->root = root;
    roots_[root] = n;
  }
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::node(RegHandle key) const {
  auto root = roots_.find(key);
  if (root != roots_.end()) return root->second;
  auto it = handles_.find(key);
  if (it == handles_.end()) return nullptr;
  return it->second;
}

RegHandle MemoryRegistry::issue(std::shared_ptr<Node> n) {
  RegHandle h = next_;
  next_ += 4;
  handles_[h] = std::move(n);
  return h;
}

long MemoryRegistry::walk(RegHandle base, const std::string& subKey, bool create,
                          std::shared_ptr<Node>& out) {
  std::shared_ptr<Node> at = node(base);
  if (!at) return kErrorInvalidHandle;
  if (at->deleted) return kErrorKeyDeleted;
  std::size_t start = 0;
  while (start < subKey.size()) {
    std::size_t end = subKey.find('\\', start);
    if (end == std::string::npos) end = subKey.size();
    std::string part = subKey.substr(start, end - start);
    start = end + 1;
    if (part.empty()) {
      if (end == subKey.size()) break;  // a trailing backslash names the same key
      return kErrorFileNotFound;
    }
    auto child = at->children.find(upperCase(part));
    if (child == at->children.end()) {
      if (!create) return kErrorFileNotFound;
      if (!writable(*at)) return kErrorAccessDenied;
      auto made = std::make_shared<Node>();
      made->name = part;
      made->root = at->root;
      child = at->children.emplace(upperCase(part), made).first;
    }
    at = child->second;
  }
  out = at;
  return kErrorSuccess;
}

long MemoryRegistry::openKey(RegHandle base, const std::string& subKey, RegHandle& result) {
  std::shared_ptr<Node> found;
  long rc = walk(base, subKey, false, found);
  if (rc == kErrorSuccess) result = issue(found);
  return rc;
}

long MemoryRegistry::createKey(RegHandle base, const std::string& subKey, RegHandle& result) {
  std::shared_ptr<Node> found;
  long rc = walk(base, subKey, true, found);
  if (rc == kErrorSuccess) result = issue(found);
  return rc;
}

long MemoryRegistry::closeKey(RegHandle key) {
  if (roots_.count(key)) return kErrorSuccess;
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

long MemoryRegistry::queryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) {
  std::shared_ptr<Node> n = node(key);
  if (!n) return kErrorInvalidHandle;
  if (n->deleted) return kErrorKeyDeleted;
  auto it = n->values.find(upperCase(name));
  if (it == n->values.end()) return kErrorFileNotFound;
  const Value& v = it->second;
  if (type) *type = v.type;
  std::uint32_t needed = static_cast<std::uint32_t>(v.data.size());
  if (data) {
    if (!size || *size < needed) {
      if (size) *size = needed;
      return kErrorMoreData;
    }
    if (needed) std::memcpy(data, v.data.data(), needed);
  }
  if (size) *size = needed;
  return kErrorSuccess;
}

long MemoryRegistry::setValue(RegHandle key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
  std::shared_ptr<Node> n = node(key);
  if (!n) return kErrorInvalidHandle;
  if (n->deleted) return kErrorKeyDeleted;
  if (!writable(*n)) return kErrorAccessDenied;
  Value& v = n->values[upperCase(name)];
  if (v.name.empty()) v.name = name;
  v.type = type;
  v.data.assign(data, data + size);
  return kErrorSuccess;
}

long MemoryRegistry::deleteValue(RegHandle key, const std::string& name) {
  std::shared_ptr<Node> n = node(key);
  if (!n) return kErrorInvalidHandle;
  if (n->deleted) return kErrorKeyDeleted;
  if (!writable(*n)) return kErrorAccessDenied;
  return n->values.erase(upperCase(name)) ? kErrorSuccess : kErrorFileNotFound;
}

long MemoryRegistry::deleteKey(RegHandle key, const std::string& subKey) {
  std::shared_ptr<Node> parent = node(key);
  if (!parent) return kErrorInvalidHandle;
  std::shared_ptr<Node> target;
  long rc = walk(key, subKey, false, target);
  if (rc != kErrorSuccess) return rc;
  if (target == parent || (roots_.count(target->root) && roots_.at(target->root) == target))
    return kErrorAccessDenied;
  if (!writable(*target)) return kErrorAccessDenied;
  if (!target->children.empty()) return kErrorAccessDenied;
  // The key's own parent: trailing backslashes name the same key, so they are not a level.
  std::string path = subKey;
  while (!path.empty() && path.back() == '\\') path.pop_back();
  std::size_t cut = path.find_last_of('\\');
  std::shared_ptr<Node> owner = parent;
  if (cut != std::string::npos) walk(key, path.substr(0, cut), false, owner);
  owner->children.erase(upperCase(target->name));
  target->deleted = true;
  return kErrorSuccess;
}

long MemoryRegistry::queryInfoKey(RegHandle key, std::uint32_t& subKeys, std::uint32_t& maxNameLength) {
  std::shared_ptr<Node> n = node(key);
  if (!n) return kErrorInvalidHandle;
  if (n->deleted) return kErrorKeyDeleted;
  subKeys = static_cast<std::uint32_t>(n->children.size());
  maxNameLength = 0;
  for (const auto& [upper, child] : n->children)
    maxNameLength = std::max<std::uint32_t>(maxNameLength, static_cast<std::uint32_t>(child->name.size()));
  return kErrorSuccess;
}

long MemoryRegistry::enumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t& nameLength) {
  std::shared_ptr<Node> n = node(key);
  if (!n) return kErrorInvalidHandle;
  if (n->deleted) return kErrorKeyDeleted;
  if (index >= n->children.size()) return kErrorNoMoreItems;
  auto it = n->children.begin();
  std::advance(it, index);
  const std::string& child = it->second->name;
  if (nameLength < child.size() + 1) return kErrorMoreData;
  std::memcpy(name, child.c_str(), child.size() + 1);
  nameLength = static_cast<std::uint32_t>(child.size());
  return kErrorSuccess;
}

namespace {

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string hexBytes(const std::vector<std::uint8_t>& data) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i) out += ',';
    out += digits[data[i] >> 4];
    out += digits[data[i] & 15];
  }
  return out;
}

}  // namespace

void MemoryRegistry::exportNode(const Node& n, const std::string& path, std::string& out) {
  out += "\n[" + path + "]\n";
  for (const auto& [upper, v] : n.values) {
    out += v.name.empty() ? "@" : quoted(v.name);
    out += '=';
    if (v.type == kRegSz && !v.data.empty() && v.data.back() == 0 &&
        std::find(v.data.begin(), v.data.end() - 1, 0) == v.data.end() - 1) {
      out += quoted(std::string(v.data.begin(), v.data.end() - 1));
    } else if (v.type == kRegDword && v.data.size() == 4) {
      char number[16];
      std::snprintf(number, sizeof number, "dword:%08x",
                    v.data[0] | v.data[1] << 8 | v.data[2] << 16 | std::uint32_t{v.data[3]} << 24);
      out += number;
    } else {
      out += (v.type == kRegBinary ? std::string("hex:") : "hex(" + std::to_string(v.type) + "):") + hexBytes(v.data);
    }
    out += '\n';
  }
  for (const auto& [upper, child] : n.children) exportNode(*child, path + "\\" + child->name, out);
}

std::string MemoryRegistry::exportRegedit4() const {
  const std::pair<RegHandle, const char*> roots[] = {{kHkeyClassesRoot, "HKEY_CLASSES_ROOT"},
                                                      {kHkeyCurrentUser, "HKEY_CURRENT_USER"},
                                                      {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
                                                      {kHkeyUsers, "HKEY_USERS"}};
  std::string out = "REGEDIT4\n";
  for (const auto& [root, name] : roots)
    for (const auto& [upper, child] : roots_.at(root)->children) exportNode(*child, std::string(name) + "\\" + child->name, out);
  return out;
}

}  // namespace varnex::settings
