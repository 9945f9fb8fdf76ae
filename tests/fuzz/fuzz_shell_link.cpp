// Reading arbitrary bytes either yields a link or throws FormatError; a link written from the
// input's two halves reads back unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "settings/formats/format_error.h"
#include "settings/formats/shell_link.h"

using namespace varnex::formats;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        (void)readShellLink(std::span<const std::uint8_t>(data, size), "fuzz.lnk");
    } catch (const FormatError&) {
    }
    std::string text(reinterpret_cast<const char*>(data), size);
    std::replace(text.begin(), text.end(), '\0', 'N');
    const std::string target = text.substr(0, text.size() / 2), dir = text.substr(text.size() / 2);
    const ShellLinkInfo back = readShellLink(writeShellLink(target, dir), "round trip");
    if (back.target != target || back.workingDirectory != dir) std::abort();
    return 0;
}
