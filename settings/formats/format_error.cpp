#include "settings/formats/format_error.h"

namespace varnex::formats {

FormatError FormatError::atLine(const std::string& source, std::size_t line, const std::string& what) {
    return FormatError(source + ": line " + std::to_string(line) + ": " + what);
}

FormatError FormatError::atOffset(const std::string& source, std::size_t offset, const std::string& what) {
    return FormatError(source + ": offset " + std::to_string(offset) + ": " + what);
}

}  // namespace varnex::formats
