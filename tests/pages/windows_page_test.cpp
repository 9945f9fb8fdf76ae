// The Windows page over an in-memory registry, driven as a user drives it.
#include <gmock/gmock.h>

#include <string>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

using settings::kHkeyClassesRoot;
using settings::kHkeyCurrentUser;
using settings::kHkeyLocalMachine;
using settings::kHkeyUsers;
using settings::RegHandle;

const char* const kRecycleBin = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
const char* const kDesktop = "Control Panel\\Desktop";
const char* const kLinkKey = ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char* const kMyComputerShell = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell";
const char* const kMyComputerCommand = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Open\\Command";
const char* const kUpdate = "System\\CurrentControlSet\\Control\\Update";
const char* const kMetrics = "Control Panel\\Desktop\\WindowMetrics";
const char* const kSmallIcons = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SmallIcons";
const char* const kUnknownShell = "Software\\CLASSES\\Unknown\\shell";
const char* const kDirectoryShell = "Directory\\shell";
const char* const kToolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
const char* const kBitmapIcon = "Paint.Picture\\DefaultIcon";
const char* const kExplore = "explorer.exe /e,/n,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

class Windows : public PageTest {
 protected:
  void SetUp() override { showPage("TabSheet3"); }
};

std::string hiveName(RegHandle root) {
  switch (root) {
    case kHkeyClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case kHkeyCurrentUser:
      return "HKEY_CURRENT_USER";
    case kHkeyUsers:
      return "HKEY_USERS";
    default:
      return "HKEY_LOCAL_MACHINE";
  }
}

// REGEDIT4 data needs its backslashes and quotes escaped.
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

TEST(WindowsToggles, EachOptionFollowsItsSettingAndWritesItsOnOrOffForm) {
  struct Case {
    const char* control;
    RegHandle root;
    const char* key;
    const char* name;     // "" is the key's (default)
    std::string data;     // REGEDIT4 data; empty: absent
    bool checked;
    const char* asRead;   // stored after a write pass with the box as read
    const char* toggled;  // stored after the user toggles the box and the pass writes
  };
  const Case cases[] = {
      {"CheckBox29", kHkeyClassesRoot, kRecycleBin, "Attributes", "hex:70,01,00,20", true, "hex:70,01,00,20",
       "hex:40,01,00,20"},
      {"CheckBox29", kHkeyClassesRoot, kRecycleBin, "Attributes", "hex:60,01,00,20", false, "hex:40,01,00,20",
       "hex:70,01,00,20"},
      {"CheckBox29", kHkeyClassesRoot, kRecycleBin, "Attributes", "", false, "<absent>", "hex:70,01,00,20"},
      // Absent reads checked, and unchecking adds nothing: the box comes back checked.
      {"CheckBox32", kHkeyCurrentUser, kDesktop, "PaintDesktopVersion", "", true, "sz:0", "<absent>"},
      {"CheckBox32", kHkeyCurrentUser, kDesktop, "PaintDesktopVersion", "\"1\"", false, "sz:1", "sz:0"},
      {"CheckBox32", kHkeyCurrentUser, kDesktop, "PaintDesktopVersion", "dword:00000001", true, "sz:0", "sz:1"},
      {"CheckBox33", kHkeyUsers, kLinkKey, "link", "", false, "<absent>", "hex:00,00,00,00"},
      {"CheckBox33", kHkeyUsers, kLinkKey, "link", "hex:00,00,00,00", true, "hex:00,00,00,00", "hex:14,00,00,00"},
      {"CheckBox33", kHkeyUsers, kLinkKey, "link", "hex:16,00,00,00", false, "hex:14,00,00,00", "hex:00,00,00,00"},
      {"CheckBox34", kHkeyClassesRoot, "lnkfile", "IsShortcut", "", true, "<absent>", "sz:"},
      {"CheckBox34", kHkeyClassesRoot, "lnkfile", "IsShortcut", "\"yes\"", false, "sz:", "<absent>"},
      {"CheckBox34", kHkeyClassesRoot, "lnkfile", "IsShortcut", "dword:00000000", false, "sz:", "<absent>"},
      {"CheckBox36", kHkeyLocalMachine, kUpdate, "UpdateMode", "hex:00,00,00,00", true, "hex:00,00,00,00",
       "hex:01,00,00,00"},
      {"CheckBox36", kHkeyLocalMachine, kUpdate, "UpdateMode", "", false, "<absent>", "hex:00,00,00,00"},
      {"CheckBox36", kHkeyLocalMachine, kUpdate, "UpdateMode", "dword:00000000", false, "hex:01,00,00,00",
       "hex:00,00,00,00"},
      {"CheckBox37", kHkeyCurrentUser, kDesktop, "SmoothScroll", "hex:01,00,00,00", true, "hex:01,00,00,00",
       "<absent>"},
      {"CheckBox37", kHkeyCurrentUser, kDesktop, "SmoothScroll", "", false, "<absent>", "hex:01,00,00,00"},
      {"CheckBox38", kHkeyCurrentUser, kMetrics, "MinAnimate", "", true, "sz:1", "<absent>"},
      {"CheckBox38", kHkeyCurrentUser, kMetrics, "MinAnimate", "\"0\"", false, "sz:0", "sz:1"},
      {"CheckBox39", kHkeyCurrentUser, kSmallIcons, "SmallIcons", "\"yes\"", true, "sz:YES", "<absent>"},
      {"CheckBox39", kHkeyCurrentUser, kSmallIcons, "SmallIcons", "", false, "<absent>", "sz:YES"},
      {"CheckBox39", kHkeyCurrentUser, kSmallIcons, "SmallIcons", "dword:00000001", false, "<absent>", "sz:YES"},
      {"CheckBox42", kHkeyClassesRoot, "batfile\\shell", "", "\"edit\"", true, "sz:edit", "sz:"},
      {"CheckBox42", kHkeyClassesRoot, "batfile\\shell", "", "\"open\"", false, "sz:", "sz:edit"},
      {"CheckBox42", kHkeyClassesRoot, "batfile\\shell", "", "", false, "sz:", "sz:edit"},
  };
  for (const Case& c : cases) {
    for (bool toggle : {false, true}) {
      const std::string name = *c.name ? c.name : "(default)";
      SCOPED_TRACE(std::string(c.control) + " " + name + " = " + (c.data.empty() ? "<absent>" : c.data) +
                   (toggle ? ", toggled" : ", as read"));
      PageHarness t;
      t.showPage("TabSheet3");
      std::string body = "[" + hiveName(c.root) + "\\" + c.key + "]\n";
      if (!c.data.empty()) body += (*c.name ? quoted(c.name) : std::string("@")) + "=" + c.data + "\n";
      t.loadReg(body);
      t.read();
      EXPECT_EQ(t.box(c.control).checked(), c.checked);
      if (toggle) t.box(c.control).click();
      t.write();
      EXPECT_EQ(t.stored(c.root, c.key, c.name), toggle ? c.toggled : c.asRead);
    }
  }
}

// An off form written only where the value is: with the value absent, unchecking writes nothing
// and the box reads checked again after "Apply".
TEST_F(Windows, AbsentVersionNumberAndAnimationComeBackCheckedAfterUnchecking) {
  read();
  for (const char* b : {"CheckBox32", "CheckBox38"}) {
    ASSERT_TRUE(box(b).checked()) << b;
    box(b).click();
  }
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyCurrentUser, kDesktop, "PaintDesktopVersion"), "<absent>");
  EXPECT_EQ(stored(kHkeyCurrentUser, kMetrics, "MinAnimate"), "<absent>");
  EXPECT_TRUE(box("CheckBox32").checked());
  EXPECT_TRUE(box("CheckBox38").checked());
}

// The verbs: each step opens the key it names, a relative one below the step before; removing
// a verb takes its whole subtree and leaves the shell key.
TEST_F(Windows, NotepadVerbIsWrittenStepByStepAndRemovedWhole) {
  read();
  EXPECT_FALSE(box("CheckBox40").checked());
  box("CheckBox40").click();
  write();
  const std::string notepad = std::string(kUnknownShell) + "\\NotePad";
  EXPECT_EQ(stored(kHkeyLocalMachine, kUnknownShell, ""), "sz:Notepad");
  EXPECT_EQ(stored(kHkeyLocalMachine, notepad, ""), "sz:&Notepad");
  EXPECT_EQ(stored(kHkeyLocalMachine, notepad + "\\Command", ""), "sz:notepad.exe %1");
  read();
  EXPECT_TRUE(box("CheckBox40").checked()) << "the read finds Notepad\\Command although it was written NotePad";

  box("CheckBox40").click();
  write();
  EXPECT_EQ(stored(kHkeyLocalMachine, kUnknownShell, ""), "sz:");
  EXPECT_FALSE(keyExists(kHkeyLocalMachine, notepad));
  read();
  EXPECT_FALSE(box("CheckBox40").checked());
}

TEST_F(Windows, UncheckedNotepadVerbEmptiesTheShellDefaultEvenWithoutAVerb) {
  loadReg("[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\Unknown\\shell]\n@=\"openas\"\n");
  read();
  write();
  EXPECT_EQ(stored(kHkeyLocalMachine, kUnknownShell, ""), "sz:");
  EXPECT_FALSE(keyExists(kHkeyLocalMachine, std::string(kUnknownShell) + "\\Notepad"))
      << "the verb's own key is never made on the way";
}

TEST_F(Windows, CommandPromptVerbIsWrittenBelowDirectoryShellAndRemovedWhole) {
  loadReg("[HKEY_CLASSES_ROOT\\Directory\\shell\\find]\n@=\"Fi&nd...\"\n");
  read();
  box("CheckBox41").click();
  write();
  EXPECT_EQ(stored(kHkeyClassesRoot, "Directory\\shell\\DOS", ""), "sz:Command Prompt Here");
  EXPECT_EQ(stored(kHkeyClassesRoot, "Directory\\shell\\DOS\\Command", ""), "sz:C:\\Command.com /k cd \"%1\"");
  EXPECT_EQ(stored(kHkeyClassesRoot, kDirectoryShell, ""), "<absent>") << "the shell default is not touched";
  read();
  EXPECT_TRUE(box("CheckBox41").checked());
  box("CheckBox41").click();
  write();
  EXPECT_FALSE(keyExists(kHkeyClassesRoot, "Directory\\shell\\DOS"));
  EXPECT_TRUE(keyExists(kHkeyClassesRoot, "Directory\\shell\\find"));
}

// The command must match exactly; anything else reads unchecked, and the next write pass takes
// away the whole Open verb of My Computer.
TEST(WindowsExplorer, MyComputerCommandChecksOnlyWhenExactAndClearingRemovesTheOpenVerb) {
  struct Case {
    const char* command;
    bool checked;
  };
  const Case cases[] = {{kExplore, true},
                        {"EXPLORER.EXE /e,/n,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", false},
                        {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    PageHarness t;
    t.showPage("TabSheet3");
    t.loadReg("[HKEY_CLASSES_ROOT\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Open\\Command]\n@=" +
              quoted(c.command) +
              "\n[HKEY_CLASSES_ROOT\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\find]\n@=\"Find\"\n");
    t.read();
    EXPECT_EQ(t.box("CheckBox35").checked(), c.checked);
    if (c.checked) {
      t.write();
      EXPECT_EQ(t.stored(kHkeyClassesRoot, kMyComputerCommand, ""), "sz:" + std::string(kExplore));
      t.box("CheckBox35").click();
    }
    t.write();
    EXPECT_FALSE(t.keyExists(kHkeyClassesRoot, std::string(kMyComputerShell) + "\\Open"));
    EXPECT_TRUE(t.keyExists(kHkeyClassesRoot, std::string(kMyComputerShell) + "\\find"));
    t.box("CheckBox35").click();
    t.write();
    EXPECT_EQ(t.stored(kHkeyClassesRoot, kMyComputerCommand, ""), "sz:" + std::string(kExplore));
  }
}

TEST_F(Windows, AVerbThatCannotBeWrittenEndsThePassWithTheUnnamedValue) {
  read();
  box("CheckBox41").click();
  machine.registry.refuseWrites(kHkeyClassesRoot);
  EXPECT_FALSE(window.TulisData());
  ASSERT_EQ(platform.count("messageBox"), 1u);
  EXPECT_THAT(platform.calls("messageBox")[0], ::testing::StartsWith("messageBox(Failed to set data for '', "));
}

// Turning thumbnails on saves the icon in force once; turning them off puts exactly that back.
TEST_F(Windows, ThumbnailSavesTheIconOnceAndPutsItBack) {
  loadReg("[HKEY_CLASSES_ROOT\\Paint.Picture\\DefaultIcon]\n@=\"C:\\\\WINDOWS\\\\pbrush.exe,1\"\n");
  read();
  EXPECT_FALSE(box("CheckBox63").checked());
  EXPECT_EQ(catalogue->windows.pending().bitmapIcon, "C:\\WINDOWS\\pbrush.exe,1");
  box("CheckBox63").click();
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass ? "second Apply" : "first Apply");
    window.Button5Click();
    EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, ""), "sz:%1");
    EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, "OldBitmapIcon"), "sz:C:\\WINDOWS\\pbrush.exe,1");
    EXPECT_TRUE(box("CheckBox63").checked());
  }
  write();  // a write pass with no read before it changes nothing either
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, "OldBitmapIcon"), "sz:C:\\WINDOWS\\pbrush.exe,1");

  box("CheckBox63").click();
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, ""), "sz:C:\\WINDOWS\\pbrush.exe,1");
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, "OldBitmapIcon"), "<absent>");
  EXPECT_FALSE(box("CheckBox63").checked());
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, ""), "sz:C:\\WINDOWS\\pbrush.exe,1");
}

// A saved icon left from an earlier round trip (the icon changed since): the icon in force is the
// one to save, and the one turning thumbnails off puts back.
TEST_F(Windows, ThumbnailOverAnOlderSavedIconSavesTheCurrentOne) {
  loadReg("[HKEY_CLASSES_ROOT\\Paint.Picture\\DefaultIcon]\n@=\"C:\\\\PAINT\\\\NEW.ICO,0\"\n"
          "\"OldBitmapIcon\"=\"C:\\\\WINDOWS\\\\pbrush.exe,1\"\n");
  read();
  EXPECT_FALSE(box("CheckBox63").checked());
  box("CheckBox63").click();
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, ""), "sz:%1");
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, "OldBitmapIcon"), "sz:C:\\PAINT\\NEW.ICO,0");
  box("CheckBox63").click();
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, ""), "sz:C:\\PAINT\\NEW.ICO,0");
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, "OldBitmapIcon"), "<absent>");
}

TEST_F(Windows, ThumbnailOffWithoutASavedIconLeavesThumbnailsOn) {
  loadReg("[HKEY_CLASSES_ROOT\\Paint.Picture\\DefaultIcon]\n@=\"%1\"\n");
  read();
  EXPECT_TRUE(box("CheckBox63").checked());
  box("CheckBox63").click();
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, ""), "sz:%1");
  EXPECT_TRUE(box("CheckBox63").checked());
}

TEST_F(Windows, ThumbnailOverAnAbsentIconSavesTheEmptyIcon) {
  read();
  EXPECT_FALSE(box("CheckBox63").checked());
  box("CheckBox63").click();
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, "OldBitmapIcon"), "sz:");
  box("CheckBox63").click();
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyClassesRoot, kBitmapIcon, ""), "sz:");
  EXPECT_FALSE(box("CheckBox63").checked());
}

const char* const kToolbarFixture =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Toolbar]\n"
    "\"BackBitmapShell\"=\"C:\\\\WINDOWS\\\\Clouds.bmp\"\n";

TEST_F(Windows, ToolbarBackgroundIsWrittenOnlyWhileCheckedAndItsKeyIsNotMadeOtherwise) {
  read();
  write();
  EXPECT_FALSE(keyExists(kHkeyCurrentUser, kToolbar));
  box("CheckBox62").click();  // by keyboard: no editor, the file as loaded (empty) is written
  EXPECT_FALSE(control<ui::Edit>("Edit6").showing());
  write();
  EXPECT_EQ(stored(kHkeyCurrentUser, kToolbar, "BackBitmapShell"), "sz:");
}

TEST_F(Windows, ToolbarEditorShowsThePendingFileAndTheDialogReplacesItUnlessCancelled) {
  loadReg(kToolbarFixture);
  read();
  auto& file = control<ui::Edit>("Edit6");
  auto& browse = control<ui::Button>("SpeedButton2");
  EXPECT_FALSE(file.showing());
  press("CheckBox62");
  ASSERT_TRUE(file.showing());
  EXPECT_TRUE(browse.showing());
  EXPECT_EQ(control<ui::Label>("Label49").caption, "Explorer toolbar background file");
  EXPECT_EQ(file.text(), "C:\\WINDOWS\\Clouds.bmp");

  file.type("D:\\typed.bmp");
  platform.pictures.push(std::nullopt);  // cancelled
  browse.click();
  EXPECT_EQ(platform.calls("openPicture"), std::vector<std::string>{"openPicture(D:\\typed.bmp)"});
  EXPECT_EQ(file.text(), "D:\\typed.bmp");
  EXPECT_EQ(catalogue->windows.pending().toolbarBitmap.value, "D:\\typed.bmp");
  write();
  EXPECT_EQ(stored(kHkeyCurrentUser, kToolbar, "BackBitmapShell"), "sz:D:\\typed.bmp");

  platform.pictures.push("E:\\Pictures\\Sky.bmp");
  browse.click();
  EXPECT_EQ(file.text(), "E:\\Pictures\\Sky.bmp");
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyCurrentUser, kToolbar, "BackBitmapShell"), "sz:E:\\Pictures\\Sky.bmp");
  EXPECT_FALSE(file.showing()) << "Apply hides the editor";
  EXPECT_TRUE(box("CheckBox62").checked()) << "and keeps the box";

  // Unchecking leaves the editor closed and the pending file as it is.
  press("CheckBox62");
  EXPECT_FALSE(box("CheckBox62").checked());
  EXPECT_FALSE(file.showing());
  EXPECT_EQ(catalogue->windows.pending().toolbarBitmap.value, "E:\\Pictures\\Sky.bmp");
}

TEST_F(Windows, PressingAnotherOptionClosesTheToolbarEditor) {
  read();
  press("CheckBox62");
  ASSERT_TRUE(control<ui::Edit>("Edit6").showing());
  press("CheckBox36");
  EXPECT_FALSE(control<ui::Edit>("Edit6").showing());
  EXPECT_EQ(box("CheckBox36").captionColour, ui::kNavy);
  box("CheckBox37").mouseDown(ui::MouseButton::Right);
  EXPECT_EQ(box("CheckBox37").captionColour, ui::kBlack);
}

TEST_F(Windows, BackToDefaultsSetsTheTogglesAndLeavesTheToolbarOption) {
  read();
  box("CheckBox62").click();
  for (const char* b : {"CheckBox29", "CheckBox34", "CheckBox40", "CheckBox63"}) box(b).setChecked(true);
  box("CheckBox37").setChecked(false);
  catalogue->windows.restoreDefaults();
  for (const char* on : {"CheckBox32", "CheckBox37", "CheckBox38", "CheckBox62"})
    EXPECT_TRUE(box(on).checked()) << on;
  for (const char* off : {"CheckBox29", "CheckBox33", "CheckBox34", "CheckBox35", "CheckBox36", "CheckBox39",
                          "CheckBox40", "CheckBox41", "CheckBox42", "CheckBox63"})
    EXPECT_FALSE(box(off).checked()) << off;
}

TEST_F(Windows, HelpTextsShowOnTheOptionsAndThePageAndItsDescriptionFrameClearThem) {
  read();
  auto& memo = control<ui::Memo>("Memo3");
  box("CheckBox33").mouseMove();
  EXPECT_EQ(memo.text(), "Use this option to stop Windows adding \"Shortcut to\" word when you create a shortcut.");
  control<ui::GroupBox>("GroupBox5").mouseMove();
  EXPECT_EQ(memo.text(), "");
  box("CheckBox62").mouseMove();
  EXPECT_EQ(memo.text(), "Use this option to change Windows Explorer toolbar background.");
  control<ui::TabSheet>("TabSheet3").mouseMove();
  EXPECT_EQ(memo.text(), "");
}

}  // namespace
}  // namespace varnex::pages
