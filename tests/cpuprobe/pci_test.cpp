#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "cpuprobe/probe.h"

namespace pellimor {
namespace {

class ListedBus : public PciBus {
 public:
  explicit ListedBus(std::vector<PciId> ids, bool works = true)
      : ids_(std::move(ids)), works_(works) {}
  bool devices(PciSink& out) override {
    for (const PciId& id : ids_) out.found(id);
    return works_;
  }

 private:
  std::vector<PciId> ids_;
  bool works_;
};

// A host bridge listed twice (two functions) and a display adapter.
ListedBus machine() { return ListedBus({{0x8086, 0x7190}, {0x10DE, 0x0A20}, {0x8086, 0x7190}}); }

TEST(VDetect, FindsAPresentPairGivenVendorThenDevice) {
  ListedBus bus = machine();
  EXPECT_EQ(vDetect(bus, 0x8086, 0x7190), 1);
  EXPECT_EQ(vDetect(bus, 0x10DE, 0x0A20), 1);
  EXPECT_EQ(vDetect(bus, 0x7190, 0x8086), 0);
  EXPECT_EQ(vDetect(bus, 0x8086, 0x0A20), 0);  // both identifiers must belong to one device
  EXPECT_EQ(vDetect(bus, 0x1234, 0x5678), 0);
}

TEST(VDetect, UsesTheLow16BitsOfEachArgument) {
  ListedBus bus = machine();
  EXPECT_EQ(vDetect(bus, 0x00018086, static_cast<std::int32_t>(0xFFFF7190u)), 1);
  EXPECT_EQ(vDetect(bus, -1, 0x7190), 0);  // vendor 0xFFFF
}

TEST(VDetect, ReportsABusThatCannotBeListedAsAbsent) {
  ListedBus bus({{0x8086, 0x7190}}, false);
  EXPECT_EQ(vDetect(bus, 0x8086, 0x7190), 0);
}

TEST(FindPciDevice, ReturnsTheDeviceSearchStatuses) {
  ListedBus bus = machine();
  EXPECT_EQ(findPciDevice(bus, 0x8086, 0x7190, 0), kPciSuccessful);
  EXPECT_EQ(findPciDevice(bus, 0x8086, 0x7190, 1), kPciSuccessful);
  EXPECT_EQ(findPciDevice(bus, 0x8086, 0x7190, 2), kPciDeviceNotFound);
  EXPECT_EQ(findPciDevice(bus, 0x1234, 0x5678, 0), kPciDeviceNotFound);
  ListedBus odd({{0xFFFF, 0xFFFF}});
  EXPECT_EQ(findPciDevice(odd, 0xFFFF, 0xFFFF, 0), kPciBadVendorId);
}

struct IdCase {
  const char* text;
  bool ok;
  std::uint16_t vendor;
  std::uint16_t device;
};

TEST(ParsePciHardwareId, ReadsRegistryDeviceNames) {
  const IdCase cases[] = {
      {"PCI\\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03\\000800", true, 0x8086, 0x7190},
      {"VEN_10DE&DEV_0A20&SUBSYS_00000000&REV_A2", true, 0x10DE, 0x0A20},
      {"pci\\ven_10de&dev_0a20", true, 0x10DE, 0x0A20},
      {"VEN_0000&DEV_0000", true, 0x0000, 0x0000},
      {"VEN_8086&DEV_719", false, 0, 0},
      {"VEN_8086&DEV_71900", false, 0, 0},
      {"VEN_80G6&DEV_7190", false, 0, 0},
      {"VEN_8086", false, 0, 0},
      {"ISAPNP\\PNP0303\\0", false, 0, 0},
      {"ROOT\\PCI\\VEN_8086&DEV_7190", false, 0, 0},
      {"", false, 0, 0},
  };
  for (const IdCase& c : cases) {
    PciId id{0xAAAA, 0xBBBB};
    EXPECT_EQ(parsePciHardwareId(c.text, id), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(id.vendor, c.vendor) << c.text;
      EXPECT_EQ(id.device, c.device) << c.text;
    } else {
      EXPECT_EQ(id.vendor, 0xAAAA) << c.text;  // untouched on failure
    }
  }
}

TEST(ParseHexId, ReadsSysfsIdentifierFiles) {
  const std::pair<const char*, int> cases[] = {
      {"0x8086\n", 0x8086}, {"0x0d57", 0x0D57}, {"1af4\n", 0x1AF4}, {"0x0\n", 0},
      {"", -1},        {"0x", -1},         {"0x18086\n", -1}, {"zz", -1},  {"0x80 86", -1},
  };
  for (const auto& [text, expected] : cases) {
    std::uint16_t value = 0x5555;
    EXPECT_EQ(parseHexId(text, value), expected >= 0) << text;
    EXPECT_EQ(value, expected >= 0 ? expected : 0x5555) << text;
  }
}

TEST(ParseCpuList, ReadsRangesAndSingles) {
  const std::pair<const char*, std::vector<unsigned>> good[] = {
      {"0-1\n", {0, 1}},
      {"0", {0}},
      {"0-3,5,7-8\n", {0, 1, 2, 3, 5, 7, 8}},
      {"1023", {1023}},
      {"1022-1030", {1022, 1023}},  // beyond the mask's width: not counted
  };
  for (const auto& [text, cpus] : good) {
    CpuMask mask;
    ASSERT_TRUE(parseCpuList(text, mask)) << text;
    CpuMask expected;
    for (unsigned n : cpus) expected.set(n);
    for (int w = 0; w < CpuMask::kWords; ++w) EXPECT_EQ(mask.words[w], expected.words[w]) << text;
  }
  for (const char* bad : {"", "\n", "a", "3-1", "0-", "0,", ",1", "0 1", "0;1"}) {
    CpuMask mask;
    mask.set(5);
    EXPECT_FALSE(parseCpuList(bad, mask)) << bad;
    EXPECT_EQ(mask.words[0], std::uint64_t{1} << 5) << bad;
  }
}

}  // namespace
}  // namespace pellimor
