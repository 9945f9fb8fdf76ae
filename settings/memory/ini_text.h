#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnex::settings {

// A profile file as lines, read and changed the way the profile functions do: section and entry
// names ignoring case, the first matching section wins, untouched lines kept as they were.
class IniText {
 public:
  explicit IniText(const std::string& text);
  std::string text() const;  // lines joined with CR LF

  // Reads straight from the text, without building the lines: the entry's value with
  // surrounding blanks and one pair of matching quotes removed, nullopt when the section or
  // entry is absent.
  static std::optional<std::string> valueIn(std::string_view text, std::string_view section,
                                            std::string_view entry);
  // nullopt when the section is absent.
  static std::optional<std::vector<std::string>> entryNamesIn(std::string_view text, std::string_view section);
  void set(const std::string& section, const std::string& entry, const std::string& value);
  void remove(const std::string& section, const std::string& entry);

 private:
  enum Kind { Other, Section, Entry };
  struct LineView {
    Kind kind = Other;
    std::string_view name;  // section or entry name, trimmed
    std::string_view value;
  };
  struct Line {
    std::string raw;
    Kind kind = Other;
    std::string name;
    std::string value;
  };
  static LineView classify(std::string_view raw);
  static Line parse(std::string_view raw);
  // Calls each(LineView) for the entries of the first section of that name while it returns
  // true; false when there is no such section.
  template <typename Each>
  static bool forEachInSection(std::string_view text, std::string_view section, Each each);
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
