#include "cpuprobe/linux/sources.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>
#include <x86intrin.h>

namespace pellimor {

namespace {

std::uint32_t rawTicks() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC_RAW, &ts);
  const std::uint64_t ns = static_cast<std::uint64_t>(ts.tv_sec) * 1000000000u +
                           static_cast<std::uint64_t>(ts.tv_nsec);
  return static_cast<std::uint32_t>(ns / (1000000000u / LinuxProcessor::kCounterHz));
}

id_t threadId() { return static_cast<id_t>(syscall(SYS_gettid)); }

// Reads a small text file whole; false when it cannot be read or does not fit.
bool readSmallFile(const char* path, char* buffer, std::size_t size) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::size_t used = 0;
  for (;;) {
    const ssize_t n = read(fd, buffer + used, size - 1 - used);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    used += static_cast<std::size_t>(n);
    if (used == size - 1) break;
  }
  close(fd);
  buffer[used] = '\0';
  return used > 0 && used < size - 1;
}

}  // namespace

bool LinuxProcessor::counterFrequency(std::uint64_t& ticksPerSecond) {
  timespec ts;
  if (clock_gettime(CLOCK_MONOTONIC_RAW, &ts) != 0) return false;
  ticksPerSecond = kCounterHz;
  return true;
}

std::uint32_t LinuxProcessor::counter() { return rawTicks(); }

void LinuxProcessor::counterAndTimestamp(std::uint32_t& ticks, std::uint32_t& cycles) {
  ticks = rawTicks();
  cycles = static_cast<std::uint32_t>(__rdtsc());
}

// Priorities grow with urgency as on Win32, so a thread's priority is its negated nice value.
// Raising it needs CAP_SYS_NICE or RLIMIT_NICE; without them the passes run at the thread's
// own priority, and setting it back is always allowed.
std::int32_t LinuxProcessor::threadPriority() {
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, threadId());
  if (nice == -1 && errno != 0) return kPriorityError;
  return -nice;
}

void LinuxProcessor::setThreadPriority(std::int32_t priority) {
  setpriority(PRIO_PROCESS, threadId(), -priority);
}

bool LinuxProcessor::systemAffinity(CpuMask& mask) {
  char text[4096];
  if (readSmallFile(cpuList_, text, sizeof text) && parseCpuList(text, mask)) return true;
  const long online = sysconf(_SC_NPROCESSORS_ONLN);
  if (online <= 0) return false;
  mask = CpuMask{};
  for (long cpu = 0; cpu < online; ++cpu) mask.set(static_cast<unsigned>(cpu));
  return true;
}

bool LinuxPciBus::devices(PciSink& out) {
  DIR* dir = opendir(root_.c_str());
  if (!dir) return false;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    const std::string device = root_ + "/" + entry->d_name;
    char vendorText[32];
    char deviceText[32];
    PciId id;
    if (readSmallFile((device + "/vendor").c_str(), vendorText, sizeof vendorText) &&
        readSmallFile((device + "/device").c_str(), deviceText, sizeof deviceText) &&
        parseHexId(vendorText, id.vendor) && parseHexId(deviceText, id.device)) {
      out.found(id);
    }
  }
  closedir(dir);
  return true;
}

}  // namespace pellimor
