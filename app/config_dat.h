#pragma once
// The 20-byte state file Config.DAT in the program directory: five 32-bit records. Records 1,
// 2, 4 and 5 are kept exactly as read; record 3 is the first-run flag.
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

}  // namespace varnex::app
