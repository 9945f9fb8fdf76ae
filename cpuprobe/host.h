// The test host's portable half: reads its arguments, calls the three exports through the
// pointers the platform half looked up, and prints the results.
#pragma once

#include "cpuprobe/pellimor.h"

namespace pellimor {

struct HostExports {
  PellimorCountFn enumCpu;
  PellimorCountFn cpuSpeed;
  PellimorDetectFn vDetect;
};

// Usage: pellimor-host [--bench RUNS] [VENDOR DEVICE]   (identifiers in hex)
// nowMs reads a monotonic clock in milliseconds. Returns the process exit code.
int runHost(const HostExports& exports, int argc, char** argv, double (*nowMs)());

}  // namespace pellimor
