#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cpuprobe/linux/sources.h"
#include "cpuprobe/probe.h"

namespace pellimor {
namespace {

// A scratch directory removed with everything in it.
class Scratch {
 public:
  Scratch() {
    char path[] = "/tmp/pellimor-test.XXXXXX";
    dir_ = mkdtemp(path);
  }
  ~Scratch() { std::system(("rm -rf '" + dir_ + "'").c_str()); }
  const std::string& dir() const { return dir_; }
  std::string mkdir(const std::string& name) const {
    const std::string path = dir_ + "/" + name;
    ::mkdir(path.c_str(), 0755);
    return path;
  }
  static void write(const std::string& path, const char* text) {
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr) << path;
    std::fputs(text, f);
    std::fclose(f);
  }

 private:
  std::string dir_;
};

void addDevice(const Scratch& sys, const char* slot, const char* vendor, const char* device) {
  const std::string dir = sys.mkdir(slot);
  if (vendor) Scratch::write(dir + "/vendor", vendor);
  if (device) Scratch::write(dir + "/device", device);
}

TEST(LinuxPciBus, ListsTheDevicesOfTheSysfsTree) {
  Scratch sys;
  addDevice(sys, "0000:00:00.0", "0x8086\n", "0x0d57\n");
  addDevice(sys, "0000:00:01.0", "0x1af4\n", "0x1045\n");
  addDevice(sys, "0000:00:02.0", "0x10de\n", nullptr);      // half-removed: skipped
  addDevice(sys, "0000:00:03.0", "garbage\n", "0x1234\n");  // unreadable: skipped
  LinuxPciBus bus(sys.dir().c_str());
  EXPECT_EQ(vDetect(bus, 0x8086, 0x0D57), 1);
  EXPECT_EQ(vDetect(bus, 0x1AF4, 0x1045), 1);
  EXPECT_EQ(vDetect(bus, 0x0D57, 0x8086), 0);
  PciList ids;
  ASSERT_TRUE(bus.devices(ids));
  EXPECT_EQ(ids.ids.size(), 2u);
}

TEST(LinuxPciBus, ReportsAMissingTreeAsNoDevice) {
  LinuxPciBus bus("/nonexistent/pci/devices");
  PciList ids;
  EXPECT_FALSE(bus.devices(ids));
  EXPECT_EQ(vDetect(bus, 0x8086, 0x0D57), 0);
}

TEST(LinuxProcessor, CountsTheOnlineCpus) {
  Scratch sys;
  const std::string online = sys.dir() + "/online";
  Scratch::write(online, "0-2,4\n");
  LinuxProcessor cpu(online.c_str());
  EXPECT_EQ(enumCpu(cpu), 4);
}

TEST(LinuxProcessor, FallsBackToTheKernelsCountWhenTheListIsUnreadable) {
  Scratch sys;
  const std::string online = sys.dir() + "/online";
  Scratch::write(online, "zero to three\n");
  LinuxProcessor bad(online.c_str());
  LinuxProcessor missing("/nonexistent/online");
  const std::int32_t count = static_cast<std::int32_t>(sysconf(_SC_NPROCESSORS_ONLN));
  EXPECT_EQ(enumCpu(bad), count);
  EXPECT_EQ(enumCpu(missing), count);
}

TEST(LinuxProcessor, MeasuresThisMachineAndLeavesThePriorityAsItWas) {
  LinuxProcessor cpu;
  const std::int32_t before = cpu.threadPriority();
  ASSERT_NE(before, kPriorityError);
  EXPECT_GT(cpuSpeed(cpu), 0);
  EXPECT_EQ(cpu.threadPriority(), before);
}

}  // namespace
}  // namespace pellimor
