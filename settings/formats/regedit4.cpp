#include "settings/formats/regedit4.h"

#include <array>
#include <cstddef>
#include <optional>

#include "settings/formats/format_error.h"

namespace varnex::formats {
namespace {

struct RootName {
    std::string_view longName;
    std::string_view shortName;
    std::uint32_t hkey;
};
constexpr std::array<RootName, 4> kRoots = {{
    {"HKEY_CLASSES_ROOT", "HKCR", kHkeyClassesRoot},
    {"HKEY_CURRENT_USER", "HKCU", kHkeyCurrentUser},
    {"HKEY_LOCAL_MACHINE", "HKLM", kHkeyLocalMachine},
    {"HKEY_USERS", "HKU", kHkeyUsers},
}};

bool isSpace(char c) { return c == ' ' || c == '\t'; }

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    return s;
}
std::string_view trim(std::string_view s) {
    s = trimLeft(s);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = upper(c);
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1..8 hex digits, the whole of `s`.
std::optional<std::uint32_t> parseHex32(std::string_view s) {
    if (s.empty() || s.size() > 8) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        v = v << 4 | static_cast<std::uint32_t>(d);
    }
    return v;
}

class Parser {
public:
    Parser(std::string_view text, const std::string& source) : text_(text), source_(source) {}

    std::vector<RegOp> run() {
        std::string_view line;
        bool header = false;
        while (nextLine(line)) {
            const std::string_view t = trim(line);
            if (!header) {
                if (t.empty()) continue;
                if (t != "REGEDIT4") fail("the file does not start with REGEDIT4");
                header = true;
                continue;
            }
            if (t.empty() || t.front() == ';') continue;
            if (t.front() == '[')
                keyLine(t);
            else if (t.front() == '"' || t.front() == '@')
                valueLine(t);
            else
                fail("unexpected text (neither a key, a value nor a comment)");
        }
        if (!header) fail("the file does not start with REGEDIT4");
        return std::move(ops_);
    }

private:
    [[noreturn]] void fail(const std::string& what) const { throw FormatError::atLine(source_, lineNo_, what); }

    bool nextLine(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t nl = text_.find('\n', pos_);
        const std::size_t end = nl == std::string_view::npos ? text_.size() : nl;
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lineNo_ == 0 && line.size() >= 3 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        pos_ = end == text_.size() ? end : end + 1;
        ++lineNo_;
        return true;
    }

    void keyLine(std::string_view t) {
        if (t.back() != ']') fail("key line has no closing ']'");
        std::string_view path = t.substr(1, t.size() - 2);
        const bool remove = !path.empty() && path.front() == '-';
        if (remove) path.remove_prefix(1);
        const std::size_t slash = path.find('\\');
        const std::string_view rootName = path.substr(0, slash);
        const RootName* root = nullptr;
        for (const RootName& r : kRoots)
            if (equalsNoCase(rootName, r.longName) || equalsNoCase(rootName, r.shortName)) root = &r;
        if (!root) fail("unknown root key '" + std::string(rootName) + "'");
        std::string_view rest = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
        if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);  // "[HKCU\Software\]" names Software
        if (slash != std::string_view::npos && rest.empty()) fail("key path is empty after the root");
        if (!rest.empty() && (rest.front() == '\\' || rest.back() == '\\' || rest.find("\\\\") != std::string_view::npos))
            fail("key path has an empty component");
        if (remove && rest.empty()) fail("a root key cannot be deleted");

        RegOp op;
        op.kind = remove ? RegOp::Kind::DeleteKey : RegOp::Kind::CreateKey;
        op.root = root->hkey;
        op.keyPath = std::string(rest);
        ops_.push_back(op);
        if (remove) {
            currentKey_.reset();
        } else {
            currentKey_ = op;
        }
    }

    // A quoted string starting at s[0] == '"'; leaves `s` after the closing quote.
    std::string quoted(std::string_view& s, const char* what) const {
        std::string out;
        std::size_t i = 1;
        for (;; ++i) {
            if (i >= s.size()) fail(std::string("unterminated ") + what);
            const char c = s[i];
            if (c == '"') break;
            if (c == '\\') {
                if (i + 1 >= s.size()) fail(std::string("unterminated ") + what);
                const char e = s[++i];
                if (e != '\\' && e != '"') fail(std::string("bad escape '\\") + e + "' in " + what);
                out += e;
            } else {
                out += c;
            }
        }
        s.remove_prefix(i + 1);
        return out;
    }

    void valueLine(std::string_view t) {
        if (!currentKey_) fail("value line outside any key");
        RegOp op;
        op.root = currentKey_->root;
        op.keyPath = currentKey_->keyPath;
        std::string_view rest = t;
        if (rest.front() == '@') {
            rest.remove_prefix(1);
        } else {
            op.valueName = quoted(rest, "value name");
            if (op.valueName.empty()) fail("empty value name (use @ for the unnamed value)");
        }
        rest = trimLeft(rest);
        if (rest.empty() || rest.front() != '=') fail("expected '=' after the value name");
        rest = trim(rest.substr(1));

        if (rest == "-") {
            op.kind = RegOp::Kind::DeleteValue;
        } else if (!rest.empty() && rest.front() == '"') {
            op.kind = RegOp::Kind::SetValue;
            op.type = kRegSz;
            const std::string s = quoted(rest, "string");
            if (!trim(rest).empty()) fail("unexpected text after the string");
            op.data.assign(s.begin(), s.end());
            op.data.push_back(0);
        } else if (startsWithNoCase(rest, "dword:")) {
            op.kind = RegOp::Kind::SetValue;
            op.type = kRegDword;
            const auto v = parseHex32(trim(rest.substr(6)));
            if (!v) fail("bad dword '" + std::string(rest.substr(6)) + "' (expected 1 to 8 hex digits)");
            for (int s = 0; s < 32; s += 8) op.data.push_back(static_cast<std::uint8_t>(*v >> s));
        } else if (startsWithNoCase(rest, "hex")) {
            op.kind = RegOp::Kind::SetValue;
            rest.remove_prefix(3);
            op.type = kRegBinary;
            if (!rest.empty() && rest.front() == '(') {
                const std::size_t close = rest.find(')');
                if (close == std::string_view::npos) fail("hex( has no closing ')'");
                const auto type = parseHex32(rest.substr(1, close - 1));
                if (!type) fail("bad value type '" + std::string(rest.substr(1, close - 1)) + "' in hex(...)");
                op.type = *type;
                rest.remove_prefix(close + 1);
            }
            if (rest.empty() || rest.front() != ':') fail("expected ':' after hex");
            hexBytes(rest.substr(1), op.data);
        } else {
            fail("unrecognised value data '" + std::string(rest) + "'");
        }
        ops_.push_back(std::move(op));
    }

    // Comma-separated bytes; a trailing backslash continues the list on the next line.
    void hexBytes(std::string_view s, std::vector<std::uint8_t>& out) {
        for (;;) {
            s = trim(s);
            bool more = false;
            if (!s.empty() && s.back() == '\\') {
                more = true;
                s = trim(s.substr(0, s.size() - 1));
            }
            bool expectByte = !s.empty();
            while (expectByte) {
                const std::size_t comma = s.find(',');
                const std::string_view item = trim(s.substr(0, comma));
                if (item.empty() && comma == std::string_view::npos && more) break;  // "..,\" continuation
                if (item.empty() || item.size() > 2 || hexDigit(item[0]) < 0 ||
                    (item.size() == 2 && hexDigit(item[1]) < 0))
                    fail("bad hex byte '" + std::string(item) + "'");
                out.push_back(static_cast<std::uint8_t>(*parseHex32(item)));
                if (comma == std::string_view::npos) break;
                s = s.substr(comma + 1);
                expectByte = !trim(s).empty() || !more;
                if (!expectByte) break;
            }
            if (!more) return;
            std::string_view next;
            if (!nextLine(next)) fail("hex list continues past the end of the file");
            s = next;
        }
    }

    std::string_view text_;
    const std::string& source_;
    std::size_t pos_ = 0;
    std::size_t lineNo_ = 0;
    std::optional<RegOp> currentKey_;
    std::vector<RegOp> ops_;
};

}  // namespace

std::vector<RegOp> parseRegedit4(std::string_view text, const std::string& sourceName) {
    return Parser(text, sourceName).run();
}

}  // namespace varnex::formats
