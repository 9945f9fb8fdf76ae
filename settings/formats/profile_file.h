#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnex::formats {

// A Varnex 2000 profile: the options of the program's pages as INI text a person reads and edits
// in Notepad. A header section carries the version; every other section is a page, named by its
// tab, with one `name=value` line per option:
//
//   [Varnex 2000 Profile]
//   Version=1
//
//   [Boot]
//   Disable Boot Function Keys=on
//
// What the names and values mean is the pages' business; this is only the text.

inline constexpr std::string_view kProfileHeader = "Varnex 2000 Profile";
inline constexpr int kProfileVersion = 1;
// Larger files are refused unread: a whole profile is a few kilobytes.
inline constexpr std::size_t kMaxProfileBytes = 256 * 1024;

struct ProfileEntry {
    std::size_t line = 0;  // 1-based; 0 for entries made in memory
    std::string name;      // trimmed
    std::string value;     // trimmed, one pair of enclosing double quotes removed
    // Written as a comment line "; value" that the reader skips: a remark for the person reading.
    bool note = false;
};

struct ProfileSection {
    std::size_t line = 0;
    std::string name;  // trimmed, without the brackets
    std::vector<ProfileEntry> entries;
};

struct ProfileFile {
    // Comment lines written below the version line; the reader skips them.
    std::vector<std::string> notes;
    std::vector<ProfileSection> sections;  // the pages, in file order; the header is not among them
};

// Reads profile text: lines ended by CR LF or LF, an optional UTF-8 byte order mark, blank lines
// and lines beginning with ';' skipped. Throws FormatError ("source: line N: ...") at the first
// line that is not a section header or `name=value`, holds a control character, repeats a
// section or a name of its section (names compared ignoring case), and when the file does not
// begin with the header section and its known version, or is larger than kMaxProfileBytes.
ProfileFile parseProfile(std::string_view text, const std::string& source);

// The text of a profile, header first, lines ended by CR LF. A value with spaces at either end,
// or one that begins and ends with a double quote, is written in double quotes so that it reads
// back as it is. Throws Error for what cannot be read back: a name that is empty,
// holds '=' or begins with '[' or ';', and any name, value or note with a control character.
std::string writeProfile(const ProfileFile& profile);

// Names as the reader matches them: ASCII letters compared ignoring case.
bool sameProfileName(std::string_view a, std::string_view b);

}  // namespace varnex::formats
