#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace varnex::formats {

// The Windows compressed-file format ("SZDD"): what EXPAND.EXE and LZCopy expand.
// 14-byte header, then LZSS over a 4096-byte window pre-filled with spaces.

inline constexpr std::size_t kSzddHeaderSize = 14;
// Largest declared length we are willing to expand into memory.
inline constexpr std::uint32_t kSzddMaxLength = 64u * 1024u * 1024u;

// True when the data starts with the 8-byte SZDD magic.
bool isSzdd(std::span<const std::uint8_t> data);

// Expands a whole SZDD file. Throws FormatError (naming sourceName and the byte offset) on a
// truncated header, a declared length above kSzddMaxLength, a match reaching past the declared
// length, or a stream that ends before the declared length was produced.
std::vector<std::uint8_t> expandSzdd(std::span<const std::uint8_t> data, const std::string& sourceName);

// Compresses data into an SZDD file; missingChar is the last character of the original name
// (stored in the header, 0 when unknown). Data longer than kSzddMaxLength is rejected with
// LogicError.
std::vector<std::uint8_t> compressSzdd(std::span<const std::uint8_t> data, char missingChar);

}  // namespace varnex::formats
