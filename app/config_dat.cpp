#include "app/config_dat.h"

namespace varnex::app {

std::string joinPath(const std::string& dir, const std::string& name) {
  if (!dir.empty() && dir.back() == '\\') return dir + name;
  return dir + "\\" + name;
}

std::string configPath(const std::string& programDirectory) {
  return joinPath(programDirectory, kConfigFileName);
}

std::string fileErrorText(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    default: return "I/O error " + std::to_string(code);
  }
}

}  // namespace varnex::app

namespace varnex::app {

int fileErrorOf(std::uint32_t systemError) {
  switch (systemError) {
    case 0: return 31;         // ERROR_GEN_FAILURE
    case 123: return 3;        // ERROR_INVALID_NAME
    case 39:                   // ERROR_HANDLE_DISK_FULL
    case 112: return 101;      // ERROR_DISK_FULL
    default: return static_cast<int>(systemError);
  }
}

}  // namespace varnex::app
