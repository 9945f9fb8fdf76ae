#include "settings/memory/ini_text.h"

#include <stdexcept>
#include <string_view>

#include "settings/profile_store.h"

namespace varnex::settings {

namespace {

// Views, not copies: every profile read in the memory stores parses the whole file again.
std::string_view trim(std::string_view s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  std::size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

// Calls each(line) for every line of the text, without its CR LF or LF.
template <typename Each>
void forEachLine(std::string_view text, Each each) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    each(line);
    start = end + 1;
  }
}

}  // namespace

IniText::LineView IniText::classify(std::string_view raw) {
  LineView line;
  std::string_view t = trim(raw);
  if (t.empty() || t[0] == ';') return line;
  if (t[0] == '[') {
    std::size_t close = t.find(']');
    line.kind = Section;
    line.name = trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return line;
  }
  line.kind = Entry;
  std::size_t eq = t.find('=');
  line.name = trim(t.substr(0, eq));
  if (eq != std::string_view::npos) line.value = trim(t.substr(eq + 1));
  return line;
}

IniText::Line IniText::parse(std::string_view raw) {
  LineView view = classify(raw);
  return Line{std::string(raw), view.kind, std::string(view.name), std::string(view.value)};
}

template <typename Each>
bool IniText::forEachInSection(std::string_view text, std::string_view section, Each each) {
  bool found = false, inSection = false, done = false;
  forEachLine(text, [&](std::string_view raw) {
    if (done) return;
    LineView line = classify(raw);
    if (line.kind == Section) {
      if (inSection) done = true;  // only the first matching section counts
      else found = inSection = equalsIgnoringCase(line.name, section);
    } else if (inSection && line.kind == Entry && !each(line)) {
      done = true;
    }
  });
  return found;
}

std::optional<std::string> IniText::valueIn(std::string_view text, std::string_view section,
                                            std::string_view entry) {
  std::optional<std::string> found;
  forEachInSection(text, section, [&](const LineView& line) {
    if (!equalsIgnoringCase(line.name, entry)) return true;
    std::string_view v = line.value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
      v = v.substr(1, v.size() - 2);
    found = std::string(v);
    return false;
  });
  return found;
}

std::optional<std::vector<std::string>> IniText::entryNamesIn(std::string_view text, std::string_view section) {
  std::vector<std::string> names;
  bool found = forEachInSection(text, section, [&](const LineView& line) {
    names.emplace_back(line.name);
    return true;
  });
  if (!found) return std::nullopt;
  return names;
}

IniText::IniText(const std::string& text) {
  forEachLine(text, [this](std::string_view raw) { lines_.push_back(parse(raw)); });
}

std::string IniText::text() const {
  std::size_t size = 0;
  for (const Line& l : lines_) size += l.raw.size() + 2;
  std::string out;
  out.reserve(size);
  for (const Line& l : lines_) out.append(l.raw).append("\r\n");
  return out;
}

std::size_t IniText::findSection(const std::string& section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Section && equalsIgnoringCase(lines_[i].name, section)) return i;
  return std::string::npos;
}

std::size_t IniText::sectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Section) ++i;
  return i;
}

std::size_t IniText::findEntry(std::size_t header, const std::string& entry) const {
  for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i)
    if (lines_[i].kind == Entry && equalsIgnoringCase(lines_[i].name, entry)) return i;
  return std::string::npos;
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
  forEachLine(text, [&](std::string_view raw) {
    ++number;
    auto fail = [&](const char* why) {
      throw std::runtime_error(sourceName + ": line " + std::to_string(number) + ": " + why);
    };
    if (raw.find('\0') != std::string_view::npos) fail("NUL character in the text");
    std::string_view t = trim(raw);
    if (t.empty() || t[0] == ';') return;
    if (t[0] == '[') {
      if (t.back() != ']') fail("section header without a closing ']'");
      if (trim(t.substr(1, t.size() - 2)).empty()) fail("empty section name");
      inSection = true;
      return;
    }
    if (!inSection) fail("entry outside any [section]");
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) fail("expected name=value");
    if (trim(t.substr(0, eq)).empty()) fail("entry without a name");
  });
}

}  // namespace varnex::settings
