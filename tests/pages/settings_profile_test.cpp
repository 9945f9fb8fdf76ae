// Profiles over the sample machine: save then load gives back every option, a partial profile
// changes only what it names, and a bad profile is refused with its lines and changes nothing.
#include "pages/settings_profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "settings/formats/profile_file.h"
#include "tests/pages/page_fixture.h"
#include "tests/support/machine_dump.h"
#include "tests/support/sample_machine.h"

namespace varnex::pages {
namespace {

const std::string kHead = "[Varnex 2000 Profile]\r\nVersion=1\r\n";

// The sample machine with the window created on it, as the program starts.
struct SampleWindow : PageHarness {
  SampleWindow() {
    settings::loadSampleMachine(machine);
    window.FormCreate(settings::kSampleConfigRecords);
    platform.clearCalls();
  }
  SettingsProfile& profile() { return *catalogue->profile; }
  std::string saved() { return formats::writeProfile(profile().save()); }
  std::vector<std::string> load(const std::string& text) {
    return profile().load(formats::parseProfile(text, "room.ini"));
  }
  void apply() {
    window.Button5Click();
    ASSERT_EQ(platform.count("messageBox"), 0u) << "Apply showed an error";
  }
  void show(const std::string& sheet) {
    auto& pages = window.form().get<ui::PageControl>("PageControl1");
    const auto sheets = pages.pages();
    for (std::size_t i = 0; i < sheets.size(); ++i)
      if (sheets[i]->name() == sheet) pages.selectTab(static_cast<int>(i));
  }
  const ProfileOption& option(const std::string& name) {
    for (const ProfileOption& o : profile().options())
      if (o.name == name) return o;
    throw std::out_of_range(name);
  }
  // Every option an opener: the action options on, the file cache role "User Defined", each
  // opened as a press or a choice of the user opens it.
  void openEveryEditor() {
    for (const ProfileOption& o : profile().options()) {
      if (o.opener.empty()) continue;
      const ProfileOption& opener = option(o.opener);
      show(opener.sheet);
      if (opener.value().text != o.openerValue) opener.open(o.openerValue);
    }
  }
};

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The machine as places and what they hold: registry values, the entries of profile files
// whatever their order in the file, every other file and folder with its attributes and bytes.
std::set<std::string> places(settings::MemoryMachine& machine) {
  std::set<std::string> out;
  std::string key;
  for (const std::string& line : [&] {
         std::vector<std::string> lines;
         std::string text = testing::dumpRegistry(machine.registry);
         for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
           end = text.find('\n', at);
           lines.push_back(text.substr(at, end - at));
         }
         return lines;
       }()) {
    if (!line.empty() && line[0] == '[') key = line;
    else out.insert(key + line);
  }
  for (const std::string& path : machine.files.list()) {
    const std::string tail = lower(path.substr(path.size() >= 4 ? path.size() - 4 : 0));
    const auto bytes = machine.files.readFile(path);
    if (bytes && (tail == ".ini" || tail == ".sys")) {
      std::string section;
      for (std::size_t at = 0, end; at < bytes->size(); at = end + 1) {
        end = bytes->find('\n', at);
        std::string line = bytes->substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') section = lower(line);
        else if (line.find('=') != std::string::npos)
          out.insert(path + " " + section + " " + lower(line.substr(0, line.find('='))) + line.substr(line.find('=')));
      }
      continue;
    }
    out.insert(path + " attributes " + std::to_string(machine.files.getFileAttributes(path)) +
               (bytes ? " bytes " + *bytes : ""));
  }
  return out;
}

std::vector<std::string> difference(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::vector<std::string> out;
  std::set_symmetric_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

std::size_t linesNamed(const std::string& text) {
  std::size_t named = 0;
  for (const formats::ProfileSection& s : formats::parseProfile(text, "saved.ini").sections) named += s.entries.size();
  return named;
}

TEST(SettingsProfile, SaveThenLoadGivesBackEveryOptionOfEveryPage) {
  // The tuned machine: the sample as it starts, every editor's option turned on, so that the
  // profile holds every option there is. The two options that sort a menu delete its stored
  // order for good: on here, and turned on on the other machine too. The session keep-alive is
  // absent on a fresh installation, which no field shows: the user sets it.
  SampleWindow tuned;
  tuned.openEveryEditor();
  for (const char* sort : {"CheckBox31", "CheckBox61"}) {
    tuned.show("TabSheet9");
    tuned.press(sort);
  }
  tuned.show("TabSheet11");
  tuned.control<ui::SpinEdit>("SpinEdit8").stepDown();
  const std::string profile = tuned.saved();
  EXPECT_EQ(profile.find("\r\n; "), profile.find("\r\n; Varnex 2000 settings")) << "a note in\n" << profile;
  EXPECT_EQ(linesNamed(profile), tuned.profile().options().size()) << profile;

  // Another machine: the sample with every option set otherwise and written.
  SampleWindow other;
  other.openEveryEditor();
  for (const ProfileOption& o : other.profile().options()) {
    other.show(o.sheet);
    if (o.prepare) o.prepare();
    const bool opener = std::any_of(other.profile().options().begin(), other.profile().options().end(),
                                    [&o](const ProfileOption& v) { return v.opener == o.name; });
    if (!opener) o.enterOther(*o.value().text);
  }
  other.apply();
  tuned.apply();
  const std::vector<std::string> before = difference(places(tuned.machine), places(other.machine));
  EXPECT_GE(before.size(), 60u) << "the two machines differ in most places";

  EXPECT_EQ(other.load(profile), std::vector<std::string>{});
  EXPECT_EQ(other.saved(), profile);
  // Written and read back, both machines hold every option alike. (Not byte for byte: an
  // option's "off" form written where only the other machine has the value, an entry at another
  // place in its section.)
  other.apply();
  EXPECT_EQ(other.saved(), tuned.saved());
}

TEST(SettingsProfile, APartialProfileChangesOnlyWhatItNames) {
  SampleWindow plain, loaded;
  ASSERT_EQ(loaded.load(kHead +
                        "[Boot]\r\nDisable Boot Function Keys=on\r\n"
                        "[System]\r\nChange Windows Owner=on\r\nChange Windows Owner - Name=Lab PC\r\n"
                        "[disk-cache]\r\nchunk size=1024\r\n"),
            std::vector<std::string>{});
  plain.apply();
  loaded.apply();
  const std::string owner = "[HKLM\\Software\\Microsoft\\Windows\\CurrentVersion]  \"RegisteredOwner\" type 1:";
  auto sz = [](const std::string& text) {
    std::string hex;
    char byte[4];
    for (char c : text + '\0') {
      std::snprintf(byte, sizeof byte, " %02x", static_cast<unsigned char>(c));
      hex += byte;
    }
    return hex;
  };
  const std::vector<std::string> expected = {
      "C:\\MSDOS.SYS [options] bootkeys=0",
      "C:\\WINDOWS\\SYSTEM.INI [vcache] chunksize=1024",
      "C:\\WINDOWS\\SYSTEM.INI [vcache] chunksize=512",
      owner + sz("Lab PC"),
      owner + sz("Sample User"),
  };
  std::vector<std::string> changed = difference(places(plain.machine), places(loaded.machine));
  std::sort(changed.begin(), changed.end());
  std::vector<std::string> sortedExpected = expected;
  std::sort(sortedExpected.begin(), sortedExpected.end());
  EXPECT_EQ(changed, sortedExpected);
}

TEST(SettingsProfile, LoadingIsTheUsersGesturesAndWritesNothing) {
  SampleWindow t;
  const std::set<std::string> machineBefore = places(t.machine);
  t.show("TabSheet6");
  // "Change Windows Owner " is already on, with a name typed: the profile's name still goes in.
  t.show("TabSheet2");
  t.press("CheckBox22");
  t.control<ui::Edit>("Edit1").type("Typed");
  t.box("CheckBox22").captionColour = ui::kBlack;
  t.show("TabSheet6");
  ASSERT_EQ(t.load(kHead +
                   "[System]\r\nChange Windows Owner=on\r\nChange Windows Owner - Organization=School\r\n"
                   "[Boot]\r\nDisable Boot Function Keys=on\r\nEnable Multi-Booting Feature=on\r\n"),
            std::vector<std::string>{});
  // Pressed as the user presses: marked, the page's handlers run (the owner reset from the
  // press that cleared it, the organization typed into the editor the press opened).
  EXPECT_TRUE(t.box("CheckBox1").checked());
  EXPECT_EQ(t.box("CheckBox1").captionColour, ui::kNavy);
  EXPECT_EQ(t.box("CheckBox3").captionColour, ui::kBlack) << "already on: not pressed";
  EXPECT_TRUE(t.box("CheckBox22").checked());
  EXPECT_EQ(t.box("CheckBox22").captionColour, ui::kNavy);
  EXPECT_EQ(t.catalogue->system.pending().owner.value, "Sample User");
  EXPECT_EQ(t.catalogue->system.pending().organization.value, "School");
  // Back on the page it was loaded from, with nothing written.
  EXPECT_EQ(t.window.form().get<ui::PageControl>("PageControl1").activePage()->name(), "TabSheet6");
  EXPECT_EQ(places(t.machine), machineBefore);
}

TEST(SettingsProfile, ValuesTheControlsAlreadyShowAreEnteredAgain) {
  SampleWindow t;
  // A stored keep-alive beyond the field's range shows 3600 and is written back as it is; an
  // icon cache between the slider's positions stays while the slider does not move.
  t.loadReg("[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP]\n\"SessionKeepAlive\"=\"7200\"\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer]\n"
            "\"Max Cached Icons\"=\"3000\"\n");
  t.read();
  t.show("TabSheet2");
  t.control<ui::TrackBar>("TrackBar1").setMax(4);
  t.control<ui::TrackBar>("TrackBar1").setPosition(3);
  t.press("CheckBox25");
  ASSERT_EQ(t.catalogue->system.pending().iconCache.value, "3000");
  ASSERT_EQ(t.catalogue->internet.keepAlive.value, "7200");
  const std::string saved = t.saved();
  EXPECT_NE(saved.find("; Optimize Icon Cache Size - Icons is left out: the machine holds \"3000\""), std::string::npos)
      << saved;
  EXPECT_NE(saved.find("; Session Keep Alive is left out: the machine holds \"7200\""), std::string::npos) << saved;
  EXPECT_EQ(t.load(saved), std::vector<std::string>{}) << "a saved profile always loads";

  ASSERT_EQ(t.load(kHead + "[System]\r\nOptimize Icon Cache Size=on\r\nOptimize Icon Cache Size - Icons=4096\r\n"
                           "[Internet #2]\r\nSession Keep Alive=3600\r\n"),
            std::vector<std::string>{});
  EXPECT_EQ(t.catalogue->system.pending().iconCache.value, "4096");
  EXPECT_EQ(t.catalogue->internet.keepAlive.value, "3600");
}

TEST(SettingsProfile, BadProfilesAreRefusedWithTheirLinesAndChangeNothing) {
  struct Case {
    const char* what;
    std::string body;  // after the header: line 3 on
    std::vector<std::string> reasons;
  };
  const Case cases[] = {
      {"unknown page", "[Sound]\r\nBeep=on\r\n", {"line 3: [Sound] is no page of Varnex 2000"}},
      {"page nothing is set on", "[Shutdown]\r\nEnable AutoShutdown Feature=on\r\n",
       {"line 3: nothing on the page \"Shutdown\" is set from a profile"}},
      {"unknown option", "[Boot]\r\nDisable Boot Logo=on\r\n",
       {"line 4: \"Disable Boot Logo\" is no option of the page \"Boot\""}},
      {"a box neither on nor off", "[Boot]\r\nDisable Boot Function Keys=yes\r\n",
       {"line 4: \"Disable Boot Function Keys\" takes \"on\" or \"off\", not \"yes\""}},
      {"a number out of range",
       "[Boot]\r\nDisplay Windows Boot Menu=on\r\nDisplay Windows Boot Menu - Boot menu delay=45\r\n",
       {"line 5: \"Display Windows Boot Menu - Boot menu delay\" takes a whole number from 0 to 30, not "
        "\"45\""}},
      {"a list item that does not exist", "[File-Cache]\r\nTypical role of this computer=Laptop\r\n",
       {"line 4: \"Typical role of this computer\" takes \"User Defined\", \"Desktop Computer\", \"Mobile "
        "or docking system\" or \"Network Server\", not \"Laptop\""}},
      {"a size between the slider's positions", "[Disk-Cache]\r\nMinimum Cache Size=1000\r\n",
       {"line 4: \"Minimum Cache Size\" takes \"0\", \"1024\", ... or \"32768\", not \"1000\""}},
      {"a button that does not exist", "[Internet #1]\r\nReceive Window=fast\r\n",
       {"line 4: \"Receive Window\" takes \"2680\", \"5840\", \"8760\", \"10220\", \"Windows Default\" "
        "or a whole number of at most 5 digits, not \"fast\""}},
      {"a number too long for its field", "[Internet #1]\r\nTime to Alive=123456\r\n",
       {"line 4: \"Time to Alive\" takes \"32 (Default)\", \"64\", \"128\" or a whole number of "
        "at most 5 digits, not \"123456\""}},
      {"an editor's value without its option", "[System]\r\nChange Windows Owner - Name=Lab\r\n",
       {"line 4: \"Change Windows Owner - Name\" is set only together with \"Change Windows Owner=on\""}},
      {"an editor's value with its option off",
       "[File-Cache]\r\nTypical role of this computer=Network Server\r\nName Cache=512\r\n",
       {"line 5: \"Name Cache\" is set only together with \"Typical role of this computer=User Defined\""}},
      {"every refused line, in line order",
       "[Varnex]\r\nEnable Desktop Icon=maybe\r\n[Boot]\r\nLogo=on\r\nDisable Autoscan on Boot Up=on\r\n",
       {"line 4: \"Enable Desktop Icon\" takes \"on\" or \"off\", not \"maybe\"",
        "line 6: \"Logo\" is no option of the page \"Boot\""}},
  };
  for (const Case& c : cases) {
    SampleWindow t;
    t.show("TabSheet6");
    const std::string before = t.saved();
    const std::set<std::string> machineBefore = places(t.machine);
    EXPECT_EQ(t.load(kHead + c.body), c.reasons) << c.what;
    EXPECT_EQ(t.saved(), before) << c.what;
    EXPECT_EQ(places(t.machine), machineBefore) << c.what;
    for (ui::Control* control : t.window.form().controls()) {
      if (control->kind() != ui::Kind::CheckBox) continue;
      EXPECT_NE(control->captionColour, ui::kNavy) << c.what << ": " << control->name() << " was pressed";
    }
    EXPECT_EQ(t.window.form().get<ui::PageControl>("PageControl1").activePage()->name(), "TabSheet6") << c.what;
  }
}

TEST(SettingsProfile, OptionsThisMachineDoesNotOfferAreRefusedAndLeftOutOfItsProfiles) {
  // No network adapter: both Internet pages are disabled. A LAN only: no modem's MTU.
  struct Case {
    const char* what;
    std::string adapters;  // REGEDIT4 lines
    std::string line;
    std::string reason;
    std::string note;
  };
  const Case cases[] = {
      {"no adapter", "", "[Internet #1]\r\nReceive Window=5840\r\n",
       "line 4: \"Receive Window\" cannot be changed on this machine: it is disabled",
       "; Receive Window is left out: cannot be changed on this machine: it is disabled"},
      {"no adapter, second page", "", "[Internet #2]\r\nEnable Black Hole Detect=on\r\n",
       "line 4: \"Enable Black Hole Detect\" cannot be changed on this machine: it is disabled",
       "; Enable Black Hole Detect is left out"},
      {"a LAN only",
       "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Net\\0000]\n\"DriverDesc\"=\"NE2000\"\n",
       "[Internet #1]\r\nInternet Protocol MTU - Using a phone line and a modem=576\r\n",
       "line 4: \"Internet Protocol MTU - Using a phone line and a modem\" cannot be changed on this "
       "machine: it has no connection \"Using a phone line and a modem\"",
       "; Internet Protocol MTU - Using a phone line and a modem is left out"},
  };
  for (const Case& c : cases) {
    PageHarness t;
    if (!c.adapters.empty()) t.loadReg(c.adapters);
    t.window.FormCreate(app::Records{});
    auto& profile = *t.catalogue->profile;
    EXPECT_EQ(profile.load(formats::parseProfile(kHead + c.line, "room.ini")),
              std::vector<std::string>{c.reason})
        << c.what;
    const std::string saved = formats::writeProfile(profile.save());
    EXPECT_NE(saved.find(c.note), std::string::npos) << c.what << "\n" << saved;
    EXPECT_EQ(profile.load(formats::parseProfile(saved, "saved.ini")), std::vector<std::string>{})
        << c.what;
  }
}

TEST(SettingsProfile, FilesThatCannotBeReadOrWrittenAreNamedWithTheirError) {
  SampleWindow t;
  EXPECT_EQ(t.profile().loadFile("C:\\missing.ini"), std::vector<std::string>{"File not found"});
  EXPECT_EQ(t.profile().loadFile("C:\\No Folder\\room.ini"), std::vector<std::string>{"Invalid filename"});
  t.machine.files.putFile("C:\\big.ini", kHead + std::string(formats::kMaxProfileBytes, ';'));
  EXPECT_EQ(t.profile().loadFile("C:\\big.ini"), std::vector<std::string>{"larger than 256 KB, which no profile is"});
  t.machine.files.putFile("C:\\system.ini", "[386Enh]\r\nPageBuffers=32\r\n");
  EXPECT_EQ(t.profile().loadFile("C:\\system.ini"),
            std::vector<std::string>{"line 1: a profile begins with [Varnex 2000 Profile]"});

  t.machine.files.putFile("C:\\kept.ini", "what was there", settings::kAttrReadOnly);
  EXPECT_EQ(t.profile().saveFile("C:\\kept.ini"), std::vector<std::string>{"File access denied"});
  EXPECT_EQ(t.machine.files.readFile("C:\\kept.ini"), "what was there");
  EXPECT_EQ(t.profile().saveFile("C:\\room.ini"), std::vector<std::string>{});
  EXPECT_EQ(t.profile().loadFile("C:\\room.ini"), std::vector<std::string>{});
}

TEST(SettingsProfile, TheVarnexPageButtonsAskForTheFileAndShowWhatFailed) {
  SampleWindow t;
  t.show("TabSheet6");
  auto& save = t.control<ui::Button>("Button12");
  auto& load = t.control<ui::Button>("Button13");
  EXPECT_EQ(save.caption, "Save Settings...");
  EXPECT_EQ(load.caption, "Load Settings...");

  t.platform.saveNames.push(std::nullopt);  // cancelled: nothing written
  save.click();
  t.platform.saveNames.push("C:\\room.ini");
  save.click();
  EXPECT_EQ(t.platform.calls("saveFileName"),
            (std::vector<std::string>{"saveFileName(Save Settings, Varnex 2000 Profile (*.ini))",
                                      "saveFileName(Save Settings, Varnex 2000 Profile (*.ini))"}));
  EXPECT_EQ(t.platform.count("writeFile"), 1u);
  EXPECT_EQ(t.machine.files.readFile("C:\\room.ini"), t.saved());
  EXPECT_EQ(t.platform.count("messageBox"), 0u);

  t.platform.answers.push(app::kIdOk);
  t.platform.answers.push(app::kIdOk);
  t.machine.files.putFile("C:\\bad.ini", kHead + "[Boot]\r\nLogo=on\r\n");
  t.platform.openNames.push("C:\\bad.ini");
  load.click();
  EXPECT_EQ(t.platform.calls("messageBox"),
            std::vector<std::string>{"messageBox(Nothing was loaded from C:\\bad.ini:\r\n\r\nline 4: \"Logo\" is no "
                                     "option of the page \"Boot\", Varnex 2000, 0x10)"});

  t.machine.files.putFile("C:\\good.ini", kHead + "[Varnex]\r\nEnable Desktop Icon=on\r\n");
  t.platform.openNames.push("C:\\good.ini");
  load.click();
  EXPECT_TRUE(t.box("CheckBox45").checked());
  EXPECT_EQ(t.box("CheckBox45").captionColour, ui::kNavy);
  EXPECT_EQ(t.platform.count("messageBox"), 1u);
  EXPECT_FALSE(t.machine.files.readFile(t.machine.files.windowsDirectory() + "\\Desktop\\Varnex 2000.lnk"))
      << "loading writes nothing";

  t.platform.saveNames.push("C:\\No Folder\\room.ini");
  save.click();
  EXPECT_EQ(t.platform.calls("messageBox").back(),
            "messageBox(The settings could not be saved in C:\\No Folder\\room.ini:\r\n\r\nInvalid filename, Varnex "
            "2000, 0x10)");
}

}  // namespace
}  // namespace varnex::pages
