#include "settings/profile_store.h"

#include <vector>

#include "settings/store_error.h"

namespace varnex::settings {

namespace {
constexpr std::uint32_t kTextBuffer = 2048;
constexpr std::uint32_t kNamesBuffer = 16384;

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

std::string upperCase(std::string text) {
  for (char& c : text) c = upper(c);
  return text;
}

std::string ProfileStore::readText(const std::string& section, const std::string& entry,
                                   const std::string& defaultText) {
  std::vector<char> buffer(kTextBuffer, '\0');
  std::uint32_t length = api_.getString(section, &entry, defaultText, buffer.data(), kTextBuffer, file_);
  if (length >= kTextBuffer) length = kTextBuffer - 1;
  return std::string(buffer.data(), length);
}

std::vector<std::string> ProfileStore::entryNames(const std::string& section) {
  std::vector<char> buffer(kNamesBuffer, '\0');
  std::uint32_t length = api_.getString(section, nullptr, "", buffer.data(), kNamesBuffer, file_);
  if (length >= kNamesBuffer) length = kNamesBuffer - 1;
  std::vector<std::string> names;
  std::size_t start = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (buffer[i] != '\0') continue;
    if (i > start) names.emplace_back(buffer.data() + start, i - start);
    start = i + 1;
  }
  if (start < length) names.emplace_back(buffer.data() + start, length - start);
  return names;
}

bool ProfileStore::entryExists(const std::string& section, const std::string& entry) {
  for (const std::string& name : entryNames(section))
    if (equalsIgnoringCase(name, entry)) return true;
  return false;
}

namespace {
// A line break would end the line early and start another, or a section, in the file.
bool breaksLines(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }
}  // namespace

void ProfileStore::writeText(const std::string& section, const std::string& entry,
                             const std::string& value) {
  if (breaksLines(section) || breaksLines(entry) || breaksLines(value) ||
      !api_.writeString(section, entry, &value, file_))
    throw StoreError(unableToWriteTo(file_));
}

void ProfileStore::deleteEntry(const std::string& section, const std::string& entry) {
  if (breaksLines(section) || breaksLines(entry)) return;  // no such entry can exist
  api_.writeString(section, entry, nullptr, file_);
}

}  // namespace varnex::settings
