#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnex::formats {

// REGEDIT4 text, as `regedit /S file.reg` imports it on Windows 98.

inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003u;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

struct RegOp {
    enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };

    Kind kind = Kind::CreateKey;
    std::uint32_t root = 0;          // kHkey* (the predefined HKEY value)
    std::string keyPath;             // below the root, backslash-separated; empty for the root
    std::string valueName;           // empty for the unnamed value (@)
    std::uint32_t type = 0;          // kReg* or any hex(N) type; SetValue only
    std::vector<std::uint8_t> data;  // REG_SZ with its terminating NUL; REG_DWORD as 4 LE bytes

    bool operator==(const RegOp&) const = default;
};

// One operation per key line and value line, in file order. Throws FormatError
// ("name: line N: ...") on anything regedit would not import.
std::vector<RegOp> parseRegedit4(std::string_view text, const std::string& sourceName);

// The text regedit writes for these operations, lines ended by CR LF: consecutive operations on
// one key share its [key] line; a REG_SZ that cannot be quoted exactly is written as hex(1).
std::string writeRegedit4(const std::vector<RegOp>& ops);

}  // namespace varnex::formats
