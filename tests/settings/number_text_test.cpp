// The fixed number formats of backups and journals: zero-padding, bases, and values wider than
// their field (never cut).
#include "base/number_text.h"

#include <gtest/gtest.h>

namespace varnex {
namespace {

TEST(NumberText, PadsWithZerosAndNeverCutsAWiderValue) {
  struct Case {
    std::uint32_t value;
    int width;
    unsigned base;
    bool upper;
    const char* text;
  };
  const Case cases[] = {
      {0, 2, 10, false, "00"},          {7, 4, 10, false, "0007"},
      {2026, 4, 10, false, "2026"},     {123456, 2, 10, false, "123456"},
      {0, 8, 16, false, "00000000"},    {0xDEADBEEF, 8, 16, false, "deadbeef"},
      {0x1F, 2, 16, true, "1F"},        {0xFFFFFFFF, 0, 10, false, "4294967295"},
      {5, 0, 10, false, "5"},
  };
  for (const Case& c : cases) EXPECT_EQ(digits(c.value, c.width, c.base, c.upper), c.text) << c.value;
}

TEST(NumberText, BytesAreCommaSeparatedPairs) {
  EXPECT_EQ(hexBytes({}), "");
  EXPECT_EQ(hexBytes({0x0A}), "0a");
  EXPECT_EQ(hexBytes({0x00, 0xFF, 0x10}), "00,ff,10");
}

}  // namespace
}  // namespace varnex
