#pragma once
// A whole in-memory machine as text, one line per key, value and file, so that two states can
// be compared as a whole and a difference reads as the line that differs.
#include <string>

#include "settings/memory/memory_machine.h"

namespace varnex::testing {

std::string dumpRegistry(settings::RegistryApi& registry);
// The whole registry as regedit would export it (LF line ends), for fixtures a person reads.
std::string exportRegistry(settings::RegistryApi& registry);
// Every file and folder with its attributes and bytes, but those at or below except.
std::string dumpFiles(settings::MemoryFiles& files, const std::string& except = "");

}  // namespace varnex::testing
