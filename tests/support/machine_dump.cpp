#include "tests/support/machine_dump.h"

#include "settings/formats/regedit4.h"
#include "settings/profile_store.h"

#include <cstdio>
#include <vector>

namespace varnex::testing {

namespace {

void dumpKey(settings::RegistryApi& registry, settings::RegHandle key, const std::string& path, std::string& out) {
  out += "[" + path + "]\n";
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  for (std::uint32_t i = 0; registry.enumValue(key, i, name, type, data) == settings::kErrorSuccess; ++i) {
    out += "  \"" + name + "\" type " + std::to_string(type) + ":";
    char byte[4];
    for (std::uint8_t b : data) {
      std::snprintf(byte, sizeof byte, " %02x", b);
      out += byte;
    }
    out += "\n";
  }
  std::uint32_t count = 0, longest = 0;
  if (registry.queryInfoKey(key, count, longest) != settings::kErrorSuccess) return;
  std::vector<char> buffer(longest + 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t length = static_cast<std::uint32_t>(buffer.size());
    if (registry.enumKey(key, i, buffer.data(), length) != settings::kErrorSuccess) continue;
    const std::string child(buffer.data(), length);
    settings::RegHandle sub = 0;
    if (registry.openKey(key, child, sub) != settings::kErrorSuccess) continue;
    dumpKey(registry, sub, path + "\\" + child, out);
    registry.closeKey(sub);
  }
}

// Every key below key as a CreateKey followed by its values, children after their parent.
void collectKey(settings::RegistryApi& registry, settings::RegHandle key, std::uint32_t root,
                const std::string& path, std::vector<formats::RegOp>& ops) {
  if (!path.empty()) ops.push_back({formats::RegOp::Kind::CreateKey, root, path});
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  for (std::uint32_t i = 0; registry.enumValue(key, i, name, type, data) == settings::kErrorSuccess; ++i)
    ops.push_back({formats::RegOp::Kind::SetValue, root, path, name, type, data});
  std::uint32_t count = 0, longest = 0;
  if (registry.queryInfoKey(key, count, longest) != settings::kErrorSuccess) return;
  std::vector<char> buffer(longest + 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t length = static_cast<std::uint32_t>(buffer.size());
    if (registry.enumKey(key, i, buffer.data(), length) != settings::kErrorSuccess) continue;
    const std::string child(buffer.data(), length);
    settings::RegHandle sub = 0;
    if (registry.openKey(key, child, sub) != settings::kErrorSuccess) continue;
    collectKey(registry, sub, root, path.empty() ? child : path + "\\" + child, ops);
    registry.closeKey(sub);
  }
}

}  // namespace

std::string exportRegistry(settings::RegistryApi& registry) {
  std::vector<formats::RegOp> ops;
  for (settings::RegHandle root : {settings::kHkeyClassesRoot, settings::kHkeyCurrentUser,
                                   settings::kHkeyLocalMachine, settings::kHkeyUsers})
    collectKey(registry, root, static_cast<std::uint32_t>(root), "", ops);
  std::string out;
  for (char c : formats::writeRegedit4(ops))
    if (c != '\r') out += c;
  return out;
}

std::string dumpRegistry(settings::RegistryApi& registry) {
  std::string out;
  const std::pair<settings::RegHandle, const char*> roots[] = {
      {settings::kHkeyClassesRoot, "HKCR"}, {settings::kHkeyCurrentUser, "HKCU"},
      {settings::kHkeyLocalMachine, "HKLM"}, {settings::kHkeyUsers, "HKU"}};
  for (const auto& [root, name] : roots) dumpKey(registry, root, name, out);
  return out;
}

std::string dumpFiles(settings::MemoryFiles& files, const std::string& except) {
  std::string out;
  for (const std::string& path : files.list()) {
    if (!except.empty() && path.size() >= except.size() &&
        settings::equalsIgnoringCase(path.substr(0, except.size()), except))
      continue;
    out += path + " attributes " + std::to_string(files.getFileAttributes(path));
    if (auto bytes = files.readFile(path)) out += " bytes " + *bytes;
    out += "\n";
  }
  return out;
}

}  // namespace varnex::testing
