#include "settings/formats/szdd.h"

#include <algorithm>
#include <array>
#include "base/error.h"

#include "settings/formats/format_error.h"

namespace varnex::formats {
namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr std::size_t kWindow = 4096;
constexpr std::size_t kWindowMask = kWindow - 1;
constexpr std::size_t kStartPos = kWindow - 16;  // where the first expanded byte lands
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;

std::uint32_t readLe32(std::span<const std::uint8_t> d, std::size_t at) {
    return std::uint32_t(d[at]) | std::uint32_t(d[at + 1]) << 8 | std::uint32_t(d[at + 2]) << 16 |
           std::uint32_t(d[at + 3]) << 24;
}

}  // namespace

bool isSzdd(std::span<const std::uint8_t> data) {
    return data.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), data.begin());
}

std::vector<std::uint8_t> expandSzdd(std::span<const std::uint8_t> data, const std::string& sourceName) {
    const std::size_t magicPart = std::min(data.size(), kMagic.size());
    if (!std::equal(data.begin(), data.begin() + magicPart, kMagic.begin()))
        throw FormatError::atOffset(sourceName, 0, "not a compressed file (no SZDD signature)");
    if (data.size() < kSzddHeaderSize)
        throw FormatError::atOffset(sourceName, data.size(), "compressed-file header is truncated");
    if (data[8] != 'A')
        throw FormatError::atOffset(sourceName, 8, "unknown compression method '" +
                                                       std::string(1, static_cast<char>(data[8])) + "'");
    const std::uint32_t declared = readLe32(data, 10);
    if (declared > kSzddMaxLength)
        throw FormatError::atOffset(sourceName, 10, "declared length " + std::to_string(declared) +
                                                        " is larger than the " + std::to_string(kSzddMaxLength) +
                                                        "-byte limit");

    std::vector<std::uint8_t> out;
    // Every input byte expands to at most 9 output bytes (18 from a 2-byte reference), so a
    // tiny file declaring a huge length does not get a huge buffer up front.
    out.reserve(std::min<std::size_t>(declared, (data.size() - kSzddHeaderSize) * 9));
    std::array<std::uint8_t, kWindow> window;
    window.fill(' ');
    std::size_t pos = kStartPos;
    auto tooLong = [&](std::size_t at) {
        return FormatError::atOffset(sourceName, at, "expanded data exceeds the declared length of " +
                                                         std::to_string(declared) + " bytes");
    };

    std::size_t in = kSzddHeaderSize;
    while (in < data.size()) {
        const std::uint8_t control = data[in++];
        for (int bit = 0; bit < 8 && in < data.size(); ++bit) {
            const std::size_t itemAt = in;
            if (control & (1u << bit)) {
                if (out.size() >= declared) throw tooLong(itemAt);
                const std::uint8_t c = data[in++];
                out.push_back(c);
                window[pos] = c;
                pos = (pos + 1) & kWindowMask;
            } else {
                if (data.size() - in < 2)
                    throw FormatError::atOffset(sourceName, itemAt, "stream ends inside a back-reference");
                const std::uint8_t b1 = data[in++];
                const std::uint8_t b2 = data[in++];
                const std::size_t offset = b1 | (std::size_t(b2 & 0xF0) << 4);
                const std::size_t length = (b2 & 0x0F) + kMinMatch;
                if (declared - out.size() < length) throw tooLong(itemAt);
                // Byte by byte: a reference may overlap the bytes it is producing.
                for (std::size_t k = 0; k < length; ++k) {
                    const std::uint8_t c = window[(offset + k) & kWindowMask];
                    out.push_back(c);
                    window[pos] = c;
                    pos = (pos + 1) & kWindowMask;
                }
            }
        }
    }
    if (out.size() != declared)
        throw FormatError::atOffset(sourceName, data.size(),
                                    "stream ends after " + std::to_string(out.size()) + " of the " +
                                        std::to_string(declared) + " declared bytes");
    return out;
}

std::vector<std::uint8_t> compressSzdd(std::span<const std::uint8_t> data, char missingChar) {
    if (data.size() > kSzddMaxLength) throw LogicError("compressSzdd: input larger than the SZDD limit");

    // Search over the window's leading spaces followed by the data. Every start further back
    // than kMaxMatch in the spaces reads kMaxMatch spaces, the same as the nearest of them,
    // which the search meets first and keeps; so only the last kMaxMatch + 1 spaces are kept.
    // Buffer index i sits at window position (i + kBase) & kWindowMask, exactly where the
    // expander will have it.
    constexpr std::size_t kLead = kMaxMatch + 1;
    constexpr std::size_t kBase = kStartPos - kLead;
    std::vector<std::uint8_t> buf(kLead + data.size(), ' ');
    std::copy(data.begin(), data.end(), buf.begin() + kLead);

    // Chains hold index + 1, so 0 (what a new table holds) means none; positions fit in 32 bits
    // as the input is at most kSzddMaxLength. A 3-byte hash over a 4 KB window needs no more
    // buckets than the window has bytes: small tables, cheap to set up for short files.
    constexpr std::size_t kHashSize = kWindow;
    constexpr int kMaxChain = 128;
    std::array<std::uint32_t, kHashSize> head{};
    std::vector<std::uint32_t> prev(buf.size());
    auto hashAt = [&](std::size_t i) {
        return ((std::size_t(buf[i]) << 8) ^ (std::size_t(buf[i + 1]) << 4) ^ buf[i + 2]) & (kHashSize - 1);
    };
    auto insert = [&](std::size_t i) {
        if (i + kMinMatch > buf.size()) return;
        const std::size_t h = hashAt(i);
        prev[i] = head[h];
        head[h] = static_cast<std::uint32_t>(i + 1);
    };
    for (std::size_t i = 0; i < kLead; ++i) insert(i);

    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    out.push_back('A');
    out.push_back(static_cast<std::uint8_t>(missingChar));
    const auto n = static_cast<std::uint32_t>(data.size());
    for (int s = 0; s < 32; s += 8) out.push_back(static_cast<std::uint8_t>(n >> s));

    std::size_t controlAt = 0;
    int bit = 8;
    auto beginItem = [&] {
        if (bit == 8) {
            controlAt = out.size();
            out.push_back(0);
            bit = 0;
        }
    };

    std::size_t i = kLead;
    while (i < buf.size()) {
        std::size_t bestLen = 0, bestAt = 0;
        if (i + kMinMatch <= buf.size()) {
            const std::size_t maxLen = std::min(kMaxMatch, buf.size() - i);
            int chain = kMaxChain;
            // Distances up to kWindow - 1 keep the source clear of the byte being overwritten.
            for (std::uint32_t link = head[hashAt(i)]; link != 0 && i - (link - 1) < kWindow && chain-- > 0;
                 link = prev[link - 1]) {
                const std::size_t c = link - 1;
                std::size_t len = 0;
                while (len < maxLen && buf[c + len] == buf[i + len]) ++len;
                if (len > bestLen) {
                    bestLen = len;
                    bestAt = c;
                    if (len == maxLen) break;
                }
            }
        }
        beginItem();
        if (bestLen >= kMinMatch) {
            const std::size_t offset = (bestAt + kBase) & kWindowMask;
            out.push_back(static_cast<std::uint8_t>(offset & 0xFF));
            out.push_back(static_cast<std::uint8_t>(((offset >> 4) & 0xF0) | (bestLen - kMinMatch)));
            for (std::size_t k = 0; k < bestLen; ++k) insert(i + k);
            i += bestLen;
        } else {
            out[controlAt] |= static_cast<std::uint8_t>(1u << bit);
            out.push_back(buf[i]);
            insert(i);
            ++i;
        }
        ++bit;
    }
    return out;
}

}  // namespace varnex::formats
