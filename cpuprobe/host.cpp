#include "cpuprobe/host.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace pellimor {

namespace {

bool parseNumber(const char* text, int base, long& value) {
  char* end = nullptr;
  value = strtol(text, &end, base);
  return *text != '\0' && *end == '\0';
}

}  // namespace

int runHost(const HostExports& exports, int argc, char** argv, double (*nowMs)()) {
  long runs = 0;
  long ids[2] = {0, 0};
  int nids = 0;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--bench") == 0 && i + 1 < argc) {
      if (!parseNumber(argv[++i], 10, runs) || runs < 1 || runs > 1000) {
        fprintf(stderr, "--bench wants a number of runs from 1 to 1000\n");
        return 2;
      }
    } else if (nids < 2 && parseNumber(argv[i], 16, ids[nids])) {
      ++nids;
    } else {
      fprintf(stderr, "usage: %s [--bench RUNS] [VENDOR DEVICE]\n", argv[0]);
      return 2;
    }
  }
  if (nids == 1) {
    fprintf(stderr, "give both the vendor and the device identifier\n");
    return 2;
  }

  if (runs > 0) {
    for (long run = 1; run <= runs; ++run) {
      const double start = nowMs();
      const int mhz = exports.cpuSpeed();
      const double took = nowMs() - start;
      printf("CPUSpeed run %ld: %d MHz in %.3f ms\n", run, mhz, took);
    }
    return 0;
  }
  printf("EnumCPU: %d\n", static_cast<int>(exports.enumCpu()));
  printf("CPUSpeed: %d\n", static_cast<int>(exports.cpuSpeed()));
  printf("vDetect(0x%04lX, 0x%04lX): %d\n", ids[0], ids[1],
         static_cast<int>(exports.vDetect(static_cast<int32_t>(ids[0]),
                                          static_cast<int32_t>(ids[1]))));
  return 0;
}

}  // namespace pellimor
