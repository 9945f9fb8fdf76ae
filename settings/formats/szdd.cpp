#include "settings/formats/szdd.h"
#include "settings/formats/format_error.h"
namespace varnex::formats {
bool isSzdd(std::span<const std::uint8_t>) { return false; }
std::vector<std::uint8_t> expandSzdd(std::span<const std::uint8_t>, const std::string& s) { throw FormatError(s + ": not implemented yet"); }
std::vector<std::uint8_t> compressSzdd(std::span<const std::uint8_t>, char) { return {}; }
}
