#pragma once
#include <string>

#include "settings/memory/memory_files.h"
#include "settings/memory/memory_profiles.h"
#include "settings/memory/memory_registry.h"
#include "settings/memory/memory_shell.h"

namespace varnex::settings {

// A whole Windows machine's stores in memory: registry, files, profile files and shortcuts.
struct MemoryMachine {
  MemoryRegistry registry;
  MemoryFiles files;
  MemoryProfiles profiles{files};
  MemoryShell shell{files};

  StoreApis apis() { return StoreApis{registry, profiles, files, shell}; }

  // Fixtures a person can read. Both throw std::runtime_error naming the source and line.
  void loadIni(const std::string& path, const std::string& text, const std::string& sourceName,
               std::uint32_t attributes = kAttrArchive);
  void loadRegedit4(const std::string& text, const std::string& sourceName);
};

}  // namespace varnex::settings
