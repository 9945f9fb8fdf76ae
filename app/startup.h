#pragma once
#include <optional>
#include <string>

#include "app/platform_services.h"
#include "settings/platform_api.h"

namespace varnex::app {

inline const std::string kMainWindowClass = "TForm1";
inline const std::string kMainWindowTitle = "Varnex 2000";
inline const std::string kApplicationErrorTitle = "Application Error";

// Start of the program, up to the creation of its windows: reads Config.DAT, makes the
// first-run copy of the uninstall shortcut, hands over to a running instance. Returns the
// records when the program goes on to create its windows, nothing when it must end (the error
// has been shown, or the running instance has been asked to come back).
std::optional<Records> startProgram(PlatformServices& platform, settings::StoreApis stores);

}  // namespace varnex::app
