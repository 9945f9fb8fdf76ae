#include "settings/formats/shell_link.h"
#include "settings/formats/format_error.h"
namespace varnex::formats {
std::vector<std::uint8_t> writeShellLink(const std::string&, const std::string&) { return {}; }
ShellLinkInfo readShellLink(std::span<const std::uint8_t>, const std::string& s) { throw FormatError(s + ": not implemented yet"); }
}
