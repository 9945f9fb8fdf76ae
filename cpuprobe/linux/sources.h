// Linux sources of the probes: CLOCK_MONOTONIC_RAW as a 10 MHz counter, RDTSC, the thread's
// nice value as its priority, the online CPUs, and the devices in sysfs.
#pragma once

#include <string>

#include "cpuprobe/probe.h"

namespace pellimor {

class LinuxProcessor : public ProcessorSources {
 public:
  // The counter ticks every 100 ns, the common Win32 performance-counter rate: a 1000-tick
  // pass then lasts 100 us, as it does there.
  static constexpr std::uint64_t kCounterHz = 10000000;

  // cpuList is the file listing the online CPUs.
  explicit LinuxProcessor(const char* cpuList = "/sys/devices/system/cpu/online")
      : cpuList_(cpuList) {}
  bool counterFrequency(std::uint64_t& ticksPerSecond) override;
  std::uint32_t counter() override;
  void counterAndTimestamp(std::uint32_t& ticks, std::uint32_t& cycles) override;
  std::int32_t threadPriority() override;
  void setThreadPriority(std::int32_t priority) override;
  bool systemAffinity(CpuMask& mask) override;

 private:
  const char* cpuList_;  // not a std::string: CPUSpeed and EnumCPU allocate nothing
};

class LinuxPciBus : public PciBus {
 public:
  explicit LinuxPciBus(const char* root = "/sys/bus/pci/devices") : root_(root) {}
  bool devices(PciSink& out) override;

 private:
  std::string root_;
};

}  // namespace pellimor
