#include "cpuprobe/probe.h"

#include <limits>

namespace pellimor {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Matches a lower-case prefix ignoring case; advances text past it.
bool skipPrefix(const char*& text, const char* prefix) {
  const char* p = text;
  for (; *prefix; ++prefix, ++p) {
    if (lower(*p) != *prefix) return false;
  }
  text = p;
  return true;
}

bool readHex4(const char*& text, std::uint16_t& value) {
  unsigned v = 0;
  for (int i = 0; i < 4; ++i) {
    const int d = hexDigit(text[i]);
    if (d < 0) return false;
    v = v * 16 + static_cast<unsigned>(d);
  }
  text += 4;
  value = static_cast<std::uint16_t>(v);
  return true;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::int64_t distance(std::uint64_t a, std::uint64_t b) {
  const std::int64_t d = static_cast<std::int64_t>(a) - static_cast<std::int64_t>(b);
  return d < 0 ? -d : d;
}

}  // namespace

std::int32_t enumCpu(ProcessorSources& sources) {
  CpuMask mask;
  if (!sources.systemAffinity(mask)) return 1;
  std::int32_t count = 0;
  for (std::uint64_t word : mask.words) {
    for (; word != 0; word &= word - 1) ++count;
  }
  return count;
}

std::int32_t cpuSpeed(ProcessorSources& sources) {
  std::uint64_t frequency = 0;
  if (!sources.counterFrequency(frequency)) return 0;
  // Microseconds are ticks * 100000 / (F / 10). Below 10 ticks per second the divisor is zero;
  // above 10^9 a pass of 1000 ticks is 0 microseconds and the pass result divides by zero.
  // The full 64-bit frequency is used: its low half alone would give a wrong, non-zero answer.
  const std::uint64_t tenth = frequency / 10;
  if (tenth == 0 || std::uint64_t{kMeasureTicks} * 100000 / tenth == 0) return 0;

  // 64-bit totals and products: the 32-bit ones overflow for passes over 42,949 ticks and for
  // cycle totals over 42,949,672; below those bounds the results are the same.
  std::uint64_t totalCycles = 0;
  std::uint64_t totalMicros = 0;
  std::uint64_t previous1 = 0;  // result of the pass before this one
  std::uint64_t previous2 = 0;  // and of the one before that
  for (int pass = 1;; ++pass) {
    std::uint32_t start = sources.counter();
    const std::int32_t priority = sources.threadPriority();
    const bool raise = priority != kPriorityError;
    if (raise) sources.setThreadPriority(kPriorityTimeCritical);

    // Start the interval on a fresh counter edge, with its time stamp taken right after it.
    std::uint32_t ticks = 0;
    std::uint32_t startCycles = 0;
    do {
      sources.counterAndTimestamp(ticks, startCycles);
    } while (static_cast<std::uint32_t>(ticks - start) < kSyncTicks);
    start = ticks;
    std::uint32_t endCycles = 0;
    do {
      sources.counterAndTimestamp(ticks, endCycles);
    } while (static_cast<std::uint32_t>(ticks - start) < kMeasureTicks);

    if (raise) sources.setThreadPriority(priority);

    const std::uint64_t elapsed = static_cast<std::uint32_t>(ticks - start);
    const std::uint64_t micros = elapsed * 100000 / tenth;  // >= 1, checked above
    const std::uint64_t cycles = static_cast<std::uint32_t>(endCycles - startCycles);
    totalMicros += micros;
    totalCycles += cycles;

    std::uint64_t result = cycles / micros;
    if (cycles % micros > micros / 2) ++result;

    if (pass >= kMaxPasses) break;
    if (pass >= kMinPasses) {
      const std::uint64_t sum = result + previous1 + previous2;
      if (distance(3 * result, sum) <= 3 && distance(3 * previous1, sum) <= 3 &&
          distance(3 * previous2, sum) <= 3) {
        break;
      }
    }
    previous2 = previous1;
    previous1 = result;
  }

  std::uint64_t whole = totalCycles / totalMicros;
  std::uint64_t tenths = totalCycles * 10 / totalMicros;
  const std::uint64_t hundredths = totalCycles * 100 / totalMicros;
  if (hundredths - 10 * tenths >= 6) ++tenths;
  if (tenths - 10 * whole >= 6) ++whole;
  constexpr std::uint64_t kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(whole > kMax ? kMax : whole);
}

bool parseCpuList(const char* text, CpuMask& mask) {
  CpuMask result;
  const char* p = text;
  bool any = false;
  while (*p && !isSpace(*p)) {
    auto number = [&p](unsigned& out) {
      if (*p < '0' || *p > '9') return false;
      unsigned long long v = 0;
      for (; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + static_cast<unsigned>(*p - '0');
        if (v > 1000000) return false;
      }
      out = static_cast<unsigned>(v);
      return true;
    };
    unsigned first = 0;
    if (!number(first)) return false;
    unsigned last = first;
    if (*p == '-') {
      ++p;
      if (!number(last) || last < first) return false;
    }
    for (unsigned cpu = first; cpu <= last && cpu < 64u * CpuMask::kWords; ++cpu) result.set(cpu);
    any = true;
    if (*p == ',') {
      ++p;
      if (*p == '\0' || isSpace(*p)) return false;
    } else if (*p && !isSpace(*p)) {
      return false;
    }
  }
  while (isSpace(*p)) ++p;
  if (!any || *p) return false;
  mask = result;
  return true;
}

std::uint8_t findPciDevice(PciBus& bus, std::uint16_t vendor, std::uint16_t device,
                           std::uint16_t index) {
  // No device can carry the "no device" vendor identifier.
  if (vendor == 0xFFFF) return kPciBadVendorId;
  class Match final : public PciSink {
   public:
    explicit Match(PciId wanted) : wanted_(wanted) {}
    void found(PciId id) override {
      if (id.vendor == wanted_.vendor && id.device == wanted_.device) ++count;
    }
    unsigned count = 0;

   private:
    PciId wanted_;
  } match(PciId{vendor, device});
  if (!bus.devices(match)) return kPciDeviceNotFound;
  return match.count > index ? kPciSuccessful : kPciDeviceNotFound;
}

std::int32_t vDetect(PciBus& bus, std::int32_t vendor, std::int32_t device) {
  const std::uint8_t status = findPciDevice(bus, static_cast<std::uint16_t>(vendor & 0xFFFF),
                                            static_cast<std::uint16_t>(device & 0xFFFF), 0);
  return status == kPciSuccessful ? 1 : 0;
}

bool parsePciHardwareId(const char* text, PciId& id) {
  const char* p = text;
  skipPrefix(p, "pci\\");
  PciId result{};
  if (!skipPrefix(p, "ven_") || !readHex4(p, result.vendor)) return false;
  if (!skipPrefix(p, "&dev_") || !readHex4(p, result.device)) return false;
  if (*p != '\0' && *p != '&' && *p != '\\') return false;
  id = result;
  return true;
}

bool parseHexId(const char* text, std::uint16_t& value) {
  const char* p = text;
  skipPrefix(p, "0x");
  unsigned v = 0;
  int digits = 0;
  for (; hexDigit(*p) >= 0; ++p, ++digits) {
    if (digits == 4) return false;
    v = v * 16 + static_cast<unsigned>(hexDigit(*p));
  }
  while (isSpace(*p)) ++p;
  if (digits == 0 || *p) return false;
  value = static_cast<std::uint16_t>(v);
  return true;
}

}  // namespace pellimor
