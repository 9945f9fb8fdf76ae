// Parsing arbitrary text either yields operations or throws FormatError; nothing else. Key
// paths that come out are well formed: no empty components.
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
            const std::string& p = op.keyPath;
            if (!p.empty() && (p.front() == '\\' || p.back() == '\\' || p.find("\\\\") != std::string::npos)) std::abort();
        }
    } catch (const FormatError&) {
    }
    return 0;
}
