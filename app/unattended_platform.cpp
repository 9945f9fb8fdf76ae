#include "app/unattended_platform.h"

namespace varnex::app {

namespace {

constexpr std::uint32_t kButtons = 0xF;  // MB_TYPEMASK
constexpr std::uint32_t kMbOkCancel = 0x1, kMbAbortRetryIgnore = 0x2, kMbRetryCancel = 0x5;
constexpr int kIdAbort = 3;

}  // namespace

int UnattendedPlatform::messageBox(const std::string& text, const std::string&, std::uint32_t flags) {
  reports_.push_back(text);
  // As if the box were closed: the answer that goes ahead with nothing.
  switch (flags & kButtons) {
    case kMbYesNo: return kIdNo;
    case kMbYesNoCancel:
    case kMbOkCancel:
    case kMbRetryCancel: return kIdCancel;
    case kMbAbortRetryIgnore: return kIdAbort;
    default: return kIdOk;
  }
}

bool UnattendedPlatform::exitWindows(std::uint32_t) {
  reports_.push_back("Windows was not restarted or shut down: nobody is at the machine.");
  return false;
}

bool UnattendedPlatform::setSystemPowerState(bool, bool) {
  reports_.push_back("The computer was not suspended or shut down: nobody is at the machine.");
  return false;
}

std::optional<std::string> UnattendedPlatform::browseForFolder(const std::string& title) {
  reports_.push_back("The folder dialog \"" + title + "\" was not shown: nobody is at the machine.");
  return std::nullopt;
}

std::optional<std::string> UnattendedPlatform::openPicture(const std::string&) {
  reports_.push_back("The picture dialog was not shown: nobody is at the machine.");
  return std::nullopt;
}

std::optional<std::string> UnattendedPlatform::saveFileName(const FileDialog& dialog) {
  reports_.push_back("The dialog \"" + dialog.title + "\" was not shown: nobody is at the machine.");
  return std::nullopt;
}

std::optional<std::string> UnattendedPlatform::openFileName(const FileDialog& dialog) {
  reports_.push_back("The dialog \"" + dialog.title + "\" was not shown: nobody is at the machine.");
  return std::nullopt;
}

void UnattendedPlatform::shellExecute(const std::string&, const std::string& file, const std::string&,
                                      const std::string&) {
  reports_.push_back("\"" + file + "\" was not opened: nobody is at the machine.");
}

}  // namespace varnex::app
