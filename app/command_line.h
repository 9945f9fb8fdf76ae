#pragma once
// What varnex.exe is asked to do: "/save PROFILE" and "/apply PROFILE" run without a window,
// another switch is not understood, and anything else (nothing, a file dropped on the program)
// opens the window.
#include <string>
#include <string_view>

namespace varnex::app {

struct Command {
  enum class Kind { Window, Save, Apply, NotUnderstood } kind = Kind::Window;
  std::string profile;  // the path as given, without its quotes
  std::string why;      // NotUnderstood: what is wrong, for the log
};

// The switch ignores case. The profile is the rest of the line, so that a path with spaces needs
// no quotes; in quotes, nothing may follow it.
Command parseCommandLine(std::string_view line);

// A path as the program opens it: absolute ones ("C:\...", "\\server\share\...") as they are, one
// from the drive's root ("\...") on the directory's drive, any other below the directory.
std::string absolutePath(const std::string& directory, const std::string& path);

}  // namespace varnex::app
