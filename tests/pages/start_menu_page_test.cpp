// The Start Menu page over an in-memory registry and file tree, driven as a user drives it.
#include <gmock/gmock.h>

#include <string>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

using settings::kHkeyCurrentUser;
using settings::kHkeyLocalMachine;

const char* const kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Advanced";
const char* const kDesktop = "Control Panel\\Desktop";
const char* const kMenuOrder = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";
const char* const kControlPanel = "C:\\WINDOWS\\Start Menu\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
const char* const kRecycleBin = "C:\\WINDOWS\\Start Menu\\Recycle Bin.{645FF040-5081-101B-9F08-00AA002F954E}";

class StartMenu : public PageTest {
 protected:
  void SetUp() override { showPage("TabSheet9"); }
  bool folder(const std::string& path) { return machine.files.isFolder(path); }
};

TEST(StartMenuToggles, EachRegistryOptionFollowsItsSettingAndWritesItsOnOrOffForm) {
  struct Case {
    const char* control;
    const char* key;
    const char* name;
    const char* data;  // REGEDIT4 data; null: absent
    bool checked;
    const char* asRead;
    const char* toggled;
  };
  std::vector<Case> cases;
  const std::pair<const char*, const char*> policies[] = {
      {"CheckBox50", "NoFind"},          {"CheckBox51", "NoRun"},
      {"CheckBox52", "NoClose"},         {"CheckBox53", "NoFavoritesMenu"},
      {"CheckBox54", "NoRecentDocsMenu"}, {"CheckBox55", "NoLogOff"},
      {"CheckBox56", "ClearRecentDocsOnExit"}, {"CheckBox57", "NoRecentDocsHistory"},
  };
  for (const auto& [control, name] : policies) {
    cases.push_back({control, kPolicies, name, "hex:01,00,00,00", true, "hex:01,00,00,00", "hex:00,00,00,00"});
    cases.push_back({control, kPolicies, name, nullptr, false, "<absent>", "hex:01,00,00,00"});
    // An integer is unreadable as binary: off, and rewritten as binary 0.
    cases.push_back({control, kPolicies, name, "dword:00000001", false, "hex:00,00,00,00", "hex:01,00,00,00"});
    cases.push_back({control, kPolicies, name, "hex:02,00,00,00", false, "hex:00,00,00,00", "hex:01,00,00,00"});
  }
  const char* columns = "StartMenuScrollPrograms";
  cases.push_back({"CheckBox59", kAdvanced, columns, "\"false\"", true, "sz:FALSE", "sz:TRUE"});
  cases.push_back({"CheckBox59", kAdvanced, columns, "\"TRUE\"", false, "sz:TRUE", "sz:FALSE"});
  cases.push_back({"CheckBox59", kAdvanced, columns, nullptr, false, "<absent>", "sz:FALSE"});
  cases.push_back({"CheckBox59", kAdvanced, columns, "hex:00", false, "sz:TRUE", "sz:FALSE"});

  for (const Case& c : cases) {
    for (bool toggle : {false, true}) {
      SCOPED_TRACE(std::string(c.control) + " " + c.name + " = " + (c.data ? c.data : "<absent>") +
                   (toggle ? ", toggled" : ", as read"));
      PageHarness t;
      t.showPage("TabSheet9");
      const settings::RegHandle root = std::string(c.key) == kAdvanced ? kHkeyLocalMachine : kHkeyCurrentUser;
      std::string body = std::string("[") + (root == kHkeyLocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") +
                         c.key + "]\n";
      if (c.data) body += "\"" + std::string(c.name) + "\"=" + c.data + "\n";
      t.loadReg(body);
      t.read();
      EXPECT_EQ(t.box(c.control).checked(), c.checked);
      if (toggle) t.box(c.control).click();
      t.write();
      EXPECT_EQ(t.stored(root, c.key, c.name), toggle ? c.toggled : c.asRead);
    }
  }
}

TEST_F(StartMenu, FoldersAreMadeAndRemovedAndTheReadPassOnlyEverChecksTheirBoxes) {
  read();
  EXPECT_FALSE(box("CheckBox58").checked());
  EXPECT_FALSE(box("CheckBox60").checked());
  write();
  EXPECT_FALSE(folder(kControlPanel)) << "an unchecked box makes nothing";

  box("CheckBox58").click();
  box("CheckBox60").click();
  window.Button5Click();
  EXPECT_TRUE(folder(kControlPanel));
  EXPECT_TRUE(folder(kRecycleBin));
  EXPECT_TRUE(box("CheckBox58").checked());

  // Deleted by another program: the box stays checked and the next "Apply" makes it again.
  ASSERT_TRUE(machine.files.removeDirectory(kControlPanel));
  read();
  EXPECT_TRUE(box("CheckBox58").checked());
  window.Button5Click();
  EXPECT_TRUE(folder(kControlPanel));

  // One holding a file cannot be removed and reads checked again; an empty one goes.
  machine.files.putFile(std::string(kControlPanel) + "\\desktop.ini", "[.ShellClassInfo]\n");
  box("CheckBox58").click();
  box("CheckBox60").click();
  window.Button5Click();
  EXPECT_TRUE(folder(kControlPanel));
  EXPECT_TRUE(box("CheckBox58").checked());
  EXPECT_FALSE(folder(kRecycleBin));
  EXPECT_FALSE(box("CheckBox60").checked());
}

TEST_F(StartMenu, AFolderThatCannotBeMadeLeavesItsBoxChecked) {
  machine.files.putFile("C:\\WINDOWS\\Start Menu", "a file where the folder should be");
  read();
  box("CheckBox58").click();
  window.Button5Click();
  EXPECT_FALSE(folder(kControlPanel));
  EXPECT_TRUE(box("CheckBox58").checked());
  EXPECT_EQ(platform.count("messageBox"), 0u) << "nothing is reported";
}

TEST(StartMenuDelay, TheFieldShowsTheDelayWithinItsRangeAndACheckedBoxWritesIt) {
  struct Case {
    const char* data;  // REGEDIT4 data of MenuShowDelay; null: absent
    const char* field;
    const char* asLoaded;
  };
  const Case cases[] = {
      {nullptr, "400", ""},
      {"\"250\"", "250", "250"},
      {"\"1000\"", "500", "1000"},
      {"\"-5\"", "0", "-5"},
      {"\"\"", "400", ""},
      {"\"fast\"", "400", "fast"},
      {"dword:00000064", "400", "400"},  // unreadable as text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data ? c.data : "<absent>");
    PageHarness t;
    t.showPage("TabSheet9");
    std::string body = "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n";
    if (c.data) body += std::string("\"MenuShowDelay\"=") + c.data + "\n";
    t.loadReg(body);
    t.read();
    EXPECT_EQ(t.control<ui::SpinEdit>("SpinEdit2").text(), c.field);
    EXPECT_EQ(t.catalogue->startMenu.delayAsLoaded(), c.asLoaded);
    const std::string before = t.stored(kHkeyCurrentUser, kDesktop, "MenuShowDelay");
    t.write();
    EXPECT_EQ(t.stored(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), before) << "never checked, nothing written";
    t.press("CheckBox30");
    t.write();
    EXPECT_EQ(t.stored(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), std::string("sz:") + c.field);
  }
}

TEST_F(StartMenu, TheDelayEditorOpensOnCheckingAndUncheckingPutsTheLoadedDelayBack) {
  loadReg("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"MenuShowDelay\"=\"250\"\n");
  read();
  auto& field = control<ui::SpinEdit>("SpinEdit2");
  EXPECT_FALSE(field.showing());
  press("CheckBox30");
  ASSERT_TRUE(field.showing());
  EXPECT_TRUE(control<ui::Label>("Label5").showing());
  EXPECT_TRUE(control<ui::Label>("Label6").showing());
  EXPECT_EQ(control<ui::Label>("Label5").caption, "Menu Show Delay");
  EXPECT_EQ(control<ui::Label>("Label6").caption, "milliseconds");
  EXPECT_EQ(field.text(), "250");
  field.type("100");
  press("CheckBox30");
  EXPECT_FALSE(field.showing());
  EXPECT_EQ(field.text(), "250");
  loadReg("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"MenuShowDelay\"=\"7\"\n");
  write();
  EXPECT_EQ(stored(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), "sz:7") << "an unchecked box writes nothing";

  press("CheckBox30");
  field.type("100");
  window.Button5Click();
  EXPECT_EQ(stored(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), "sz:100");
  EXPECT_TRUE(box("CheckBox30").checked()) << "the read pass never sets the box";
  EXPECT_FALSE(field.showing());
}

TEST_F(StartMenu, TheFieldTakesThreeDigitsAndAlwaysWritesAValueInItsRange) {
  read();
  auto& field = control<ui::SpinEdit>("SpinEdit2");
  press("CheckBox30");
  field.type("9999");
  EXPECT_EQ(field.text(), "999");
  write();  // before the field lost the focus
  EXPECT_EQ(stored(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), "sz:500");
  field.focusLost();
  EXPECT_EQ(field.text(), "500");
  field.type("");
  write();
  EXPECT_EQ(stored(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), "sz:0");
}

const char* const kMenuOrders =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu\\Programs\\Accessories]\n"
    "\"Order\"=hex:08,00\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Favorites\\Links]\n"
    "\"Order\"=hex:08,00\n";

TEST_F(StartMenu, SortingDeletesTheMenusOrderEveryTimeItsBoxIsChecked) {
  loadReg(kMenuOrders);
  read();
  write();
  EXPECT_TRUE(keyExists(kHkeyCurrentUser, std::string(kMenuOrder) + "\\Start Menu"));
  EXPECT_TRUE(keyExists(kHkeyCurrentUser, std::string(kMenuOrder) + "\\Favorites"));

  press("CheckBox31");
  window.Button5Click();
  EXPECT_FALSE(keyExists(kHkeyCurrentUser, std::string(kMenuOrder) + "\\Start Menu"));
  EXPECT_TRUE(keyExists(kHkeyCurrentUser, std::string(kMenuOrder) + "\\Favorites\\Links"));
  EXPECT_TRUE(box("CheckBox31").checked());

  loadReg(kMenuOrders);  // the shell stored a new order
  press("CheckBox61");
  window.Button5Click();
  EXPECT_FALSE(keyExists(kHkeyCurrentUser, std::string(kMenuOrder) + "\\Start Menu"));
  EXPECT_FALSE(keyExists(kHkeyCurrentUser, std::string(kMenuOrder) + "\\Favorites"));
  EXPECT_TRUE(keyExists(kHkeyCurrentUser, kMenuOrder));
  EXPECT_EQ(platform.count("messageBox"), 0u);

  window.Button5Click();  // nothing left to delete: silent
  EXPECT_EQ(platform.count("messageBox"), 0u);
}

TEST_F(StartMenu, UncheckedSortOptionsOpenNoKey) {
  read();
  write();
  EXPECT_FALSE(keyExists(kHkeyCurrentUser, kMenuOrder));
}

TEST_F(StartMenu, BackToDefaultsClearsTheTogglesAndLeavesTheActionOptions) {
  read();
  for (const char* b : {"CheckBox30", "CheckBox31", "CheckBox61", "CheckBox50", "CheckBox58", "CheckBox59"})
    box(b).setChecked(true);
  catalogue->startMenu.restoreDefaults();
  for (const char* on : {"CheckBox30", "CheckBox31", "CheckBox61"}) EXPECT_TRUE(box(on).checked()) << on;
  for (int n = 50; n <= 60; ++n) EXPECT_FALSE(box("CheckBox" + std::to_string(n)).checked()) << n;
}

TEST_F(StartMenu, HelpTextsShowAndOnlyThePageClearsThem) {
  read();
  auto& memo = control<ui::Memo>("Memo7");
  box("CheckBox30").mouseMove();
  EXPECT_EQ(memo.text(),
            "Use this option to set how long Windows must wait before shows the menu. Suggestion: Try 10 or less");
  control<ui::GroupBox>("GroupBox14").mouseMove();
  EXPECT_EQ(memo.text(),
            "Use this option to set how long Windows must wait before shows the menu. Suggestion: Try 10 or less");
  control<ui::TabSheet>("TabSheet9").mouseMove();
  EXPECT_EQ(memo.text(), "");
}

}  // namespace
}  // namespace varnex::pages
