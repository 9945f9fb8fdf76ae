#include "app/command_line.h"

#include <gtest/gtest.h>

namespace varnex::app {
namespace {

using Kind = Command::Kind;

TEST(CommandLine, SaveAndApplyTakeTheRestOfTheLineAsTheProfile) {
  struct Case {
    const char* line;
    Kind kind;
    const char* profile;  // or, not understood, why
  };
  const Case cases[] = {
      {"", Kind::Window, ""},
      {" \t ", Kind::Window, ""},
      {"/save room.ini", Kind::Save, "room.ini"},
      {"  /APPLY \t C:\\My Profiles\\room.ini  ", Kind::Apply, "C:\\My Profiles\\room.ini"},
      {"/Apply \"C:\\My Profiles\\room.ini\"  ", Kind::Apply, "C:\\My Profiles\\room.ini"},
      {"/apply \\\\SERVER\\NETLOGON\\ROOM.INI", Kind::Apply, "\\\\SERVER\\NETLOGON\\ROOM.INI"},
      {"/apply", Kind::NotUnderstood, "/apply needs the name of a profile"},
      {"/save \"\"", Kind::NotUnderstood, "/save needs the name of a profile"},
      {"/apply \"C:\\room.ini", Kind::NotUnderstood, "the profile's name has no closing quote"},
      {"/apply \"C:\\room.ini\" /quiet", Kind::NotUnderstood, "\"/quiet\" follows the profile's name"},
      {"/applyroom.ini", Kind::NotUnderstood, "\"/applyroom.ini\" is not understood: use /save PROFILE or /apply PROFILE"},
      {"/quiet", Kind::NotUnderstood, "\"/quiet\" is not understood: use /save PROFILE or /apply PROFILE"},
      // No switch at all (a file dropped on the program, a shortcut's stray words): the window,
      // as the program has always answered its command line.
      {"room.ini", Kind::Window, ""},
      {"\"C:\\My Profiles\\room.ini\"", Kind::Window, ""},
  };
  for (const Case& c : cases) {
    const Command command = parseCommandLine(c.line);
    EXPECT_EQ(command.kind, c.kind) << c.line;
    EXPECT_EQ(c.kind == Kind::NotUnderstood ? command.why : command.profile, c.profile) << c.line;
  }
}

TEST(CommandLine, ARelativeProfileIsFoundFromTheProgramFolder) {
  const std::string folder = "C:\\Program Files\\Varnex 2000";
  const std::pair<const char*, std::string> cases[] = {
      {"room.ini", folder + "\\room.ini"},
      {"Rooms\\12.ini", folder + "\\Rooms\\12.ini"},
      {"C:\\Rooms\\12.ini", "C:\\Rooms\\12.ini"},
      {"\\\\SERVER\\NETLOGON\\12.ini", "\\\\SERVER\\NETLOGON\\12.ini"},
      {"\\Rooms\\12.ini", "C:\\Rooms\\12.ini"},
      {"D:12.ini", "D:12.ini"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(absolutePath(folder, path), expected) << path;
  EXPECT_EQ(absolutePath("C:\\", "room.ini"), "C:\\room.ini");
}

}  // namespace
}  // namespace varnex::app
