#include "settings/backup/journal_format.h"

#include <array>
#include <charconv>

#include "base/number_text.h"
#include "settings/profile_store.h"

namespace varnex::settings {

namespace {

// --- checksum ---------------------------------------------------------------------------------

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = makeCrcTable();

std::uint32_t crc32(std::string_view text) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : text) c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string hex8(std::uint32_t v) { return hex(v, 8); }

// --- writing ----------------------------------------------------------------------------------

std::string rootName(RegHandle root) {
  for (const RootName& r : kRootNames)
    if (r.root == root) return r.name;
  return "HK" + hex8(static_cast<std::uint32_t>(root));  // never a root the stores use; reads as damage
}

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '%' || c == '"' || c < 0x20 || c == 0x7F) {
      out += '%';
      out += hex(c, 2, true);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

bool isCString(const std::vector<std::uint8_t>& d) {
  if (d.empty() || d.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < d.size(); ++i)
    if (d[i] == 0) return false;
  return true;
}

std::string valueText(const std::optional<RegValue>& value) {
  if (!value) return "none";
  const std::vector<std::uint8_t>& d = value->data;
  if ((value->type == kRegSz || value->type == kRegExpandSz) && isCString(d))
    return (value->type == kRegSz ? "sz:" : "expand:") + quoted(std::string_view(reinterpret_cast<const char*>(d.data()), d.size() - 1));
  if (value->type == kRegDword && d.size() == 4)
    return "dword:" + hex8(d[0] | d[1] << 8 | d[2] << 16 | std::uint32_t{d[3]} << 24);
  return "hex(" + std::to_string(value->type) + "):" + hexBytes(d);
}

std::string entryText(const std::optional<std::string>& text) { return text ? quoted(*text) : "none"; }

void snapshotText(const KeySnapshot& key, std::size_t rootLength, std::string& out) {
  if (key.path.size() > rootLength) out += " subkey " + quoted(std::string_view(key.path).substr(rootLength + 1));
  for (const auto& [name, value] : key.values) out += " value " + quoted(name) + " " + valueText(value);
  for (const KeySnapshot& sub : key.subkeys) snapshotText(sub, rootLength, out);
}

std::string body(const Change& change) {
  if (const auto* r = std::get_if<RegistryChange>(&change)) {
    const std::string at = rootName(r->root) + " " + quoted(r->key);
    switch (r->kind) {
      case RegistryChange::Kind::Value:
        return "value " + at + " " + quoted(r->name) + " " + valueText(r->before) + " " + valueText(r->after);
      case RegistryChange::Kind::KeyCreated:
        return "key-made " + at;
      case RegistryChange::Kind::KeyDeleted: {
        std::string out = "key-deleted " + rootName(r->root) + " " + quoted(r->deleted.path);
        snapshotText(r->deleted, r->deleted.path.size(), out);
        return out;
      }
    }
  }
  if (const auto* p = std::get_if<ProfileChange>(&change))
    return "entry " + quoted(p->file) + " " + quoted(p->section) + " " + quoted(p->entry) + " " +
           entryText(p->before) + " " + entryText(p->after);
  const FileChange& f = std::get<FileChange>(change);
  const std::string path = quoted(f.path);
  switch (f.kind) {
    case FileChange::Kind::FileCreated: return "file-made " + path;
    case FileChange::Kind::FileReplaced: return "file-replaced " + path + " " + quoted(f.copy);
    case FileChange::Kind::FileDeleted:
      return "file-deleted " + path + " " + quoted(f.copy) + " " + std::to_string(f.attributesBefore);
    case FileChange::Kind::FolderCreated: return "folder-made " + path;
    case FileChange::Kind::FolderRemoved: return "folder-removed " + path + " " + std::to_string(f.attributesBefore);
    case FileChange::Kind::AttributesChanged:
      return "attributes " + path + " " + std::to_string(f.attributesBefore) + " " + std::to_string(f.attributesAfter);
  }
  return "";
}

std::string numbered(unsigned number, const std::string& text) {
  const std::string line = std::to_string(number) + " " + text;
  return line + " #" + hex8(crc32(line)) + "\r\n";
}

// --- reading ----------------------------------------------------------------------------------

// The fields of one line's body, separated by single spaces; false on the first thing that does
// not fit, so a caller reads "f.word(kind) && f.quoted(path) && f.end()".
class Fields {
 public:
  explicit Fields(std::string_view text) : text_(text) {}

  bool end() const { return pos_ == text_.size(); }
  // The next field up to its space; a field may hold quoted text with spaces ("sz:"a b"").
  bool next(std::string_view& field) {
    if (end()) return false;
    if (pos_ > 0) {
      if (text_[pos_] != ' ') return false;
      ++pos_;
    }
    const std::size_t start = pos_;
    bool inQuotes = false;
    while (pos_ < text_.size() && (inQuotes || text_[pos_] != ' ')) {
      if (text_[pos_] == '"') inQuotes = !inQuotes;
      ++pos_;
    }
    if (inQuotes || pos_ == start) return false;
    field = text_.substr(start, pos_ - start);
    return true;
  }
  bool word(std::string_view& out) { return next(out); }
  bool quoted(std::string& out) {
    std::string_view field;
    return next(field) && unquote(field, out);
  }
  bool number(std::uint32_t& out) {
    std::string_view field;
    return next(field) && decimal(field, out);
  }
  bool text(std::optional<std::string>& out) {
    std::string_view field;
    if (!next(field)) return false;
    if (field == "none") {
      out.reset();
      return true;
    }
    std::string t;
    if (!unquote(field, t)) return false;
    out = std::move(t);
    return true;
  }
  bool value(std::optional<RegValue>& out) {
    std::string_view field;
    return next(field) && regValue(field, out);
  }

  static bool decimal(std::string_view field, std::uint32_t& out) {
    if (field.empty() || field.size() > 10 || (field.size() > 1 && field[0] == '0')) return false;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), out);
    return error == std::errc() && end == field.data() + field.size();
  }

 private:
  static int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  static bool hexByte(std::string_view two, std::uint8_t& out) {
    if (two.size() != 2 || hexDigit(two[0]) < 0 || hexDigit(two[1]) < 0) return false;
    out = static_cast<std::uint8_t>(hexDigit(two[0]) * 16 + hexDigit(two[1]));
    return true;
  }
  static bool unquote(std::string_view field, std::string& out) {
    if (field.size() < 2 || field.front() != '"' || field.back() != '"') return false;
    field = field.substr(1, field.size() - 2);
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(field[i]);
      if (c == '"' || c < 0x20 || c == 0x7F) return false;
      if (c != '%') {
        out += static_cast<char>(c);
        continue;
      }
      std::uint8_t b = 0;
      if (!hexByte(field.substr(i + 1, 2), b)) return false;
      out += static_cast<char>(b);
      i += 2;
    }
    return true;
  }
  static bool regValue(std::string_view field, std::optional<RegValue>& out) {
    if (field == "none") {
      out.reset();
      return true;
    }
    RegValue v;
    std::string text;
    for (const auto& [prefix, type] : {std::pair<std::string_view, std::uint32_t>{"sz:", kRegSz}, {"expand:", kRegExpandSz}}) {
      if (field.substr(0, prefix.size()) != prefix) continue;
      if (!unquote(field.substr(prefix.size()), text)) return false;
      v.type = type;
      v.data.assign(text.begin(), text.end());
      v.data.push_back(0);
      out = std::move(v);
      return true;
    }
    if (field.substr(0, 6) == "dword:") {
      const std::string_view digits = field.substr(6);
      if (digits.size() != 8) return false;
      std::uint32_t n = 0;
      for (char c : digits) {
        if (hexDigit(c) < 0) return false;
        n = n << 4 | static_cast<std::uint32_t>(hexDigit(c));
      }
      v.type = kRegDword;
      v.data = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
                static_cast<std::uint8_t>(n >> 24)};
      out = std::move(v);
      return true;
    }
    if (field.substr(0, 4) != "hex(") return false;
    const std::size_t close = field.find("):");
    if (close == std::string_view::npos || !decimal(field.substr(4, close - 4), v.type)) return false;
    std::string_view bytes = field.substr(close + 2);
    while (!bytes.empty()) {
      std::uint8_t b = 0;
      if (!hexByte(bytes.substr(0, 2), b)) return false;
      v.data.push_back(b);
      bytes.remove_prefix(2);
      if (bytes.empty()) break;
      if (bytes[0] != ',' || bytes.size() == 1) return false;
      bytes.remove_prefix(1);
    }
    out = std::move(v);
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool root(Fields& f, RegHandle& out) {
  std::string_view name;
  if (!f.word(name)) return false;
  for (const RootName& r : kRootNames)
    if (name == r.name) {
      out = r.root;
      return true;
    }
  return false;
}

// A key path as the stores give it: no empty part, no leading or trailing backslash.
bool wellFormedPath(const std::string& path) {
  if (path.empty()) return true;
  if (path.front() == '\\' || path.back() == '\\') return false;
  return path.find("\\\\") == std::string::npos;
}

KeySnapshot* findSubkey(KeySnapshot& key, const std::string& path) {
  if (sameRegistryName(key.path, path)) return &key;
  for (KeySnapshot& sub : key.subkeys)
    if (keyAtOrBelow(path, sub.path)) return findSubkey(sub, path);
  return nullptr;
}

bool snapshot(Fields& f, KeySnapshot& out) {
  KeySnapshot* current = &out;
  std::string_view marker;
  while (!f.end()) {
    if (!f.word(marker)) return false;
    if (marker == "value") {
      std::string name;
      std::optional<RegValue> value;
      if (!f.quoted(name) || !f.value(value) || !value) return false;
      current->values.emplace_back(std::move(name), std::move(*value));
      continue;
    }
    if (marker != "subkey") return false;
    std::string relative;
    if (!f.quoted(relative) || relative.empty() || !wellFormedPath(relative)) return false;
    const std::string path = out.path.empty() ? relative : out.path + "\\" + relative;
    const std::size_t cut = path.find_last_of('\\');
    KeySnapshot* parent = cut == std::string::npos ? nullptr : findSubkey(out, path.substr(0, cut));
    // Parents come before their subkeys, and no subkey comes twice.
    if (!parent || findSubkey(out, path) != nullptr) return false;
    parent->subkeys.push_back(KeySnapshot{path, {}, {}});
    current = &parent->subkeys.back();
  }
  return true;
}

bool fileChange(std::string_view kind, Fields& f, FileChange& out) {
  struct Shape {
    std::string_view word;
    FileChange::Kind kind;
    bool copy, before, after;
  };
  static const Shape kShapes[] = {
      {"file-made", FileChange::Kind::FileCreated, false, false, false},
      {"file-replaced", FileChange::Kind::FileReplaced, true, false, false},
      {"file-deleted", FileChange::Kind::FileDeleted, true, true, false},
      {"folder-made", FileChange::Kind::FolderCreated, false, false, false},
      {"folder-removed", FileChange::Kind::FolderRemoved, false, true, false},
      {"attributes", FileChange::Kind::AttributesChanged, false, true, true},
  };
  for (const Shape& shape : kShapes) {
    if (kind != shape.word) continue;
    out.kind = shape.kind;
    return f.quoted(out.path) && !out.path.empty() && (!shape.copy || (f.quoted(out.copy) && !out.copy.empty())) &&
           (!shape.before || f.number(out.attributesBefore)) && (!shape.after || f.number(out.attributesAfter));
  }
  return false;
}

// A change line's body, after its number.
bool change(Fields& f, Change& out) {
  std::string_view kind;
  if (!f.word(kind)) return false;
  if (kind == "value" || kind == "key-made" || kind == "key-deleted") {
    RegistryChange r;
    if (!root(f, r.root) || !f.quoted(r.key) || !wellFormedPath(r.key)) return false;
    if (kind == "value") {
      r.kind = RegistryChange::Kind::Value;
      if (!f.quoted(r.name) || !f.value(r.before) || !f.value(r.after)) return false;
    } else if (kind == "key-made") {
      r.kind = RegistryChange::Kind::KeyCreated;
      if (r.key.empty()) return false;
    } else {
      r.kind = RegistryChange::Kind::KeyDeleted;
      r.deleted.path = r.key;
      if (r.key.empty() || !snapshot(f, r.deleted)) return false;
    }
    out = std::move(r);
    return f.end();
  }
  if (kind == "entry") {
    ProfileChange p;
    if (!f.quoted(p.file) || p.file.empty() || !f.quoted(p.section) || !f.quoted(p.entry) || !f.text(p.before) ||
        !f.text(p.after))
      return false;
    out = std::move(p);
    return f.end();
  }
  FileChange file;
  if (!fileChange(kind, f, file)) return false;
  out = std::move(file);
  return f.end();
}

}  // namespace

std::string journalHeaderLine() { return kJournalHeader + "\r\n"; }
std::string journalLine(unsigned number, const Change& change) { return numbered(number, body(change)); }
std::string notMadeLine(unsigned number) { return numbered(number, "not-made"); }
std::string endLine(unsigned number) { return numbered(number, "end"); }

JournalReading readJournal(std::string_view text) {
  JournalReading reading;
  const std::string header = journalHeaderLine();
  if (text.size() < header.size() && header.substr(0, text.size()) == text) {
    reading.cut = !text.empty();  // stopped while the header was written: nothing was changed
    return reading;
  }
  auto damaged = [&reading](std::size_t line, const std::string& why) {
    reading.changes.clear();
    reading.damage = "line " + std::to_string(line) + ": " + why;
    return reading;
  };
  if (text.substr(0, header.size()) != header) return damaged(1, "not a journal of Varnex 2000");

  struct Line {
    std::string_view text;
    bool whole;  // ended by CR LF
  };
  std::vector<Line> lines;
  for (std::size_t pos = header.size(); pos < text.size();) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string_view::npos) {
      lines.push_back({text.substr(pos), false});
      break;
    }
    lines.push_back({text.substr(pos, end - pos), true});
    pos = end + 2;
  }

  // Whether a line is whole and its checksum fits; only then are its number and body read.
  auto sound = [](const Line& line) {
    if (!line.whole || line.text.size() < 11) return false;
    const std::string_view sum = line.text.substr(line.text.size() - 10);
    return sum.substr(0, 2) == " #" && hex8(crc32(line.text.substr(0, line.text.size() - 10))) == sum.substr(2);
  };

  bool lastWasChange = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t lineNumber = i + 2;
    if (reading.ended) return damaged(lineNumber, "text after the end of the pass");
    if (!sound(lines[i])) {
      // Only the record being written when the pass stopped may be cut, with whatever a cut
      // write left after it; a sound line after it means lines were spoilt.
      for (std::size_t j = i + 1; j < lines.size(); ++j)
        if (sound(lines[j])) return damaged(lineNumber, "the line is spoilt");
      reading.cut = true;
      return reading;
    }
    const std::string_view content = lines[i].text.substr(0, lines[i].text.size() - 10);
    const std::size_t space = content.find(' ');
    std::uint32_t number = 0;
    if (space == std::string_view::npos || !Fields::decimal(content.substr(0, space), number))
      return damaged(lineNumber, "no line number");
    if (number != i + 1) return damaged(lineNumber, "lines are missing before it");
    const std::string_view rest = content.substr(space + 1);
    if (rest == "not-made") {
      if (!lastWasChange) return damaged(lineNumber, "\"not-made\" without a change before it");
      reading.changes.pop_back();
      lastWasChange = false;
    } else if (rest == "end") {
      reading.ended = true;
      lastWasChange = false;
    } else {
      Change made;
      Fields fields(rest);
      if (!change(fields, made)) return damaged(lineNumber, "not a change this program writes");
      reading.changes.push_back(std::move(made));
      lastWasChange = true;
    }
  }
  return reading;
}

}  // namespace varnex::settings
