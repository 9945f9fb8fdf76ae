#include "cpuprobe/win32/sources.h"

#include <windows.h>

#include <intrin.h>

#include "win32/handles.h"

namespace pellimor {

bool Win32Processor::counterFrequency(std::uint64_t& ticksPerSecond) {
  LARGE_INTEGER f;
  if (!QueryPerformanceFrequency(&f) || f.QuadPart <= 0) return false;
  ticksPerSecond = static_cast<std::uint64_t>(f.QuadPart);
  return true;
}

std::uint32_t Win32Processor::counter() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.LowPart;
}

void Win32Processor::counterAndTimestamp(std::uint32_t& ticks, std::uint32_t& cycles) {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  cycles = static_cast<std::uint32_t>(__rdtsc());
  ticks = t.LowPart;
}

std::int32_t Win32Processor::threadPriority() {
  const int p = GetThreadPriority(GetCurrentThread());
  return p == THREAD_PRIORITY_ERROR_RETURN ? kPriorityError : p;
}

void Win32Processor::setThreadPriority(std::int32_t priority) {
  SetThreadPriority(GetCurrentThread(), priority);
}

bool Win32Processor::systemAffinity(CpuMask& mask) {
  DWORD_PTR process = 0;
  DWORD_PTR system = 0;
  if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) return false;
  mask = CpuMask{};
  mask.words[0] = system;
  return true;
}

namespace {

// An open registry key, read only, with its subkeys by index.
class Key {
 public:
  Key(HKEY parent, const char* path) {
    if (RegOpenKeyExA(parent, path, 0, KEY_READ, key_.put()) != ERROR_SUCCESS) key_.release();
  }
  explicit operator bool() const { return static_cast<bool>(key_); }
  HKEY get() const { return key_.get(); }

  // Name of the index-th subkey; false past the last one.
  bool subkey(DWORD index, char* name, DWORD size) const {
    return RegEnumKeyExA(key_.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
  }

 private:
  varnex::win32::UniqueKey key_;
};

// Windows 98: the configuration manager keeps one key per device node present in this
// session under HKEY_DYN_DATA, each naming its hardware key ("PCI\VEN_8086&DEV_7190&...\000800").
// Wine has the key but leaves it empty; a real one always holds at least the root node, so an
// empty list means "ask the enumerator's key instead".
bool devicesFromConfigManager(PciSink& out) {
  Key root(HKEY_DYN_DATA, "Config Manager\\Enum");
  if (!root) return false;
  char name[256];
  DWORD nodes = 0;
  for (DWORD i = 0; root.subkey(i, name, sizeof name); ++i) {
    Key node(root.get(), name);
    if (!node) continue;
    char hardware[512];
    DWORD type = 0;
    DWORD size = sizeof hardware - 1;
    if (RegQueryValueExA(node.get(), "HardWareKey", nullptr, &type,
                         reinterpret_cast<BYTE*>(hardware), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
      continue;
    }
    ++nodes;
    hardware[size < sizeof hardware ? size : sizeof hardware - 1] = '\0';
    PciId id;
    if (parsePciHardwareId(hardware, id)) out.found(id);
  }
  return nodes > 0;
}

// NT family and Wine: the PCI enumerator's key, one subkey per device identifier.
bool devicesFromEnumKey(PciSink& out) {
  Key root(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Enum\\PCI");
  if (!root) return false;
  char name[256];
  for (DWORD i = 0; root.subkey(i, name, sizeof name); ++i) {
    PciId id;
    if (parsePciHardwareId(name, id)) out.found(id);
  }
  return true;
}

}  // namespace

bool Win32PciBus::devices(PciSink& out) {
  return devicesFromConfigManager(out) || devicesFromEnumKey(out);
}

}  // namespace pellimor
