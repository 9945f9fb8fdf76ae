// Checks that a REGEDIT4 file imported by the system's regedit left the registry exactly as our
// fixture loader leaves the memory registry: same keys, same values, same types and bytes.
// Usage: regedit_agreement file.reg   (run after `regedit /S file.reg` in the same prefix)
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "settings/formats/regedit4.h"
#include "settings/memory/memory_machine.h"
#include "settings/win32/win32_backend.h"

using namespace varnex::settings;

namespace {

struct Value {
  bool exists = false;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
  bool operator==(const Value&) const = default;
};

Value query(RegistryApi& api, RegHandle root, const std::string& key, const std::string& name) {
  Value v;
  RegHandle h = 0;
  if (api.openKey(root, key, h) != kErrorSuccess) return v;
  std::uint32_t size = 0;
  if (api.queryValue(h, name, &v.type, nullptr, &size) == kErrorSuccess) {
    v.exists = true;
    v.bytes.resize(size);
    api.queryValue(h, name, &v.type, v.bytes.data(), &size);
    v.bytes.resize(size);
  }
  api.closeKey(h);
  return v;
}

bool keyExists(RegistryApi& api, RegHandle root, const std::string& key) {
  RegHandle h = 0;
  if (api.openKey(root, key, h) != kErrorSuccess) return false;
  api.closeKey(h);
  return true;
}

std::string readAll(const char* path) {
  std::string text;
  if (FILE* f = std::fopen(path, "rb")) {
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, got);
    std::fclose(f);
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: regedit_agreement file.reg\n");
    return 2;
  }
  std::string text = readAll(argv[1]);
  std::vector<varnex::formats::RegOp> ops = varnex::formats::parseRegedit4(text, argv[1]);
  MemoryMachine memory;
  memory.loadRegedit4(text, argv[1]);
  Win32Registry live;

  int differences = 0, checked = 0;
  std::set<std::string> seen;
  for (const auto& op : ops) {
    std::string id = std::to_string(op.root) + "\\" + op.keyPath + "\\" + op.valueName;
    if (!seen.insert(id).second) continue;
    ++checked;
    if (op.kind == varnex::formats::RegOp::Kind::CreateKey || op.kind == varnex::formats::RegOp::Kind::DeleteKey) {
      bool inMemory = keyExists(memory.registry, op.root, op.keyPath);
      bool inWine = keyExists(live, op.root, op.keyPath);
      if (inMemory != inWine) {
        std::printf("key %s: loader %s, regedit %s\n", op.keyPath.c_str(), inMemory ? "has it" : "has none",
                    inWine ? "has it" : "has none");
        ++differences;
      }
      continue;
    }
    Value a = query(memory.registry, op.root, op.keyPath, op.valueName);
    Value b = query(live, op.root, op.keyPath, op.valueName);
    if (!(a == b)) {
      std::printf("value %s\\%s: loader type %u (%u bytes, %s), regedit type %u (%u bytes, %s)\n",
                  op.keyPath.c_str(), op.valueName.c_str(), a.type, unsigned(a.bytes.size()),
                  a.exists ? "present" : "absent", b.type, unsigned(b.bytes.size()),
                  b.exists ? "present" : "absent");
      ++differences;
    }
  }
  std::printf("%d keys and values compared, %d differ\n", checked, differences);
  return differences == 0 && checked > 0 ? 0 : 1;
}
