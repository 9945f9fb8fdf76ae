#include "tests/support/fake_platform.h"

#include <cstdio>
#include <utility>

#include "settings/platform_api.h"

namespace varnex::testing {

namespace {

constexpr app::WindowHandle kFirstWindow = 4096;
constexpr std::size_t kRecordBytes = 20;

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

std::string boolText(bool value) { return value ? "true" : "false"; }

std::string parentOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace

app::WindowHandle FakePlatform::addWindow(const std::string& className, const std::string& title,
                                          bool visible) {
  windows_.push_back(Window{className, title, visible});
  return kFirstWindow + windows_.size() - 1;
}

void FakePlatform::setWindowVisible(app::WindowHandle window, bool visible) {
  windows_.at(window - kFirstWindow).visible = visible;
}

std::vector<std::string> FakePlatform::calls(std::string_view name) const {
  std::vector<std::string> found;
  for (const std::string& line : calls_)
    if (line.size() > name.size() && line.compare(0, name.size(), name) == 0 && line[name.size()] == '(')
      found.push_back(line);
  return found;
}

int FakePlatform::messageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
  std::string line = "messageBox(" + text + ", " + caption + ", " + hex(flags) + ")";
  int answer = defaultAnswer;
  if (answers.empty()) {
    line += " [unscripted]";
  } else {
    answer = answers.front();
    answers.pop();
  }
  record(std::move(line));
  if (whileBoxOpen) whileBoxOpen(text);
  return answer;
}

app::WindowHandle FakePlatform::findWindow(const std::string& className, const std::string& title) {
  record("findWindow(" + className + ", " + title + ")");
  for (std::size_t i = 0; i < windows_.size(); ++i)
    if (windows_[i].className == className && windows_[i].title == title) return kFirstWindow + i;
  return 0;
}

bool FakePlatform::isWindowVisible(app::WindowHandle window) {
  record("isWindowVisible(" + std::to_string(window) + ")");
  const std::size_t index = window - kFirstWindow;
  return window >= kFirstWindow && index < windows_.size() && windows_[index].visible;
}

bool FakePlatform::postMessage(app::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
  record("postMessage(" + std::to_string(window) + ", " + hex(message) + ", " + std::to_string(wParam) +
         ", " + std::to_string(lParam) + ")");
  return window >= kFirstWindow && window - kFirstWindow < windows_.size();
}

bool FakePlatform::exitWindows(std::uint32_t flags) {
  record("exitWindows(" + std::to_string(flags) + ")");
  return exitWindowsResult;
}

bool FakePlatform::setSystemPowerState(bool suspend, bool force) {
  record("setSystemPowerState(" + boolText(suspend) + ", " + boolText(force) + ")");
  return powerStateResult;
}

std::optional<std::string> FakePlatform::dialogResult(std::queue<std::optional<std::string>>& queue,
                                                      std::string line) {
  if (queue.empty()) {
    record(line + " [unscripted]");
    return std::nullopt;
  }
  std::optional<std::string> result = queue.front();
  queue.pop();
  record(std::move(line));
  return result;
}

std::optional<std::string> FakePlatform::browseForFolder(const std::string& title) {
  return dialogResult(folders, "browseForFolder(" + title + ")");
}

std::optional<std::string> FakePlatform::openPicture(const std::string& initialPath) {
  return dialogResult(pictures, "openPicture(" + initialPath + ")");
}

std::optional<std::string> FakePlatform::saveFileName(const app::FileDialog& dialog) {
  return dialogResult(saveNames, "saveFileName(" + dialog.title + ", " + dialog.filterName + ")");
}

std::optional<std::string> FakePlatform::openFileName(const app::FileDialog& dialog) {
  return dialogResult(openNames, "openFileName(" + dialog.title + ", " + dialog.filterName + ")");
}

void FakePlatform::shellExecute(const std::string& verb, const std::string& file,
                                const std::string& parameters, const std::string& directory) {
  record("shellExecute(" + verb + ", " + file + ", " + parameters + ", " + directory + ")");
}

void FakePlatform::showTrayIcon(const std::string& tip) {
  record("showTrayIcon(" + tip + ")");
  trayShown_ = true;
  trayTip_ = tip.substr(0, 63);  // what the notification area keeps
}

void FakePlatform::removeTrayIcon() {
  record("removeTrayIcon()");
  trayShown_ = false;
}

void FakePlatform::showMainWindow(bool shown) {
  record("showMainWindow(" + boolText(shown) + ")");
  windowShown_ = shown;
}

int FakePlatform::popupMenu(const std::vector<std::string>& items) {
  std::string line = "popupMenu(";
  for (std::size_t i = 0; i < items.size(); ++i) line += (i ? ", " : "") + items[i];
  line += ")";
  int choice = -1;
  if (menuChoices.empty()) {
    line += " [unscripted]";
  } else {
    choice = menuChoices.front();
    menuChoices.pop();
  }
  record(std::move(line));
  return choice;
}

void FakePlatform::setTimer(int id, std::uint32_t periodMs) {
  record("setTimer(" + std::to_string(id) + ", " + std::to_string(periodMs) + ")");
  timers_[id] = periodMs;
}

void FakePlatform::killTimer(int id) {
  record("killTimer(" + std::to_string(id) + ")");
  timers_.erase(id);
}

app::MemoryStatus FakePlatform::memoryStatus() {
  record("memoryStatus()");
  return memory;
}

app::OsVersion FakePlatform::osVersion() {
  record("osVersion()");
  return version;
}

std::string FakePlatform::windowsDirectory() {
  record("windowsDirectory()");
  return files_.windowsDirectory();
}

std::string FakePlatform::currentDirectory() {
  record("currentDirectory()");
  return files_.currentDirectory();
}

int FakePlatform::openError(const std::string& path, bool mustExist) const {
  const std::string parent = parentOf(path);
  if (!parent.empty() && !files_.isFolder(parent)) return 3;
  if (files_.isFolder(path)) return 5;
  const std::uint32_t attributes = files_.getFileAttributes(path);
  if (attributes == settings::kInvalidFileAttributes) return mustExist ? 2 : 0;
  return (attributes & settings::kAttrReadOnly) ? 5 : 0;
}

int FakePlatform::readRecords(const std::string& path, app::Records& records) {
  record("readRecords(" + path + ")");
  if (int error = std::exchange(failRead_, 0)) return error;
  if (int error = openError(path, true)) return error;
  const std::string bytes = *files_.readFile(path);
  if (bytes.size() < kRecordBytes) return 100;
  for (std::size_t i = 0; i < records.size(); ++i) {
    records[i] = 0;
    for (int b = 3; b >= 0; --b) records[i] = records[i] << 8 | static_cast<std::uint8_t>(bytes[i * 4 + b]);
  }
  return 0;
}

int FakePlatform::writeRecords(const std::string& path, const app::Records& records) {
  record("writeRecords(" + path + ")");
  if (int error = std::exchange(failWrite_, 0)) return error;
  if (int error = openError(path, false)) return error;
  std::string bytes;
  for (std::uint32_t value : records)
    for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>(value >> (8 * b) & 0xFF));
  files_.writeFile(path, bytes);
  return 0;
}

bool FakePlatform::appendLine(const std::string& path, const std::string& line) {
  record("appendLine(" + path + ", " + line + ")");
  if (openError(path, false)) return false;
  return files_.writeFile(path, files_.readFile(path).value_or("") + line + "\r\n");
}

int FakePlatform::readFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
  record("readFile(" + path + ")");
  const int error = openError(path, true);
  if (error != 0 && error != 5) return error;
  if (files_.isFolder(path)) return 5;  // read-only files can be read
  bytes = files_.readFile(path)->substr(0, maxBytes + 1);
  return 0;
}

int FakePlatform::writeFile(const std::string& path, const std::string& bytes) {
  record("writeFile(" + path + ")");
  if (int error = openError(path, false)) return error;
  files_.writeFile(path, bytes);
  return 0;
}

app::LocalTime FakePlatform::localTime() {
  record("localTime()");
  return clock;
}

}  // namespace varnex::testing
