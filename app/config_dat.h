#pragma once
// The 20-byte state file Config.DAT in the program directory: five 32-bit records. Records 1,
// 2, 4 and 5 are kept exactly as read; record 3 is the first-run flag.
#include <cstdint>
#include <string>

#include "app/platform_services.h"

namespace varnex::app {

inline const std::string kConfigFileName = "Config.DAT";
inline constexpr std::size_t kFirstRunRecord = 2;  // record 3

// dir + "\" + name, without doubling the backslash of a drive root such as "C:\".
std::string joinPath(const std::string& dir, const std::string& name);
std::string configPath(const std::string& programDirectory);

// The text of a file error number: "File not found", ..., "I/O error 32".
std::string fileErrorText(int code);

// The file error number the user sees for a system error code of a failed file operation. The
// system's own number, except where another number's text says the same thing: a name the
// system calls invalid (123) is "Invalid filename" (3), a full disk (39, 112) "Disk full" (101).
// A failure that named no cause (0) is reported as a general failure (31).
int fileErrorOf(std::uint32_t systemError);

}  // namespace varnex::app
