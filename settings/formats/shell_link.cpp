#include "settings/formats/shell_link.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include "base/error.h"

#include "settings/formats/format_error.h"

namespace varnex::formats {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// {00021401-0000-0000-C000-000000000046} as stored (first three fields little-endian).
constexpr std::array<std::uint8_t, 16> kLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kHasName = 0x4;
constexpr std::uint32_t kHasRelativePath = 0x8;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;

constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kCommonNetworkRelativeLinkAndPathSuffix = 0x2;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kLinkInfoHeaderSizeUnicode = 0x24;
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kSwShowNormal = 1;

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

void appendUtf8(std::string& s, std::uint32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Bounds-checked little-endian reads over the whole file; every failure names its offset.
class Reader {
public:
    Reader(std::span<const std::uint8_t> data, const std::string& source) : data_(data), source_(source) {}

    [[noreturn]] void fail(std::size_t at, const std::string& what) const {
        throw FormatError::atOffset(source_, at, what);
    }
    void need(std::size_t at, std::size_t n, const char* what) const {
        if (at > data_.size() || data_.size() - at < n) fail(at, std::string(what) + " runs past the end of the file");
    }
    std::uint32_t u16(std::size_t at, const char* what) const {
        need(at, 2, what);
        return data_[at] | std::uint32_t(data_[at + 1]) << 8;
    }
    std::uint32_t u32(std::size_t at, const char* what) const {
        need(at, 4, what);
        return u16(at, what) | u16(at + 2, what) << 16;
    }
    std::uint8_t byte(std::size_t at) const { return data_[at]; }

    // A NUL-terminated string that must end before `end`.
    std::string ansiz(std::size_t at, std::size_t end, const char* what) const {
        std::string s;
        for (std::size_t i = at; i < end; ++i) {
            if (data_[i] == 0) return s;
            s += static_cast<char>(data_[i]);
        }
        fail(at, std::string(what) + " has no terminating NUL");
    }
    std::string utf16z(std::size_t at, std::size_t end, const char* what) const {
        std::vector<std::uint16_t> units;
        for (std::size_t i = at; i + 1 < end; i += 2) {
            const auto u = static_cast<std::uint16_t>(data_[i] | data_[i + 1] << 8);
            if (u == 0) return utf8(units);
            units.push_back(u);
        }
        fail(at, std::string(what) + " has no terminating NUL");
    }
    // Counted StringData entry; advances `at`.
    // Wine counts a terminating NUL into the length; the string ends at the first NUL.
    std::string counted(std::size_t& at, bool unicode, const char* what) const {
        std::string s = countedRaw(at, unicode, what);
        if (const auto nul = s.find('\0'); nul != std::string::npos) s.resize(nul);
        return s;
    }
    std::string countedRaw(std::size_t& at, bool unicode, const char* what) const {
        const std::uint32_t count = u16(at, what);
        const std::size_t start = at + 2;
        const std::size_t bytes = std::size_t(count) * (unicode ? 2 : 1);
        if (data_.size() - start < bytes) fail(at, std::string(what) + " runs past the end of the file");
        at = start + bytes;
        if (!unicode) return std::string(data_.begin() + start, data_.begin() + start + bytes);
        std::vector<std::uint16_t> units;
        for (std::size_t i = start; i < at; i += 2) units.push_back(static_cast<std::uint16_t>(data_[i] | data_[i + 1] << 8));
        return utf8(units);
    }

private:
    static std::string utf8(const std::vector<std::uint16_t>& u) {
        std::string s;
        for (std::size_t i = 0; i < u.size(); ++i) {
            std::uint32_t cp = u[i];
            if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < u.size() && u[i + 1] >= 0xDC00 && u[i + 1] < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (u[i + 1] - 0xDC00);
                ++i;
            } else if (cp >= 0xD800 && cp < 0xE000) {
                cp = 0xFFFD;  // unpaired surrogate
            }
            appendUtf8(s, cp);
        }
        return s;
    }

    std::span<const std::uint8_t> data_;
    const std::string& source_;
};

// The target path recorded in a LinkInfo block starting at `at`; returns the block's end.
std::size_t readLinkInfo(const Reader& r, std::size_t at, std::string& target) {
    const std::uint32_t size = r.u32(at, "LinkInfo");
    if (size < kLinkInfoHeaderSize) r.fail(at, "LinkInfo size " + std::to_string(size) + " is too small");
    r.need(at, size, "LinkInfo");
    const std::size_t end = at + size;
    const std::uint32_t headerSize = r.u32(at + 4, "LinkInfo header");
    if (headerSize < kLinkInfoHeaderSize || headerSize > size)
        r.fail(at + 4, "LinkInfo header size " + std::to_string(headerSize) + " is invalid");
    const std::uint32_t flags = r.u32(at + 8, "LinkInfo flags");
    const bool unicodeOffsets = headerSize >= kLinkInfoHeaderSizeUnicode;

    // An offset field must point inside the block, past its header.
    auto offsetField = [&](std::size_t field, const char* what) -> std::size_t {
        const std::uint32_t off = r.u32(at + field, what);
        if (off < headerSize || off >= size) r.fail(at + field, std::string(what) + " offset " + std::to_string(off) + " lies outside LinkInfo");
        return at + off;
    };

    auto commonPathSuffix = [&] {
        std::string suffix;
        const std::uint32_t suffixOffset = r.u32(at + 24, "CommonPathSuffix offset");
        if (suffixOffset == 0) return suffix;
        if (unicodeOffsets && r.u32(at + 32, "CommonPathSuffix offset") != 0)
            return r.utf16z(offsetField(32, "Unicode CommonPathSuffix"), end, "Unicode CommonPathSuffix");
        return r.ansiz(offsetField(24, "CommonPathSuffix"), end, "CommonPathSuffix");
    };

    if (flags & kVolumeIdAndLocalBasePath) {
        const std::size_t volume = offsetField(12, "VolumeID");
        const std::uint32_t volumeSize = r.u32(volume, "VolumeID");
        if (volumeSize < 0x10 || volumeSize > end - volume)
            r.fail(volume, "VolumeID size " + std::to_string(volumeSize) + " is invalid");
        std::string base;
        if (unicodeOffsets && r.u32(at + 28, "LocalBasePath offset") != 0)
            base = r.utf16z(offsetField(28, "Unicode LocalBasePath"), end, "Unicode LocalBasePath");
        else
            base = r.ansiz(offsetField(16, "LocalBasePath"), end, "LocalBasePath");
        target = base + commonPathSuffix();
    } else if (flags & kCommonNetworkRelativeLinkAndPathSuffix) {
        const std::size_t net = offsetField(20, "CommonNetworkRelativeLink");
        const std::uint32_t netSize = r.u32(net, "CommonNetworkRelativeLink");
        if (netSize < 0x14 || netSize > end - net)
            r.fail(net, "CommonNetworkRelativeLink size " + std::to_string(netSize) + " is invalid");
        const std::uint32_t nameOff = r.u32(net + 8, "NetName offset");
        if (nameOff < 0x14 || nameOff >= netSize) r.fail(net + 8, "NetName offset " + std::to_string(nameOff) + " is invalid");
        const std::string share = r.ansiz(net + nameOff, net + netSize, "NetName");
        const std::string suffix = commonPathSuffix();
        target = suffix.empty() ? share : share + "\\" + suffix;
    }
    return end;
}

}  // namespace

std::vector<std::uint8_t> writeShellLink(const std::string& target, const std::string& workingDirectory) {
    if (target.find('\0') != std::string::npos || workingDirectory.find('\0') != std::string::npos)
        throw LogicError("writeShellLink: path contains a NUL character");
    if (workingDirectory.size() > 0xFFFF || target.size() > 0xFFFF)
        throw LogicError("writeShellLink: path too long for a shell link");

    std::vector<std::uint8_t> out;
    const std::uint32_t flags = kHasLinkInfo | (workingDirectory.empty() ? 0 : kHasWorkingDir);
    putLe32(out, kHeaderSize);
    out.insert(out.end(), kLinkClsid.begin(), kLinkClsid.end());
    putLe32(out, flags);
    putLe32(out, 0);                                // file attributes
    out.insert(out.end(), 3 * 8, 0);                // creation, access, write times
    putLe32(out, 0);                                // file size
    putLe32(out, 0);                                // icon index
    putLe32(out, kSwShowNormal);
    out.insert(out.end(), 2 + 2 + 4 + 4, 0);        // hot key, reserved
    // LinkInfo: header, VolumeID (fixed drive, empty label), LocalBasePath, empty suffix.
    constexpr std::uint32_t volumeSize = 0x10 + 1;
    const auto pathSize = static_cast<std::uint32_t>(target.size() + 1);
    const std::uint32_t volumeAt = kLinkInfoHeaderSize;
    const std::uint32_t pathAt = volumeAt + volumeSize;
    const std::uint32_t suffixAt = pathAt + pathSize;
    putLe32(out, suffixAt + 1);
    putLe32(out, kLinkInfoHeaderSize);
    putLe32(out, kVolumeIdAndLocalBasePath);
    putLe32(out, volumeAt);
    putLe32(out, pathAt);
    putLe32(out, 0);                                // no network link
    putLe32(out, suffixAt);
    putLe32(out, volumeSize);
    putLe32(out, kDriveFixed);
    putLe32(out, 0);                                // serial number
    putLe32(out, 0x10);                             // label offset
    out.push_back(0);                               // empty label
    out.insert(out.end(), target.begin(), target.end());
    out.push_back(0);
    out.push_back(0);                               // empty CommonPathSuffix
    if (!workingDirectory.empty()) {
        putLe16(out, static_cast<std::uint32_t>(workingDirectory.size()));
        out.insert(out.end(), workingDirectory.begin(), workingDirectory.end());
    }
    putLe32(out, 0);                                // ExtraData terminal block
    return out;
}

ShellLinkInfo readShellLink(std::span<const std::uint8_t> data, const std::string& sourceName) {
    const Reader r(data, sourceName);
    r.need(0, kHeaderSize, "shell link header");
    if (r.u32(0, "header") != kHeaderSize) r.fail(0, "not a shell link (header size is not 0x4C)");
    if (!std::equal(kLinkClsid.begin(), kLinkClsid.end(), data.begin() + 4)) r.fail(4, "not a shell link (wrong class ID)");
    const std::uint32_t flags = r.u32(20, "flags");

    ShellLinkInfo info;
    std::size_t at = kHeaderSize;
    if (flags & kHasLinkTargetIdList) {
        const std::uint32_t idListSize = r.u16(at, "LinkTargetIDList");
        r.need(at + 2, idListSize, "LinkTargetIDList");
        at += 2 + idListSize;
    }
    std::string linkInfoTarget;
    if (flags & kHasLinkInfo) at = readLinkInfo(r, at, linkInfoTarget);

    const bool unicode = flags & kIsUnicode;
    std::string relativePath;
    if (flags & kHasName) r.counted(at, unicode, "NAME_STRING");
    if (flags & kHasRelativePath) relativePath = r.counted(at, unicode, "RELATIVE_PATH");
    if (flags & kHasWorkingDir) info.workingDirectory = r.counted(at, unicode, "WORKING_DIR");
    if (flags & kHasArguments) r.counted(at, unicode, "COMMAND_LINE_ARGUMENTS");
    if (flags & kHasIconLocation) r.counted(at, unicode, "ICON_LOCATION");

    // Without a usable LinkInfo the relative path is the best record of the target there is.
    const bool useLinkInfo = (flags & kHasLinkInfo) && !(flags & kForceNoLinkInfo) && !linkInfoTarget.empty();
    info.target = useLinkInfo ? linkInfoTarget : relativePath;
    return info;
}

}  // namespace varnex::formats
