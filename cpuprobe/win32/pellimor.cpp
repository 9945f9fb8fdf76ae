// pellimor.dll: the exports over the Win32 sources.
#include <windows.h>

#include "cpuprobe/pellimor.h"
#include "cpuprobe/probe.h"
#include "cpuprobe/win32/sources.h"

// Nothing to set up or tear down: the library keeps no state.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" int32_t __stdcall EnumCPU(void) {
  pellimor::Win32Processor sources;
  return pellimor::enumCpu(sources);
}

extern "C" int32_t __stdcall CPUSpeed(void) {
  pellimor::Win32Processor sources;
  return pellimor::cpuSpeed(sources);
}

extern "C" int32_t __stdcall vDetect(int32_t vendor, int32_t device) {
  pellimor::Win32PciBus bus;
  return pellimor::vDetect(bus, vendor, device);
}
