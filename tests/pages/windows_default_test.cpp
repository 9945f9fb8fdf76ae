// "Back to Windows Default", answered Yes, over the sample machine after a user tuned it: the
// whole machine afterwards, compared with a fixture a person can read.
#include <gmock/gmock.h>

#include <fstream>
#include <string>

#include "settings/formats/shell_link.h"
#include "tests/pages/page_fixture.h"
#include "tests/support/machine_dump.h"
#include "tests/support/sample_machine.h"

namespace varnex::pages {
namespace {

std::string fixture(const std::string& name) { return fixtureText("windows_default/" + name); }

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Every file and folder with its attributes; shortcuts as what they point to, the state file as
// hex, the profile files as their text. Then the whole registry.
std::string dump(settings::MemoryMachine& machine) {
  std::string out = "; files\n";
  for (const std::string& path : machine.files.list()) {
    const std::uint32_t attributes = machine.files.getFileAttributes(path);
    char head[32];
    std::snprintf(head, sizeof head, " (attributes %02x)", attributes);
    out += "== " + path + head + "\n";
    if (machine.files.isFolder(path)) continue;
    const std::string bytes = *machine.files.readFile(path);
    if (endsWith(path, ".lnk")) {
      try {
        const auto info = formats::readShellLink(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), path);
        out += "shortcut to " + info.target + " in " + info.workingDirectory + "\n";
        continue;
      } catch (const std::exception&) {
        // not a shortcut: shown as bytes below
      }
    }
    if (!endsWith(path, ".SYS") && !endsWith(path, ".INI") && !endsWith(path, ".DAT") && !endsWith(path, ".lnk"))
      continue;  // files the program only points to: their being there is what counts
    if (endsWith(path, ".DAT") || endsWith(path, ".lnk")) {
      char hex[4];
      for (unsigned char c : bytes) {
        std::snprintf(hex, sizeof hex, "%02x ", c);
        out += hex;
      }
      out += "\n";
    } else {
      for (char c : bytes)
        if (c != '\r') out += c;
      if (!bytes.empty() && bytes.back() != '\n') out += "\n";
    }
  }
  return out + "\n; registry\n" + varnex::testing::exportRegistry(machine.registry);
}

TEST(BackToWindowsDefault, YesOverATunedSampleMachineLeavesExactlyTheExpectedMachine) {
  PageHarness t;
  settings::loadSampleMachine(t.machine);
  // Installed and started once: the program and its copy of the uninstall shortcut.
  t.machine.files.putFile(settings::kSampleProgramFolder + "\\Varnex.exe", "MZ");
  t.machine.files.putFile(settings::kSampleProgramFolder + "\\Uninstall.lnk",
                          *t.machine.files.readFile(settings::kSampleUninstallLink));
  t.window.FormCreate(settings::kSampleConfigRecords);

  // The user ticks every toggle option and both shortcuts, and applies; the direct writes'
  // settings are tuned too.
  const char* const tuned[] = {
      "CheckBox1",  "CheckBox3",  "CheckBox4",  "CheckBox5",  "CheckBox6",  "CheckBox7",  "CheckBox8",
      "CheckBox9",  "CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14", "CheckBox15",
      "CheckBox16", "CheckBox17", "CheckBox18", "CheckBox19", "CheckBox20", "CheckBox23", "CheckBox26",
      "CheckBox29", "CheckBox33", "CheckBox34", "CheckBox35", "CheckBox36", "CheckBox39", "CheckBox40",
      "CheckBox41", "CheckBox42", "CheckBox63", "CheckBox50", "CheckBox51", "CheckBox52", "CheckBox53",
      "CheckBox54", "CheckBox55", "CheckBox56", "CheckBox57", "CheckBox58", "CheckBox59", "CheckBox60",
      "CheckBox43", "CheckBox44", "CheckBox45", "CheckBox46"};
  for (const char* name : tuned) t.box(name).setChecked(true);
  for (const char* name : {"CheckBox32", "CheckBox37", "CheckBox38"}) t.box(name).setChecked(false);
  t.control<ui::ComboBox>("ComboBox1").choose(5);  // "CD Writer"
  t.window.Button5Click();
  ASSERT_EQ(t.platform.count("messageBox"), 0u) << t.platform.calls().back();
  t.machine.loadRegedit4(fixture("tuned.reg"), "tuned.reg");
  {
    settings::ProfileStore msdos = t.window.stores().profile(settings::kMsdosSys);
    msdos.writeText("Options", "BootMenuDelay", "5");
  }

  t.showPage("TabSheet6");
  t.platform.answers.push(app::kIdYes);
  t.box("CheckBox64").mouseDown(ui::MouseButton::Left);
  EXPECT_EQ(t.platform.count("messageBox"), 1u) << "only the question: nothing failed";

  const std::string actual = dump(t.machine);
  const std::string expected = fixture("after.txt");
  if (actual != expected) {
    const std::string path = ::testing::TempDir() + "windows_default_after.txt";
    std::ofstream(path, std::ios::binary) << actual;
    ADD_FAILURE() << "the machine differs from tests/fixtures/windows_default/after.txt; it is in " << path;
  }
}

// The first direct write, to C:\MSDOS.SYS, is refused: its message is shown and the steps after
// it, "Apply" included, do not run; what the steps before it set stays set.
TEST(BackToWindowsDefault, ARefusedBootFileWriteIsShownAndStopsTheRest) {
  PageHarness t;
  t.loadMsdos("BootMenuDelay=5\nBootKeys=0\n");
  t.read();
  ASSERT_TRUE(t.box("CheckBox1").checked());
  t.box("CheckBox15").setChecked(true);
  t.showPage("TabSheet6");
  t.press("CheckBox45");
  ASSERT_EQ(t.box("CheckBox45").captionColour, ui::kNavy);
  t.machine.files.setFileAttributes(settings::kMsdosSys, settings::kAttrReadOnly);

  t.platform.answers.push(app::kIdYes);
  t.platform.answers.push(app::kIdOk);
  t.box("CheckBox64").mouseDown(ui::MouseButton::Left);
  EXPECT_THAT(t.platform.calls("messageBox"),
              ::testing::ElementsAre("messageBox(Are you sure ?, Confirm, 0x24)",
                                     "messageBox(Unable to write to C:\\MSDOS.SYS, Varnex 2000, 0x10)"));
  EXPECT_FALSE(t.box("CheckBox64").checked());
  EXPECT_FALSE(t.box("CheckBox1").checked()) << "the Boot defaults come before it";
  EXPECT_EQ(t.msdos("BootMenuDelay"), "5");
  EXPECT_TRUE(t.box("CheckBox15").checked()) << "the System defaults come after it";
  EXPECT_EQ(t.stored(settings::kHkeyCurrentUser, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon BPP"),
            "<absent>")
      << "so do the other direct writes";
  EXPECT_EQ(t.box("CheckBox45").captionColour, ui::kNavy) << "and \"Apply\", which clears the marks";
}

}  // namespace
}  // namespace varnex::pages
