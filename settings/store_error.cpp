#include "settings/store_error.h"

namespace varnex::settings {

std::string failedToSetData(const std::string& valueName) {
  return "Failed to set data for '" + valueName + "'";
}
std::string unableToWriteTo(const std::string& fileName) { return "Unable to write to " + fileName; }
std::string invalidDataType(const std::string& valueName) {
  return "Invalid data type for '" + valueName + "'";
}
std::string failedToGetData(const std::string& valueName) {
  return "Failed to get data for '" + valueName + "'";
}

}  // namespace varnex::settings
