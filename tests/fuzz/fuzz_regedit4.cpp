// Parsing arbitrary text either yields operations or throws FormatError; nothing else.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/formats/format_error.h"
#include "settings/formats/regedit4.h"

using namespace varnex::formats;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        for (const RegOp& op : parseRegedit4(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.reg")) {
            if (op.root < kHkeyClassesRoot || op.root > kHkeyUsers) std::abort();
            if (op.kind == RegOp::Kind::SetValue && op.type == kRegDword && op.data.size() != 4) std::abort();
            if (op.kind == RegOp::Kind::SetValue && op.type == kRegSz && (op.data.empty() || op.data.back() != 0)) std::abort();
        }
    } catch (const FormatError&) {
    }
    return 0;
}
