// Processor and PCI queries of pellimor, written once over injected sources so that every
// rule runs natively against scripted sources. No platform headers here.
#pragma once

#include <cstdint>
#include <vector>

namespace pellimor {

// What a thread-priority read returns when it fails.
constexpr std::int32_t kPriorityError = 0x7FFFFFFF;
constexpr std::int32_t kPriorityTimeCritical = 15;

// Counter ticks of each phase of one measuring pass.
constexpr std::uint32_t kSyncTicks = 50;
constexpr std::uint32_t kMeasureTicks = 1000;
constexpr int kMinPasses = 3;
constexpr int kMaxPasses = 20;

// A processor mask wide enough for large Linux machines; Win32 fills only words[0].
struct CpuMask {
  static constexpr int kWords = 16;
  std::uint64_t words[kWords] = {};
  void set(unsigned cpu) {
    if (cpu < 64u * kWords) words[cpu / 64] |= std::uint64_t{1} << (cpu % 64);
  }
};

// The clocks and the scheduler as CPUSpeed and EnumCPU see them.
class ProcessorSources {
 public:
  virtual ~ProcessorSources() = default;
  // Ticks per second of the high-resolution counter; false when there is no such counter.
  virtual bool counterFrequency(std::uint64_t& ticksPerSecond) = 0;
  // Low 32 bits of the counter.
  virtual std::uint32_t counter() = 0;
  // The counter, then at once the low 32 bits of the time-stamp counter. One call, so that
  // nothing (not even a virtual dispatch) runs between the two reads.
  virtual void counterAndTimestamp(std::uint32_t& ticks, std::uint32_t& cycles) = 0;
  // The calling thread's priority, or kPriorityError.
  virtual std::int32_t threadPriority() = 0;
  virtual void setThreadPriority(std::int32_t priority) = 0;
  // The processors of the system; false when the query fails.
  virtual bool systemAffinity(CpuMask& mask) = 0;
};

// Number of processors in the system mask; 1 when the mask cannot be read, since at least the
// processor running the call exists.
std::int32_t enumCpu(ProcessorSources& sources);

// Processor clock in whole MHz over 3 to 20 passes, or 0 when the counter is missing or its
// frequency is below 10 or above 1,000,000,009 ticks per second (a pass would then divide by
// zero).
std::int32_t cpuSpeed(ProcessorSources& sources);

// Parses a Linux CPU list ("0-3,5\n") into mask. False on malformed text.
bool parseCpuList(const char* text, CpuMask& mask);

// ---- PCI

struct PciId {
  std::uint16_t vendor;
  std::uint16_t device;
};

// Receives the devices of a bus one at a time, so that listing a bus stores nothing and
// cannot run out of memory.
class PciSink {
 public:
  virtual void found(PciId id) = 0;

 protected:
  ~PciSink() = default;
};

// A sink that keeps every identifier.
class PciList final : public PciSink {
 public:
  void found(PciId id) override { ids.push_back(id); }
  std::vector<PciId> ids;
};

class PciBus {
 public:
  virtual ~PciBus() = default;
  // Hands the identifiers of the devices present to out; false when the bus cannot be listed.
  virtual bool devices(PciSink& out) = 0;
};

// Return statuses of the PCI BIOS device search.
constexpr std::uint8_t kPciSuccessful = 0x00;
constexpr std::uint8_t kPciBadVendorId = 0x83;
constexpr std::uint8_t kPciDeviceNotFound = 0x86;

// The BIOS device search over a listed bus: status of finding the index-th device with the pair.
std::uint8_t findPciDevice(PciBus& bus, std::uint16_t vendor, std::uint16_t device,
                           std::uint16_t index);

// 1 when a device with the vendor and device identifiers (low 16 bits of each) is present.
std::int32_t vDetect(PciBus& bus, std::int32_t vendor, std::int32_t device);

// Reads "VEN_8086&DEV_7190..." with an optional "PCI\" in front, in any letter case.
bool parsePciHardwareId(const char* text, PciId& id);

// Reads a sysfs identifier file's text ("0x8086\n").
bool parseHexId(const char* text, std::uint16_t& value);

}  // namespace pellimor
