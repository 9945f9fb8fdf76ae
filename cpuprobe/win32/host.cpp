// Test host: loads pellimor.dll by name, as a host program would, checks its ordinals and
// version resource, and prints its results.
#include <windows.h>

#include <stdio.h>

#include "cpuprobe/host.h"

namespace {

double nowMs() {
  LARGE_INTEGER f;
  LARGE_INTEGER t;
  if (!QueryPerformanceFrequency(&f)) return static_cast<double>(GetTickCount());
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e3 / static_cast<double>(f.QuadPart);
}

// Prints the version resource's string fields of the loaded library.
void printVersion(HMODULE lib) {
  char path[MAX_PATH];
  if (!GetModuleFileNameA(lib, path, sizeof path)) return;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) {
    printf("version: none\n");
    return;
  }
  char* data = new char[size];
  if (GetFileVersionInfoA(path, 0, size, data)) {
    static const char* const kFields[] = {"FileVersion", "ProductVersion", "Comments",
                                          "FileDescription", "InternalName", "OriginalFilename"};
    for (const char* field : kFields) {
      char query[128];
      snprintf(query, sizeof query, "\\StringFileInfo\\040904E4\\%s", field);
      void* value = nullptr;
      UINT length = 0;
      if (VerQueryValueA(data, query, &value, &length) && length > 0) {
        printf("%s: %s\n", field, static_cast<const char*>(value));
      }
    }
  }
  delete[] data;
}

// GetProcAddress's FARPROC, seen as the export's real type (void(*)(void) matches any).
template <class Fn>
Fn lookUp(HMODULE lib, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)(void)>(GetProcAddress(lib, name)));
}

bool sameAddress(FARPROC a, void (*b)(void)) { return reinterpret_cast<void (*)(void)>(a) == b; }

}  // namespace

int main(int argc, char** argv) {
  HMODULE lib = LoadLibraryA("pellimor.dll");
  if (!lib) {
    fprintf(stderr, "cannot load pellimor.dll (error %lu)\n", GetLastError());
    return 1;
  }
  pellimor::HostExports exports{
      lookUp<PellimorCountFn>(lib, "EnumCPU"),
      lookUp<PellimorCountFn>(lib, "CPUSpeed"),
      lookUp<PellimorDetectFn>(lib, "vDetect"),
  };
  if (!exports.enumCpu || !exports.cpuSpeed || !exports.vDetect) {
    fprintf(stderr, "pellimor.dll lacks an export\n");
    FreeLibrary(lib);
    return 1;
  }
  const bool ordinals = sameAddress(GetProcAddress(lib, MAKEINTRESOURCEA(1)),
                                    reinterpret_cast<void (*)(void)>(exports.enumCpu)) &&
                        sameAddress(GetProcAddress(lib, MAKEINTRESOURCEA(2)),
                                    reinterpret_cast<void (*)(void)>(exports.cpuSpeed)) &&
                        sameAddress(GetProcAddress(lib, MAKEINTRESOURCEA(3)),
                                    reinterpret_cast<void (*)(void)>(exports.vDetect));
  printf("ordinals: %s\n", ordinals ? "EnumCPU 1, CPUSpeed 2, vDetect 3" : "wrong");
  printVersion(lib);
  const int rc = pellimor::runHost(exports, argc, argv, nowMs);
  FreeLibrary(lib);
  return rc;
}
