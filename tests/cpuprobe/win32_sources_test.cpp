// Runs under Wine, in a throwaway prefix: registry changes here never outlive the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "cpuprobe/probe.h"
#include "cpuprobe/win32/sources.h"

namespace pellimor {
namespace {

const char kEnumPci[] = "System\\CurrentControlSet\\Enum\\PCI";

// Adds a device key under the PCI enumerator for the life of the fixture.
class EnumeratedDevice {
 public:
  explicit EnumeratedDevice(const char* name) : path_(std::string(kEnumPci) + "\\" + name) {
    HKEY key = nullptr;
    created_ = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_WRITE,
                               nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (created_) RegCloseKey(key);
  }
  ~EnumeratedDevice() {
    if (created_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, path_.c_str());
  }
  bool created() const { return created_; }

 private:
  std::string path_;
  bool created_ = false;
};

// Adds a device node of this session, as Windows 98's configuration manager lists it.
class DeviceNode {
 public:
  DeviceNode(const char* node, const char* hardwareKey)
      : path_(std::string("Config Manager\\Enum\\") + node) {
    HKEY key = nullptr;
    created_ = RegCreateKeyExA(HKEY_DYN_DATA, path_.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                               KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (!created_) return;
    created_ = RegSetValueExA(key, "HardWareKey", 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(hardwareKey),
                              static_cast<DWORD>(strlen(hardwareKey) + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  ~DeviceNode() { RegDeleteKeyA(HKEY_DYN_DATA, path_.c_str()); }
  bool created() const { return created_; }

 private:
  std::string path_;
  bool created_ = false;
};

TEST(Win32PciBus, TrustsTheConfigurationManagersPresentDevicesOverTheEnumerator) {
  // The enumerator's key also remembers devices that have been taken out.
  EnumeratedDevice removed("VEN_1234&DEV_5678&SUBSYS_00000000&REV_01");
  DeviceNode bridge("C29A3B10", "PCI\\VEN_1234&DEV_9ABC&SUBSYS_00000000&REV_02\\000800");
  DeviceNode keyboard("C29A3B20", "ISAPNP\\READDATAPORT\\0");
  ASSERT_TRUE(removed.created() && bridge.created() && keyboard.created());
  Win32PciBus bus;
  EXPECT_EQ(vDetect(bus, 0x1234, 0x9ABC), 1);
  EXPECT_EQ(vDetect(bus, 0x9ABC, 0x1234), 0);
  EXPECT_EQ(vDetect(bus, 0x1234, 0x5678), 0);
}

// Wine's configuration-manager key is empty: the enumerator's key answers.
TEST(Win32PciBus, FindsADeviceTheEnumeratorListed) {
  EnumeratedDevice device("VEN_1234&DEV_5678&SUBSYS_00000000&REV_01");
  ASSERT_TRUE(device.created());
  Win32PciBus bus;
  EXPECT_EQ(vDetect(bus, 0x1234, 0x5678), 1);
  EXPECT_EQ(vDetect(bus, 0x5678, 0x1234), 0);
  EXPECT_EQ(vDetect(bus, 0x1234, 0x5679), 0);
}

TEST(Win32PciBus, IgnoresKeysThatAreNotDeviceIdentifiers) {
  EnumeratedDevice device("CC_0300");
  ASSERT_TRUE(device.created());
  Win32PciBus bus;
  PciList ids;
  ASSERT_TRUE(bus.devices(ids));
  for (const PciId& id : ids.ids) EXPECT_FALSE(id.vendor == 0xCC03 || id.device == 0x0300);
}

TEST(Win32Processor, MeasuresThisMachineAndLeavesThePriorityAsItWas) {
  Win32Processor cpu;
  ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL));
  EXPECT_GT(cpuSpeed(cpu), 0);
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_BELOW_NORMAL);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
  EXPECT_GE(enumCpu(cpu), 1);
}

}  // namespace
}  // namespace pellimor
