#include "settings/formats/profile_file.h"

#include <charconv>
#include <optional>

#include "base/error.h"
#include "settings/formats/format_error.h"

namespace varnex::formats {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isSpace(char c) { return c == ' ' || c == '\t'; }

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

bool quoted(std::string_view s) { return s.size() >= 2 && s.front() == '"' && s.back() == '"'; }

std::optional<char> controlIn(std::string_view s) {
    for (char c : s)
        if (isControl(c)) return c;
    return std::nullopt;
}

std::string hexByte(char c) {
    const char* digits = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    return {'0', 'x', digits[byte >> 4], digits[byte & 15]};
}

// A line quoted in a message: short, so that a message box or a log line stays readable.
std::string excerpt(std::string_view line) {
    constexpr std::size_t kShown = 40;
    return "\"" + std::string(line.substr(0, kShown)) + (line.size() > kShown ? "...\"" : "\"");
}

class Reader {
public:
    Reader(std::string_view text, const std::string& source) : text_(text), source_(source) {}

    ProfileFile read() {
        if (text_.size() > kMaxProfileBytes)
            throw FormatError(source_ + ": larger than " + std::to_string(kMaxProfileBytes / 1024) +
                              " KB, which no profile is");
        if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) text_.remove_prefix(kByteOrderMark.size());
        std::size_t number = 0;
        while (!text_.empty()) {
            const std::size_t end = text_.find('\n');
            std::string_view line = text_.substr(0, end);
            text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            readLine(++number, line);
        }
        finishHeader();
        if (!headerLine_) fail(1, "a profile begins with [" + std::string(kProfileHeader) + "]");
        return std::move(profile_);
    }

private:
    [[noreturn]] void fail(std::size_t line, const std::string& what) const {
        throw FormatError::atLine(source_, line, what);
    }

    void readLine(std::size_t number, std::string_view line) {
        if (auto c = controlIn(line)) fail(number, "holds the control character " + hexByte(*c));
        const std::string_view trimmed = trim(line);
        if (trimmed.empty() || trimmed.front() == ';') return;
        if (trimmed.front() == '[') return beginSection(number, trimmed);
        const std::size_t equals = trimmed.find('=');
        if (equals == std::string_view::npos) fail(number, excerpt(trimmed) + " is not name=value");
        const std::string_view name = trim(trimmed.substr(0, equals));
        std::string_view value = trim(trimmed.substr(equals + 1));
        if (name.empty()) fail(number, excerpt(trimmed) + " has no name before '='");
        if (quoted(value)) value = value.substr(1, value.size() - 2);
        if (!headerLine_) fail(number, "a profile begins with [" + std::string(kProfileHeader) + "]");
        if (inHeader_) return headerEntry(number, name, value);
        ProfileSection& section = profile_.sections.back();
        for (const ProfileEntry& earlier : section.entries)
            if (sameProfileName(earlier.name, name))
                fail(number, "\"" + std::string(name) + "\" is already named on line " + std::to_string(earlier.line));
        section.entries.push_back({number, std::string(name), std::string(value), false});
    }

    void beginSection(std::size_t number, std::string_view trimmed) {
        if (trimmed.back() != ']') fail(number, excerpt(trimmed) + " is not a section: it does not end with ']'");
        const std::string_view name = trim(trimmed.substr(1, trimmed.size() - 2));
        if (name.empty()) fail(number, "a section needs a name between '[' and ']'");
        finishHeader();
        if (!headerLine_) {
            if (!sameProfileName(name, kProfileHeader))
                fail(number, "a profile begins with [" + std::string(kProfileHeader) + "]");
            headerLine_ = number;
            inHeader_ = true;
            return;
        }
        if (sameProfileName(name, kProfileHeader))
            fail(number, "[" + std::string(name) + "] was already begun on line " + std::to_string(headerLine_));
        for (const ProfileSection& earlier : profile_.sections)
            if (sameProfileName(earlier.name, name))
                fail(number, "[" + std::string(name) + "] was already begun on line " + std::to_string(earlier.line));
        profile_.sections.push_back({number, std::string(name), {}});
    }

    void headerEntry(std::size_t number, std::string_view name, std::string_view value) {
        if (!sameProfileName(name, "Version"))
            fail(number, "\"" + std::string(name) + "\" is not known in [" + std::string(kProfileHeader) + "]");
        if (versionLine_) fail(number, "\"Version\" is already named on line " + std::to_string(versionLine_));
        int version = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), version);
        if (value.empty() || error != std::errc() || end != value.data() + value.size() || version != kProfileVersion)
            fail(number, "version " + excerpt(value) + " is not known: this program reads version " +
                             std::to_string(kProfileVersion));
        versionLine_ = number;
    }

    void finishHeader() {
        if (inHeader_ && !versionLine_) fail(headerLine_, "the header has no Version line");
        inHeader_ = false;
    }

    std::string_view text_;
    const std::string& source_;
    ProfileFile profile_;
    std::size_t headerLine_ = 0;
    std::size_t versionLine_ = 0;
    bool inHeader_ = false;
};

void checkText(std::string_view text, const char* what) {
    if (controlIn(text)) throw Error(std::string(what) + " holds a control character");
}

void checkName(std::string_view name, const char* what) {
    checkText(name, what);
    if (name.empty() || trim(name) != name) throw Error(std::string(what) + " is empty or padded");
}

}  // namespace

bool sameProfileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

ProfileFile parseProfile(std::string_view text, const std::string& source) { return Reader(text, source).read(); }

std::string writeProfile(const ProfileFile& profile) {
    std::string out = "[" + std::string(kProfileHeader) + "]\r\nVersion=" + std::to_string(kProfileVersion) + "\r\n";
    for (const std::string& note : profile.notes) {
        checkText(note, "a note");
        out += "; " + note + "\r\n";
    }
    for (const ProfileSection& section : profile.sections) {
        checkName(section.name, "a section name");
        out += "\r\n[" + section.name + "]\r\n";
        for (const ProfileEntry& entry : section.entries) {
            checkText(entry.value, "a value");
            if (entry.note) {
                out += "; " + entry.value + "\r\n";
                continue;
            }
            checkName(entry.name, "a name");
            if (entry.name.find('=') != std::string::npos || entry.name.front() == '[' || entry.name.front() == ';')
                throw Error("the name \"" + entry.name + "\" would not read back");
            const bool padded = !entry.value.empty() && trim(entry.value) != entry.value;
            const bool keepQuotes = padded || quoted(entry.value);
            out += entry.name + "=" + (keepQuotes ? "\"" + entry.value + "\"" : entry.value) + "\r\n";
        }
    }
    return out;
}

}  // namespace varnex::formats
