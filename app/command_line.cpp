#include "app/command_line.h"

#include "app/config_dat.h"
#include "settings/profile_store.h"

namespace varnex::app {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

Command notUnderstood(std::string why) { return {Command::Kind::NotUnderstood, {}, std::move(why)}; }

}  // namespace

Command parseCommandLine(std::string_view line) {
  line = trimmed(line);
  if (line.empty()) return {};
  std::size_t end = 0;
  while (end < line.size() && !isBlank(line[end])) ++end;
  const std::string_view word = line.substr(0, end);
  // Words without a switch (a file dropped on the program) ask for nothing but the window.
  if (word.front() != '/') return {};
  Command command;
  if (settings::equalsIgnoringCase(word, "/save")) {
    command.kind = Command::Kind::Save;
  } else if (settings::equalsIgnoringCase(word, "/apply")) {
    command.kind = Command::Kind::Apply;
  } else {
    return notUnderstood("\"" + std::string(word) + "\" is not understood: use /save PROFILE or /apply PROFILE");
  }
  std::string_view rest = trimmed(line.substr(end));
  if (!rest.empty() && rest.front() == '"') {
    const std::size_t close = rest.find('"', 1);
    if (close == std::string_view::npos) return notUnderstood("the profile's name has no closing quote");
    if (!trimmed(rest.substr(close + 1)).empty())
      return notUnderstood("\"" + std::string(trimmed(rest.substr(close + 1))) + "\" follows the profile's name");
    rest = rest.substr(1, close - 1);
  }
  if (rest.empty()) return notUnderstood(std::string(word) + " needs the name of a profile");
  command.profile = rest;
  return command;
}

std::string absolutePath(const std::string& directory, const std::string& path) {
  const bool unc = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
  const bool withDrive = path.size() >= 2 && path[1] == ':';
  if (unc || withDrive) return path;
  if (!path.empty() && path[0] == '\\')
    return directory.size() >= 2 && directory[1] == ':' ? directory.substr(0, 2) + path : path;
  return joinPath(directory, path);
}

}  // namespace varnex::app
