#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "settings/memory/memory_machine.h"

namespace varnex::settings {

// The sample Windows 98 SE machine of sample/ (the same files scripts/sample-prefix.sh puts
// into a Wine prefix), loaded into memory stores:
// - the registry from sample/registry.reg;
// - C:\MSDOS.SYS read-only, hidden and system, as setup leaves it;
// - SYSTEM.INI in the Windows directory C:\WINDOWS;
// - the shell folders Desktop, Start Menu\Programs and the quick-launch folder;
// - the program folder (the current directory) with Readme.txt and Config.DAT, and the
//   installer's start-menu Uninstall.lnk pointing at the uninstaller there.
// Throws std::runtime_error naming the file when a sample file is missing or malformed.
void loadSampleMachine(MemoryMachine& machine);

inline const std::string kSampleProgramFolder = "C:\\Program Files\\Varnex 2000";
inline const std::string kSampleUninstallLink =
    "C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000\\Uninstall.lnk";
inline const std::string kSampleUninstaller = kSampleProgramFolder + "\\Uninstall.exe";
// Config.DAT's five records; record 3 = 1 asks the first start to copy the uninstall shortcut.
inline constexpr std::array<std::uint32_t, 5> kSampleConfigRecords = {2000, 98, 1, 11, 0};

// A file of sample/ as bytes.
std::string readSampleFile(const std::string& name);

}  // namespace varnex::settings
