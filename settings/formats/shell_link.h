#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace varnex::formats {

// Shell link (.lnk) files: just enough to write the shortcuts we create and read them back,
// including ones saved by an IShellLinkA implementation (ID list, LinkInfo, Unicode strings).

struct ShellLinkInfo {
    std::string target;            // local path from LinkInfo (base path + common suffix)
    std::string workingDirectory;  // from StringData; empty when absent
};

// A .lnk with HasLinkInfo | HasWorkingDir and ANSI strings: LinkInfo with a VolumeID and
// LocalBasePath = target, the working directory in StringData. No ID list, description,
// arguments, hot key or icon.
std::vector<std::uint8_t> writeShellLink(const std::string& target, const std::string& workingDirectory);

// Reads target and working directory. When there is no LinkInfo the relative path is used as
// the target (empty when that is absent too). Throws FormatError with the byte offset on
// anything malformed. Unicode strings are converted to UTF-8.
ShellLinkInfo readShellLink(std::span<const std::uint8_t> data, const std::string& sourceName);

}  // namespace varnex::formats
