// Test host: loads libpellimor.so by name, as a host program would, and prints its results.
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "cpuprobe/host.h"

namespace {

double nowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Like LoadLibrary on Windows: the host's own directory first, then the system's search path.
void* loadByName(const char* name) {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n > 0) {
    self[n] = '\0';
    std::string path(self);
    path.resize(path.rfind('/') + 1);
    if (void* lib = dlopen((path + name).c_str(), RTLD_NOW | RTLD_LOCAL)) return lib;
  }
  return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

int main(int argc, char** argv) {
  void* lib = loadByName("libpellimor.so");
  if (!lib) {
    fprintf(stderr, "cannot load libpellimor.so: %s\n", dlerror());
    return 1;
  }
  pellimor::HostExports exports{
      reinterpret_cast<PellimorCountFn>(dlsym(lib, "EnumCPU")),
      reinterpret_cast<PellimorCountFn>(dlsym(lib, "CPUSpeed")),
      reinterpret_cast<PellimorDetectFn>(dlsym(lib, "vDetect")),
  };
  if (!exports.enumCpu || !exports.cpuSpeed || !exports.vDetect) {
    fprintf(stderr, "libpellimor.so lacks an export\n");
    dlclose(lib);
    return 1;
  }
  const int rc = pellimor::runHost(exports, argc, argv, nowMs);
  dlclose(lib);
  return rc;
}
