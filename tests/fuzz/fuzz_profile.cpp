// Profile text from anywhere: the reader either accepts it or names where it gave up, and what it
// accepts the writer writes back as text that reads as the same profile.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/formats/format_error.h"
#include "settings/formats/profile_file.h"

using namespace varnex::formats;

namespace {

bool hasControl(const std::string& s) {
  for (char c : s)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return true;
  return false;
}

bool sameText(const ProfileFile& a, const ProfileFile& b) {
  if (a.sections.size() != b.sections.size()) return false;
  for (std::size_t s = 0; s < a.sections.size(); ++s) {
    const ProfileSection &x = a.sections[s], &y = b.sections[s];
    if (x.name != y.name || x.entries.size() != y.entries.size()) return false;
    for (std::size_t e = 0; e < x.entries.size(); ++e)
      if (x.entries[e].name != y.entries[e].name || x.entries[e].value != y.entries[e].value) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ProfileFile profile;
  try {
    profile = parseProfile(text, "fuzz.ini");
  } catch (const FormatError& e) {
    const std::string message = e.what();
    if (message.rfind("fuzz.ini: line ", 0) != 0 && message.rfind("fuzz.ini: larger than ", 0) != 0) std::abort();
    return 0;
  }
  std::size_t lastLine = 0;
  for (const ProfileSection& section : profile.sections) {
    if (section.name.empty() || hasControl(section.name) || section.line <= lastLine) std::abort();
    lastLine = section.line;
    for (const ProfileEntry& entry : section.entries) {
      if (entry.name.empty() || hasControl(entry.name) || hasControl(entry.value) || entry.line <= lastLine)
        std::abort();
      if (entry.name.find('=') != std::string::npos) std::abort();
      lastLine = entry.line;
    }
  }
  // Whatever was read is written, and reads back the same.
  const std::string written = writeProfile(profile);
  if (!sameText(parseProfile(written, "written.ini"), profile)) std::abort();
  return 0;
}
