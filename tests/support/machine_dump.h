#pragma once
// A whole in-memory machine as text, one line per key, value and file, so that two states can
// be compared as a whole and a difference reads as the line that differs.
#include <string>
#include <vector>

#include "settings/memory/memory_machine.h"

namespace varnex::testing {

std::string dumpRegistry(settings::RegistryApi& registry);
// The whole registry as regedit would export it (LF line ends), for fixtures a person reads.
std::string exportRegistry(settings::RegistryApi& registry);
// Every file and folder with its attributes and bytes, but those at or below except.
std::string dumpFiles(settings::MemoryFiles& files, const std::string& except = "");
// The same, but the profile files named show each section's lines in name order: an entry that
// the profile functions write back goes to the end of its section, so there only the entries
// count, not their order.
std::string dumpFilesByEntry(settings::MemoryFiles& files, const std::vector<std::string>& profiles,
                             const std::string& except = "");
// The lines only one of two dumps has, marked "-" (only in before) and "+", at most a screenful.
std::string differences(const std::string& before, const std::string& after);

}  // namespace varnex::testing
