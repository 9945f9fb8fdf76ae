#include "settings/memory/memory_machine.h"

#include "settings/formats/regedit4.h"
#include "settings/registry_store.h"
#include "settings/memory/ini_text.h"

namespace varnex::settings {

void MemoryMachine::loadIni(const std::string& path, const std::string& text,
                            const std::string& sourceName, std::uint32_t attributes) {
  validateIniText(text, sourceName);
  files.putFile(profiles.resolve(path), text, attributes);
}

void MemoryMachine::loadRegedit4(const std::string& text, const std::string& sourceName) {
  for (const formats::RegOp& op : formats::parseRegedit4(text, sourceName)) {
    RegHandle key = 0;
    switch (op.kind) {
      case formats::RegOp::Kind::DeleteKey: {
        RegistryStore store(registry);
        store.setRoot(op.root);
        store.deleteKey("\\" + op.keyPath);
        break;
      }
      case formats::RegOp::Kind::CreateKey:
        if (registry.createKey(op.root, op.keyPath, key) == kErrorSuccess) registry.closeKey(key);
        break;
      case formats::RegOp::Kind::SetValue:
        if (registry.createKey(op.root, op.keyPath, key) == kErrorSuccess) {
          registry.setValue(key, op.valueName, op.type, op.data.data(),
                            static_cast<std::uint32_t>(op.data.size()));
          registry.closeKey(key);
        }
        break;
      case formats::RegOp::Kind::DeleteValue:
        if (registry.openKey(op.root, op.keyPath, key) == kErrorSuccess) {
          registry.deleteValue(key, op.valueName);
          registry.closeKey(key);
        }
        break;
    }
  }
}

}  // namespace varnex::settings
