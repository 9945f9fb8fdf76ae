#pragma once
#include <string>

#include "base/error.h"

namespace varnex::settings {

// A store failure carrying the exact text the user sees; raised at the store, shown once per pass.
struct StoreError : Error {
  using Error::Error;
};

// The four messages the stores raise; %s is filled with the value name or file name.
std::string failedToSetData(const std::string& valueName);
std::string unableToWriteTo(const std::string& fileName);
std::string invalidDataType(const std::string& valueName);
std::string failedToGetData(const std::string& valueName);

}  // namespace varnex::settings
