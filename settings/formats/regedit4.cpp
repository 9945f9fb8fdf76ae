#include "settings/formats/regedit4.h"
#include "settings/formats/format_error.h"
namespace varnex::formats {
std::vector<RegOp> parseRegedit4(std::string_view, const std::string& s) { throw FormatError(s + ": not implemented yet"); }
}
