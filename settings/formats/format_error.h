#pragma once

#include <cstddef>
#include <string>

#include "base/error.h"

namespace varnex::formats {

// The one error the file-format readers throw. The message names the file and where in it the
// reader gave up: a line for text formats, a byte offset for binary ones.
struct FormatError : Error {
    using Error::Error;

    static FormatError atLine(const std::string& source, std::size_t line, const std::string& what);
    static FormatError atOffset(const std::string& source, std::size_t offset, const std::string& what);
};

}  // namespace varnex::formats
