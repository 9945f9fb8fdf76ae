#include "settings/memory/ini_text.h"

#include <stdexcept>

#include "settings/profile_store.h"

namespace varnex::settings {

namespace {

std::string trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  std::size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

IniText::Line IniText::parse(const std::string& raw) {
  Line line;
  line.raw = raw;
  std::string t = trim(raw);
  if (t.empty() || t[0] == ';') return line;
  if (t[0] == '[') {
    std::size_t close = t.find(']');
    line.kind = Line::Section;
    line.name = trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return line;
  }
  line.kind = Line::Entry;
  std::size_t eq = t.find('=');
  line.name = trim(t.substr(0, eq));
  if (eq != std::string::npos) line.value = trim(t.substr(eq + 1));
  return line;
}

IniText::IniText(const std::string& text) {
  for (const std::string& raw : splitLines(text)) lines_.push_back(parse(raw));
}

std::string IniText::text() const {
  std::string out;
  for (const Line& l : lines_) out += l.raw + "\r\n";
  return out;
}

std::size_t IniText::findSection(const std::string& section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Line::Section && equalsIgnoringCase(lines_[i].name, section)) return i;
  return std::string::npos;
}

std::size_t IniText::sectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Line::Section) ++i;
  return i;
}

std::size_t IniText::findEntry(std::size_t header, const std::string& entry) const {
  for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i)
    if (lines_[i].kind == Line::Entry && equalsIgnoringCase(lines_[i].name, entry)) return i;
  return std::string::npos;
}

std::optional<std::string> IniText::value(const std::string& section, const std::string& entry) const {
  std::size_t header = findSection(section);
  if (header == std::string::npos) return std::nullopt;
  std::size_t at = findEntry(header, entry);
  if (at == std::string::npos) return std::nullopt;
  std::string v = lines_[at].value;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}

std::optional<std::vector<std::string>> IniText::entryNames(const std::string& section) const {
  std::size_t header = findSection(section);
  if (header == std::string::npos) return std::nullopt;
  std::vector<std::string> names;
  for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i)
    if (lines_[i].kind == Line::Entry) names.push_back(lines_[i].name);
  return names;
}

void IniText::set(const std::string& section, const std::string& entry, const std::string& value) {
  std::size_t header = findSection(section);
  if (header == std::string::npos) {
    if (!lines_.empty() && !trim(lines_.back().raw).empty()) lines_.push_back(parse(""));
    lines_.push_back(parse("[" + section + "]"));
    lines_.push_back(parse(entry + "=" + value));
    return;
  }
  std::size_t at = findEntry(header, entry);
  if (at != std::string::npos) {
    lines_[at] = parse(lines_[at].name + "=" + value);
    return;
  }
  // New entries go after the section's last non-blank line, ahead of the blank lines that
  // separate it from the next section.
  std::size_t insert = sectionEnd(header);
  while (insert > header + 1 && trim(lines_[insert - 1].raw).empty()) --insert;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), parse(entry + "=" + value));
}

void IniText::remove(const std::string& section, const std::string& entry) {
  std::size_t header = findSection(section);
  if (header == std::string::npos) return;
  std::size_t at = findEntry(header, entry);
  if (at != std::string::npos) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
}

void validateIniText(const std::string& text, const std::string& sourceName) {
  bool inSection = false;
  std::size_t number = 0;
  for (const std::string& raw : splitLines(text)) {
    ++number;
    auto fail = [&](const std::string& why) {
      throw std::runtime_error(sourceName + ": line " + std::to_string(number) + ": " + why);
    };
    if (raw.find('\0') != std::string::npos) fail("NUL character in the text");
    std::string t = trim(raw);
    if (t.empty() || t[0] == ';') continue;
    if (t[0] == '[') {
      if (t.back() != ']') fail("section header without a closing ']'");
      if (trim(t.substr(1, t.size() - 2)).empty()) fail("empty section name");
      inSection = true;
      continue;
    }
    if (!inSection) fail("entry outside any [section]");
    std::size_t eq = t.find('=');
    if (eq == std::string::npos) fail("expected name=value");
    if (trim(t.substr(0, eq)).empty()) fail("entry without a name");
  }
}

}  // namespace varnex::settings
