// The System page over an in-memory registry and SYSTEM.INI, driven as a user drives it.
#include <gmock/gmock.h>

#include <string>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

using settings::kHkeyCurrentUser;
using settings::kHkeyLocalMachine;
using settings::RegHandle;

const char* const kSound = "Control Panel\\Sound";
const char* const kFileSystem = "System\\CurrentControlSet\\Control\\FileSystem";
const char* const kFdc = "System\\CurrentControlSet\\Services\\Class\\fdc\\0000";
const char* const kLogon = "Network\\Logon";
const char* const kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const kSetup = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char* const kVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
const char* const kMetrics = "Control Panel\\Desktop\\WindowMetrics";
const char* const kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer";
const char* const kCdfs = "System\\CurrentControlSet\\Control\\FileSystem\\CDFS";

class System : public PageTest {
 protected:
  void SetUp() override { showPage("TabSheet2"); }
};

// A toggle option's setting: in the registry, or (key empty) in SYSTEM.INI section 386Enh.
struct Setting {
  const char* control;
  RegHandle root;
  const char* key;
  const char* name;
};
const Setting kBeep{"CheckBox15", kHkeyCurrentUser, kSound, "Beep"};
const Setting kLoadHigh{"CheckBox16", 0, "", "LocalLoadHigh"};
const Setting kContig{"CheckBox17", kHkeyLocalMachine, kFileSystem, "ContigFileAllocSize"};
const Setting kPageBuffers{"CheckBox18", 0, "", "PageBuffers"};
const Setting kLowDisk{"CheckBox19", kHkeyLocalMachine, kFileSystem, "DisableLowDiskSpaceBroadcast"};
const Setting kFifo{"CheckBox20", kHkeyLocalMachine, kFdc, "ForceFIFO"};
const Setting kLogonValid{"CheckBox23", kHkeyLocalMachine, kLogon, "MustBeValidated"};
const Setting kAutoRun{"CheckBox26", kHkeyCurrentUser, kPolicies, "NoDriveTypeAutoRun"};

std::string hiveName(RegHandle root) {
  return root == kHkeyCurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

TEST(SystemToggles, EachOptionFollowsItsSettingAndWritesItsOnOrOffForm) {
  struct Case {
    const Setting& s;
    const char* data;     // REGEDIT4 data, or the INI value; null: absent
    bool checked;
    const char* asRead;   // stored after a write pass with the box as read
    const char* toggled;  // stored after the user toggles the box and the pass writes
  };
  const Case cases[] = {
      {kBeep, "\"yes\"", true, "sz:YES", "sz:NO"},
      {kBeep, "\"No\"", false, "sz:NO", "sz:YES"},
      {kBeep, nullptr, false, "<absent>", "sz:YES"},
      {kBeep, "dword:00000001", false, "sz:NO", "sz:YES"},  // unreadable as text
      {kLoadHigh, "1", true, "1", "<absent>"},
      {kLoadHigh, nullptr, false, "<absent>", "1"},
      {kContig, "dword:00000200", true, "dword:512", "<absent>"},
      {kContig, "dword:00000400", false, "<absent>", "dword:512"},
      {kContig, "\"512\"", false, "<absent>", "dword:512"},
      {kPageBuffers, "32", true, "32", "<absent>"},
      {kPageBuffers, "16", false, "<absent>", "32"},
      {kLowDisk, "hex:ff,ff,ff,ff", true, "hex:ff,ff,ff,ff", "<absent>"},
      {kLowDisk, "dword:ffffffff", false, "<absent>", "hex:ff,ff,ff,ff"},
      {kLowDisk, nullptr, false, "<absent>", "hex:ff,ff,ff,ff"},
      {kFifo, "\"0\"", true, "sz:0", "<absent>"},
      {kFifo, "\"1\"", false, "<absent>", "sz:0"},
      {kLogonValid, "dword:00000001", true, "dword:1", "<absent>"},
      {kLogonValid, "dword:00000002", false, "<absent>", "dword:1"},
      {kAutoRun, "hex:bd,00,00,00", true, "hex:bd,00,00,00", "hex:95,00,00,00"},
      {kAutoRun, "hex:91,00,00,00", false, "hex:95,00,00,00", "hex:bd,00,00,00"},
      {kAutoRun, "dword:000000bd", false, "hex:95,00,00,00", "hex:bd,00,00,00"},
      {kAutoRun, nullptr, false, "<absent>", "hex:bd,00,00,00"},
  };
  for (const Case& c : cases) {
    for (bool toggle : {false, true}) {
      SCOPED_TRACE(std::string(c.s.name) + " = " + (c.data ? c.data : "<absent>") +
                   (toggle ? ", toggled" : ", as read"));
      PageHarness t;
      t.showPage("TabSheet2");
      const bool ini = *c.s.key == '\0';
      if (ini) {
        t.loadSystemIni(c.data ? std::string("[386Enh]\n") + c.s.name + "=" + c.data + "\n"
                               : std::string("[386Enh]\nKeyBoostTime=.001\n"));
      } else {
        std::string body = "[" + hiveName(c.s.root) + "\\" + c.s.key + "]\n";
        if (c.data) body += "\"" + std::string(c.s.name) + "\"=" + c.data + "\n";
        t.loadReg(body);
      }
      t.read();
      EXPECT_EQ(t.box(c.s.control).checked(), c.checked);
      if (toggle) t.box(c.s.control).click();
      t.write();
      const std::string now = ini ? t.systemIni("386Enh", c.s.name).value_or("<absent>")
                                  : t.stored(c.s.root, c.s.key, c.s.name);
      EXPECT_EQ(now, toggle ? c.toggled : c.asRead);
    }
  }
}

// The binary rows read only a present value: a value removed by another program reads as the
// default, not as what the row wrote before.
TEST_F(System, BinaryOptionDeletedBehindOurBackReadsClear) {
  read();
  box("CheckBox19").click();
  box("CheckBox26").click();
  window.Button5Click();  // Apply: write, then read
  EXPECT_TRUE(box("CheckBox19").checked());
  EXPECT_TRUE(box("CheckBox26").checked());
  loadReg("[-HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem]\n"
          "[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\n");
  read();
  EXPECT_FALSE(box("CheckBox19").checked());
  EXPECT_FALSE(box("CheckBox26").checked());
}

// Rows run in control order, toggles and action options interleaved; a refused write stops
// everything after it.
TEST_F(System, ARefusedWriteEndsThePassInControlOrder) {
  read();
  for (const char* b : {"CheckBox15", "CheckBox16", "CheckBox17", "CheckBox26"}) box(b).click();
  machine.registry.refuseWrites(kHkeyLocalMachine);
  EXPECT_FALSE(window.TulisData());
  ASSERT_EQ(platform.count("messageBox"), 1u);
  EXPECT_THAT(platform.calls("messageBox")[0],
              ::testing::StartsWith("messageBox(Failed to set data for 'ContigFileAllocSize', "));
  EXPECT_EQ(stored(kHkeyCurrentUser, kSound, "Beep"), "sz:YES");
  EXPECT_EQ(systemIni("386Enh", "LocalLoadHigh"), "1");
  EXPECT_EQ(stored(kHkeyCurrentUser, kPolicies, "NoDriveTypeAutoRun"), "<absent>");
}

const char* const kLoadedActions =
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup]\n"
    "\"SourcePath\"=\"D:\\\\WIN98\\\\\"\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
    "\"RegisteredOwner\"=\"Ann Smith\"\n"
    "\"RegisteredOrganization\"=\"Acme\"\n"
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\n"
    "\"Shell Icon BPP\"=\"8\"\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer]\n"
    "\"Max Cached Icons\"=\"3000\"\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem\\CDFS]\n"
    "\"CacheSize\"=dword:000004d8\n"
    "\"PreFetch\"=dword:000001f4\n";

const char* const kActionBoxes[] = {"CheckBox21", "CheckBox22", "CheckBox24",
                                    "CheckBox25", "CheckBox27", "CheckBox28"};

TEST_F(System, ActionOptionsWriteNothingAndOpenNoKeyWhileUnchecked) {
  read();
  for (const char* b : kActionBoxes) {
    box(b).click();
    box(b).click();  // checked and cleared again by keyboard
  }
  write();
  EXPECT_FALSE(keyExists(kHkeyLocalMachine, kSetup));
  // CurrentVersion exists on every machine (it holds FS Templates), and the animation row of the
  // Windows page makes WindowMetrics: the System values there stay absent.
  EXPECT_EQ(stored(kHkeyLocalMachine, kVersion, "RegisteredOwner"), "<absent>");
  EXPECT_EQ(stored(kHkeyLocalMachine, kVersion, "RegisteredOrganization"), "<absent>");
  EXPECT_EQ(stored(kHkeyCurrentUser, kMetrics, "Shell Icon BPP"), "<absent>");
  EXPECT_FALSE(keyExists(kHkeyLocalMachine, kCdfs));
  // The toggle rows do create their keys, checked or not.
  EXPECT_TRUE(keyExists(kHkeyLocalMachine, kFileSystem));
}

TEST(SystemActions, ACheckedActionOptionWritesItsPendingValueAsLoadedOrItsDefault) {
  struct Case {
    const char* name;
    const char* fixture;
    const char* sourcePath;
    const char* owner;
    const char* organization;
    const char* iconDepth;
    const char* iconCache;
    const char* cdCache;
    const char* prefetch;
  };
  const Case cases[] = {
      {"loaded", kLoadedActions, "sz:D:\\WIN98\\", "sz:Ann Smith", "sz:Acme", "sz:8", "sz:3000",
       "dword:1240", "dword:500"},
      {"absent", "", "sz:", "sz:", "sz:", "sz:16", "sz:512", "dword:620", "dword:228"},
      {"unreadable",
       "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup]\n"
       "\"SourcePath\"=dword:00000001\n"
       "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
       "\"RegisteredOwner\"=hex:41,00\n"
       "\"RegisteredOrganization\"=\"Kept\"\n"
       "[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\n"
       "\"Shell Icon BPP\"=\"\"\n"
       "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer]\n"
       "\"Max Cached Icons\"=\"lots\"\n"
       "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem\\CDFS]\n"
       "\"CacheSize\"=\"2480\"\n"
       "\"PreFetch\"=hex:00,01,00,00\n",
       "sz:", "sz:", "sz:Kept", "sz:16", "sz:512", "dword:620", "dword:228"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PageHarness t;
    t.showPage("TabSheet2");
    t.loadReg(c.fixture);
    t.read();
    for (const char* b : kActionBoxes) t.box(b).click();
    t.write();
    EXPECT_EQ(t.stored(kHkeyLocalMachine, kSetup, "SourcePath"), c.sourcePath);
    EXPECT_EQ(t.stored(kHkeyLocalMachine, kVersion, "RegisteredOwner"), c.owner);
    EXPECT_EQ(t.stored(kHkeyLocalMachine, kVersion, "RegisteredOrganization"), c.organization);
    EXPECT_EQ(t.stored(kHkeyCurrentUser, kMetrics, "Shell Icon BPP"), c.iconDepth);
    EXPECT_EQ(t.stored(kHkeyLocalMachine, kExplorer, "Max Cached Icons"), c.iconCache);
    EXPECT_EQ(t.stored(kHkeyLocalMachine, kCdfs, "CacheSize"), c.cdCache);
    EXPECT_EQ(t.stored(kHkeyLocalMachine, kCdfs, "PreFetch"), c.prefetch);
  }
}

// An action box is not touched by the read pass, so a box left checked after "Apply" writes its
// pending value again at the next one, and by then that value is the one just reloaded.
TEST_F(System, ACheckedActionOptionSurvivesTheReadPassAndWritesTheReloadedValue) {
  showPage("TabSheet2");
  loadReg(kLoadedActions);
  read();
  press("CheckBox22");
  control<ui::Edit>("Edit1").type("Typed Owner");
  window.Button5Click();
  EXPECT_TRUE(box("CheckBox22").checked());
  EXPECT_EQ(stored(kHkeyLocalMachine, kVersion, "RegisteredOwner"), "sz:Typed Owner");

  loadReg("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
          "\"RegisteredOwner\"=\"Changed Elsewhere\"\n");
  read();  // the read pass that every Apply ends with
  EXPECT_TRUE(box("CheckBox22").checked());
  EXPECT_EQ(catalogue->system.pending().owner.value, "Changed Elsewhere");
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyLocalMachine, kVersion, "RegisteredOwner"), "sz:Changed Elsewhere");
}

TEST_F(System, KeyboardCheckOpensNoEditor) {
  loadReg(kLoadedActions);
  read();
  box("CheckBox22").click();
  EXPECT_FALSE(control<ui::Edit>("Edit1").showing());
  EXPECT_EQ(box("CheckBox22").captionColour, ui::kBlack);
  EXPECT_EQ(catalogue->system.editorMode(), "");
}

TEST_F(System, OwnerEditorEditsBothValuesAndUncheckingPutsBothBack) {
  loadReg(kLoadedActions);
  read();
  auto& name = control<ui::Edit>("Edit1");
  auto& organization = control<ui::Edit>("Edit2");

  press("CheckBox22");
  ASSERT_TRUE(name.showing());
  EXPECT_TRUE(organization.showing());
  EXPECT_EQ(control<ui::Label>("Label3").caption, "Name :");
  EXPECT_EQ(control<ui::Label>("Label4").caption, "Organization :");
  EXPECT_EQ(name.text(), "Ann Smith");
  EXPECT_EQ(organization.text(), "Acme");
  name.type("Bob");
  organization.type("Bob's Garage");
  write();
  EXPECT_EQ(stored(kHkeyLocalMachine, kVersion, "RegisteredOwner"), "sz:Bob");
  EXPECT_EQ(stored(kHkeyLocalMachine, kVersion, "RegisteredOrganization"), "sz:Bob's Garage");

  loadReg(kLoadedActions);
  press("CheckBox22");  // clears: the edits are dropped
  EXPECT_FALSE(name.showing());
  EXPECT_EQ(catalogue->system.pending().owner.value, "Ann Smith");
  EXPECT_EQ(catalogue->system.pending().organization.value, "Acme");
  press("CheckBox22");
  EXPECT_EQ(name.text(), "Ann Smith");
  EXPECT_EQ(organization.text(), "Acme");
  write();
  EXPECT_EQ(stored(kHkeyLocalMachine, kVersion, "RegisteredOwner"), "sz:Ann Smith");
}

TEST_F(System, CancelledFolderBrowserPutsTheLoadedPathBack) {
  loadReg(kLoadedActions);
  read();
  press("CheckBox21");
  auto& path = control<ui::Edit>("Edit1");
  ASSERT_TRUE(control<ui::Button>("SpeedButton1").showing());
  EXPECT_EQ(control<ui::Label>("Label3").caption, "Location :");
  EXPECT_EQ(path.text(), "D:\\WIN98\\");
  path.type("E:\\TYPED");
  EXPECT_EQ(catalogue->system.pending().setupPath.value, "E:\\TYPED");

  platform.folders.push(std::nullopt);  // the user cancels
  control<ui::Button>("SpeedButton1").click();
  EXPECT_EQ(platform.calls("browseForFolder"),
            std::vector<std::string>{"browseForFolder(Select Directory)"});
  EXPECT_EQ(path.text(), "D:\\WIN98\\");
  EXPECT_EQ(catalogue->system.pending().setupPath.value, "D:\\WIN98\\");

  platform.folders.push("F:\\CABS");
  control<ui::Button>("SpeedButton1").click();
  EXPECT_EQ(path.text(), "F:\\CABS");
  write();
  EXPECT_EQ(stored(kHkeyLocalMachine, kSetup, "SourcePath"), "sz:F:\\CABS");
}

TEST_F(System, IconDepthSelectsTheMatchingButtonOrNoneAndWritesThePendingDepth) {
  loadReg(kLoadedActions);  // Shell Icon BPP = "8"
  read();
  auto& b16 = control<ui::RadioButton>("RadioButton1");
  auto& b24 = control<ui::RadioButton>("RadioButton2");
  press("CheckBox24");
  ASSERT_TRUE(b16.showing());
  EXPECT_EQ(control<ui::Label>("Label3").caption, "Icon Color Format :");
  EXPECT_FALSE(b16.checked() || b24.checked() || control<ui::RadioButton>("RadioButton3").checked());
  write();
  EXPECT_EQ(stored(kHkeyCurrentUser, kMetrics, "Shell Icon BPP"), "sz:8");
  b24.click();
  write();
  EXPECT_EQ(stored(kHkeyCurrentUser, kMetrics, "Shell Icon BPP"), "sz:24");

  loadReg("[-HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\n");
  read();
  press("CheckBox24");  // clears
  press("CheckBox24");
  EXPECT_TRUE(b16.checked());
}

// Opening a slider editor places the slider by the pending value's band; only a move replaces
// the pending value by the value of the new position.
TEST(SystemSliders, OpeningAnEditorPlacesTheSliderAndAMoveReplacesThePendingValue) {
  struct Case {
    const char* control;
    const char* data;  // REGEDIT4 line under its key, "" for absent
    int startPosition;  // where the slider stood before
    int position;
    const char* label;
    const char* written;
  };
  const Case cases[] = {
      {"CheckBox25", "\"Max Cached Icons\"=\"3000\"", 0, 3, "Up to 4096 icons will be cached.", "sz:4096"},
      {"CheckBox25", "\"Max Cached Icons\"=\"3000\"", 3, 3, "Up to 3000 icons will be cached.", "sz:3000"},
      {"CheckBox25", "\"Max Cached Icons\"=\"512\"", 0, 0, "Up to 512 icons will be cached.", "sz:512"},
      {"CheckBox25", "\"Max Cached Icons\"=\"513\"", 0, 1, "Up to 1024 icons will be cached.", "sz:1024"},
      {"CheckBox25", "\"Max Cached Icons\"=\"99999\"", 0, 4, "Up to 8064 icons will be cached.", "sz:8064"},
      {"CheckBox25", "\"Max Cached Icons\"=\"-7\"", 2, 0, "Up to 512 icons will be cached.", "sz:512"},
      {"CheckBox27", "", 0, 0, "CD-ROM cache size : 1240 kB", "dword:620"},
      {"CheckBox27", "\"CacheSize\"=dword:000009b0", 0, 2, "CD-ROM cache size : 4960 kB", "dword:2480"},
      {"CheckBox27", "\"CacheSize\"=dword:000009b1", 0, 3, "CD-ROM cache size : 9920 kB", "dword:4960"},
      {"CheckBox27", "\"CacheSize\"=dword:7fffffff", 3, 3, "CD-ROM cache size : 4294967294 kB",
       "dword:2147483647"},
      {"CheckBox27", "\"CacheSize\"=dword:ffffffff", 0, 0, "CD-ROM cache size : -2 kB", "dword:4294967295"},
      {"CheckBox28", "", 0, 0, "CD-ROM Speed : 4x", "dword:228"},
      {"CheckBox28", "\"PreFetch\"=dword:0000053d", 0, 10, "CD-ROM Speed : 50x", "dword:1400"},
      {"CheckBox28", "\"PreFetch\"=dword:0000053d", 10, 10, "CD-ROM Speed : 50x", "dword:1341"},
      {"CheckBox28", "\"PreFetch\"=dword:0000053c", 0, 9, "CD-ROM Speed : 48x", "dword:1340"},
      {"CheckBox28", "\"PreFetch\"=dword:000000e5", 0, 1, "CD-ROM Speed : 8x", "dword:346"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " " + c.data + " from " + std::to_string(c.startPosition));
    PageHarness t;
    t.showPage("TabSheet2");
    const bool icons = std::string(c.control) == "CheckBox25";
    const char* key = icons ? kExplorer : kCdfs;
    t.loadReg("[HKEY_LOCAL_MACHINE\\" + std::string(key) + "]\n" + c.data + "\n");
    t.read();
    auto& slider = t.control<ui::TrackBar>("TrackBar1");
    slider.setPosition(c.startPosition);  // no editor mode yet: nothing follows the slider
    t.press(c.control);
    ASSERT_TRUE(slider.showing());
    EXPECT_EQ(slider.position(), c.position);
    EXPECT_EQ(t.control<ui::Label>("Label3").caption, c.label);
    EXPECT_TRUE(t.control<ui::Label>("Label3").showing());
    t.write();
    const char* name = icons ? "Max Cached Icons" : std::string(c.control) == "CheckBox27" ? "CacheSize" : "PreFetch";
    EXPECT_EQ(t.stored(kHkeyLocalMachine, key, name), c.written);
  }
}

TEST_F(System, SlidingChangesOnlyThePendingValueOfTheOpenEditor) {
  loadReg(kLoadedActions);  // icons 3000, cache 1240, prefetch 500
  read();
  auto& slider = control<ui::TrackBar>("TrackBar1");
  auto& label = control<ui::Label>("Label3");

  press("CheckBox28");
  EXPECT_EQ(slider.maximum(), 10);
  slider.slide(8);
  EXPECT_EQ(label.caption, "CD-ROM Speed : 40x");

  press("CheckBox25");  // icon cache: max 4, so the slider must come down
  EXPECT_EQ(slider.maximum(), 4);
  EXPECT_EQ(slider.position(), 3);
  slider.slide(4);
  EXPECT_EQ(label.caption, "Up to 8064 icons will be cached.");

  press("CheckBox27");
  EXPECT_EQ(slider.maximum(), 3);
  slider.slide(3);
  EXPECT_EQ(label.caption, "CD-ROM cache size : 9920 kB");

  // Another option's press closes the editor; every checked option still writes its value.
  press("CheckBox15");
  EXPECT_FALSE(slider.showing());
  EXPECT_FALSE(label.showing());
  write();
  EXPECT_EQ(stored(kHkeyLocalMachine, kCdfs, "PreFetch"), "dword:1140");
  EXPECT_EQ(stored(kHkeyLocalMachine, kExplorer, "Max Cached Icons"), "sz:8064");
  EXPECT_EQ(stored(kHkeyLocalMachine, kCdfs, "CacheSize"), "dword:4960");

  // Unchecking keeps the pending value: checking again shows the slid value, not the stored one.
  press("CheckBox27");
  EXPECT_FALSE(box("CheckBox27").checked());
  press("CheckBox27");
  EXPECT_EQ(label.caption, "CD-ROM cache size : 9920 kB");
}

// The slider keeps the range of the last editor that used it; a position beyond the table of
// the present mode (set from code while the editor is closed) must not reach past that table.
TEST_F(System, ASliderPositionBeyondTheModesTableChangesNothing) {
  loadReg(kLoadedActions);
  read();
  auto& slider = control<ui::TrackBar>("TrackBar1");
  press("CheckBox27");
  press("CheckBox28");
  slider.slide(9);
  press("CheckBox27");  // clears the cache option: mode "CDCache", slider left at 9
  ASSERT_EQ(catalogue->system.editorMode(), "CDCache");
  slider.setPosition(10);
  EXPECT_EQ(catalogue->system.pending().cdCache.value, 1240);
  EXPECT_EQ(catalogue->system.pending().cdPrefetch.value, 1340);
}

TEST_F(System, HelpTextsShowOnTheOptionsAndTheDescriptionFrameClearsThem) {
  read();
  auto& memo = control<ui::Memo>("Memo2");
  box("CheckBox22").mouseMove();
  EXPECT_EQ(memo.text(), "Use this option to change Windows owner information.");
  EXPECT_EQ(box("CheckBox22").caption, "Change Windows Owner ");
  box("CheckBox28").mouseMove();
  EXPECT_EQ(memo.text(),
            "Use this option to configure your CD-ROM speed. Suggestion: Set the value the same as "
            "your CD-ROM speed");
  control<ui::GroupBox>("GroupBox3").mouseMove();
  EXPECT_EQ(memo.text(), "");
}

}  // namespace
}  // namespace varnex::pages
