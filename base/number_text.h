#pragma once
// Numbers as text, zero-padded, for the few fixed formats the program writes (backup names,
// journal lines, registry data). The C library's printf family would do it too, but in a
// statically linked Windows program it brings its whole formatter (floating point included),
// some 20 KB of code for a handful of digits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnex {

// `value` in base 10 or 16 with at least `width` digits ("%04u", "%08x", "%02X").
inline std::string digits(std::uint32_t value, int width, unsigned base = 10, bool upper = false) {
  const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char text[32];
  int at = sizeof text;
  do {
    text[--at] = symbols[value % base];
    value /= base;
  } while (value != 0);
  while (at > static_cast<int>(sizeof text) - width && at > 0) text[--at] = '0';
  return std::string(text + at, sizeof text - at);
}

inline std::string hex(std::uint32_t value, int width, bool upper = false) { return digits(value, width, 16, upper); }

// Bytes as two lower-case hex digits each, separated by commas: "0a,ff,00".
inline std::string hexBytes(const std::vector<std::uint8_t>& data) {
  std::string out;
  out.reserve(data.size() * 3);
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i) out += ',';
    out += hex(data[i], 2);
  }
  return out;
}

}  // namespace varnex
