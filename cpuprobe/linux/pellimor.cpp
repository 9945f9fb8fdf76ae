// libpellimor.so: the exports over the Linux sources.
#include "cpuprobe/linux/sources.h"
#include "cpuprobe/pellimor.h"
#include "cpuprobe/probe.h"

extern "C" int32_t EnumCPU(void) {
  pellimor::LinuxProcessor sources;
  return pellimor::enumCpu(sources);
}

extern "C" int32_t CPUSpeed(void) {
  pellimor::LinuxProcessor sources;
  return pellimor::cpuSpeed(sources);
}

extern "C" int32_t vDetect(int32_t vendor, int32_t device) {
  try {
    pellimor::LinuxPciBus bus;
    return pellimor::vDetect(bus, vendor, device);
  } catch (...) {  // out of memory while listing: report "not present", never unwind into C
    return 0;
  }
}
