// Expanding arbitrary bytes either succeeds within the declared length or throws FormatError;
// compressing arbitrary bytes always expands back to them.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "settings/formats/format_error.h"
#include "settings/formats/szdd.h"

using namespace varnex::formats;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> in(data, size);
    try {
        const auto out = expandSzdd(in, "fuzz");
        const std::uint32_t declared = std::uint32_t(data[10]) | std::uint32_t(data[11]) << 8 |
                                       std::uint32_t(data[12]) << 16 | std::uint32_t(data[13]) << 24;
        if (out.size() != declared) std::abort();
    } catch (const FormatError&) {
    }
    const auto packed = compressSzdd(in, 'x');
    const auto back = expandSzdd(packed, "fuzz round trip");
    if (back.size() != size || !std::equal(back.begin(), back.end(), data)) std::abort();
    return 0;
}
