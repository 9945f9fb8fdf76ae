// Win32 sources of the probes: performance counter, RDTSC, thread priority, affinity, and
// the PCI devices that the configuration manager has enumerated (see README.md).
#pragma once

#include "cpuprobe/probe.h"

namespace pellimor {

class Win32Processor : public ProcessorSources {
 public:
  bool counterFrequency(std::uint64_t& ticksPerSecond) override;
  std::uint32_t counter() override;
  void counterAndTimestamp(std::uint32_t& ticks, std::uint32_t& cycles) override;
  std::int32_t threadPriority() override;
  void setThreadPriority(std::int32_t priority) override;
  bool systemAffinity(CpuMask& mask) override;
};

class Win32PciBus : public PciBus {
 public:
  bool devices(PciSink& out) override;
};

}  // namespace pellimor
