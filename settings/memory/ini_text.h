#pragma once
#include <optional>
#include <string>
#include <vector>

namespace varnex::settings {

// A profile file as lines, read and changed the way the profile functions do: section and entry
// names ignoring case, the first matching section wins, untouched lines kept as they were.
class IniText {
 public:
  explicit IniText(const std::string& text);
  std::string text() const;  // lines joined with CR LF

  // The entry's value with surrounding blanks and one pair of matching quotes removed;
  // nullopt when the section or entry is absent.
  std::optional<std::string> value(const std::string& section, const std::string& entry) const;
  // nullopt when the section is absent.
  std::optional<std::vector<std::string>> entryNames(const std::string& section) const;
  void set(const std::string& section, const std::string& entry, const std::string& value);
  void remove(const std::string& section, const std::string& entry);

 private:
  struct Line {
    std::string raw;
    enum Kind { Other, Section, Entry } kind = Other;
    std::string name;  // section or entry name, trimmed
    std::string value;
  };
  static Line parse(const std::string& raw);
  // Index of the section header line, or npos.
  std::size_t findSection(const std::string& section) const;
  // Index past the section's last line (the next header or the end).
  std::size_t sectionEnd(std::size_t header) const;
  std::size_t findEntry(std::size_t header, const std::string& entry) const;

  std::vector<Line> lines_;
};

// Fixture check: every line a blank, a ';' comment, a [section] header or a name=value entry
// inside a section. Throws std::runtime_error "name: line N: ..." otherwise.
void validateIniText(const std::string& text, const std::string& sourceName);

}  // namespace varnex::settings
