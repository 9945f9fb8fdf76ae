// The Add/Remove page and its command editor over an in-memory registry, driven as a user does.
#include <gmock/gmock.h>

#include <algorithm>

#include <string>
#include <vector>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

using settings::kHkeyLocalMachine;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kKey = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kAreYouSureBox = "messageBox(Are you sure ?, Confirm, 0x24)";

// Entries in an order the sort must fix: two share a display name, one has none, one has a
// subtree of its own, one has a display name that is no text.
const std::string kPrograms =
    "[" + kKey + "\\zeta]\n\"DisplayName\"=\"banana Split\"\n\"UninstallString\"=\"Z.EXE\"\n\n"
    "[" + kKey + "\\TarnCards2]\n\"DisplayName\"=\"Tarn Card Games\"\n\"UninstallString\"=\"NEW.EXE\"\n\n"
    "[" + kKey + "\\TarnCards2\\Parts\\Deeper]\n\"x\"=\"1\"\n\n"
    "[" + kKey + "\\TarnCards2\\Other]\n\n"
    "[" + kKey + "\\TarnCards]\n\"DisplayName\"=\"Tarn Card Games\"\n\"UninstallString\"=\"OLD.EXE\"\n\n"
    "[" + kKey + "\\PrinterPack]\n\"UninstallString\"=\"PRN.EXE\"\n\n"
    "[" + kKey + "\\Broken]\n\"DisplayName\"=dword:00000001\n\n"
    "[" + kKey + "\\apple]\n\"DisplayName\"=\"Apple Pie\"\n\"UninstallString\"=dword:00000002\n\n";

std::string uninstall(const std::string& name) {
  return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name;
}

class AddRemove : public PageTest {
 protected:
  void SetUp() override {
    loadReg(kPrograms);
    read();
    showPage("TabSheet10");
  }
  ui::ListBox& keys() { return control<ui::ListBox>("ListBox1"); }
  ui::ListBox& names() { return control<ui::ListBox>("ListBox2"); }
  ui::Button& button(const char* caption) {
    return control<ui::Button>(std::string(caption) == "Edit" ? "Button2" : "Button3");
  }
  CommandEditor& editor() { return catalogue->commandEditor; }
  bool entryExists(const std::string& name) { return keyExists(kHkeyLocalMachine, uninstall(name)); }
  std::string value(const std::string& entry, const char* name) {
    return stored(kHkeyLocalMachine, uninstall(entry), name);
  }
};

TEST_F(AddRemove, TheReadPassListsKeysAndDisplayNamesSortedIgnoringCase) {
  EXPECT_THAT(keys().items(), ElementsAre("apple", "Broken", "PrinterPack", "TarnCards", "TarnCards2", "zeta"));
  EXPECT_FALSE(keys().visible) << "the key list lies hidden under the display list";
  // No line for the entry without a name or with a name that is no text; the shared name twice.
  EXPECT_THAT(names().items(), ElementsAre("Apple Pie", "banana Split", "Tarn Card Games", "Tarn Card Games"));
  EXPECT_EQ(control<ui::Label>("Label43").caption, "Removing an entry does not actually uninstal the program.");
}

TEST(AddRemoveLists, AMissingOrEmptyUninstallKeyListsNothingAndEditAndRemoveChangeNothing) {
  for (const char* reg : {"", "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\n"}) {
    PageHarness t;
    t.loadReg(reg);
    t.read();
    t.showPage("TabSheet10");
    EXPECT_THAT(t.control<ui::ListBox>("ListBox1").items(), IsEmpty()) << reg;
    EXPECT_THAT(t.control<ui::ListBox>("ListBox2").items(), IsEmpty()) << reg;
    t.control<ui::Button>("Button2").click();
    EXPECT_FALSE(t.catalogue->commandEditor.shown());
    EXPECT_TRUE(t.window.enabled) << "Edit without an entry leaves the main window enabled";
    t.platform.answers.push(app::kIdYes);
    t.control<ui::Button>("Button3").click();
    EXPECT_THAT(t.platform.calls("messageBox"), ElementsAre(kAreYouSureBox)) << "Remove still asks first";
  }
}

TEST(AddRemoveLists, TheToolkitOrderIgnoresCaseAndKeepsTextsEqualButForCaseAsAdded) {
  std::vector<std::string> texts = {"b", "B", "a", "_x", "A", "Zed", "zebra", ""};
  sortLikeListBox(texts);
  EXPECT_THAT(texts, ElementsAre("", "_x", "a", "A", "b", "B", "zebra", "Zed"));
}

TEST_F(AddRemove, RemoveAsksThenDeletesTheMatchedEntryWithItsSubtreeAndRefills) {
  struct Case {
    int chosen;  // -1: nothing selected
    int answer;
    std::vector<std::string> gone;
  };
  const Case cases[] = {
      {2, app::kIdYes, {"TarnCards2"}},  // a shared name: the last key in key order
      {3, app::kIdYes, {"TarnCards2"}},
      {-1, app::kIdYes, {"apple"}},  // nothing selected: row 0
      {1, app::kIdNo, {}},
  };
  for (const Case& c : cases) {
    PageHarness t;
    t.loadReg(kPrograms);
    t.read();
    t.showPage("TabSheet10");
    if (c.chosen >= 0) t.control<ui::ListBox>("ListBox2").choose(c.chosen);
    t.platform.answers.push(c.answer);
    t.control<ui::Button>("Button3").click();
    SCOPED_TRACE("row " + std::to_string(c.chosen));
    EXPECT_THAT(t.platform.calls("messageBox"), ElementsAre(kAreYouSureBox));
    for (const char* entry : {"apple", "Broken", "PrinterPack", "TarnCards", "TarnCards2", "zeta"}) {
      const bool removed = std::find(c.gone.begin(), c.gone.end(), entry) != c.gone.end();
      EXPECT_EQ(t.keyExists(kHkeyLocalMachine, uninstall(entry)), !removed) << entry;
    }
    if (c.gone == std::vector<std::string>{"TarnCards2"}) {
      EXPECT_FALSE(t.keyExists(kHkeyLocalMachine, uninstall("TarnCards2\\Parts\\Deeper")));
      EXPECT_THAT(t.control<ui::ListBox>("ListBox2").items(),
                  ElementsAre("Apple Pie", "banana Split", "Tarn Card Games"))
          << "refilled without the removed line";
      EXPECT_EQ(t.control<ui::ListBox>("ListBox2").itemIndex(), -1) << "the refill drops the selection";
    }
  }
}

// An entry listed under the empty name: an entry without a name (PrinterPack, later in key order)
// must not take its place, or "Remove" deletes and "Edit" writes an entry the user never saw.
TEST(AddRemoveLists, TheEmptyNameMatchesOnlyTheEntryThatHasIt) {
  const std::string blank = "[" + kKey + "\\Blank]\n\"DisplayName\"=\"\"\n\"UninstallString\"=\"BLANK.EXE\"\n\n";
  for (const char* press : {"Edit", "Remove"}) {
    SCOPED_TRACE(press);
    PageHarness t;
    t.loadReg(kPrograms + blank);
    t.read();
    t.showPage("TabSheet10");
    ASSERT_EQ(t.control<ui::ListBox>("ListBox2").items().front(), "");
    t.control<ui::ListBox>("ListBox2").choose(0);
    if (std::string(press) == "Edit") {
      t.control<ui::Button>("Button2").click();
      EXPECT_EQ(t.catalogue->commandEditor.entryKey(), uninstall("Blank"));
      EXPECT_EQ(t.catalogue->commandEditor.Edit1.text(), "BLANK.EXE");
    } else {
      t.platform.answers.push(app::kIdYes);
      t.control<ui::Button>("Button3").click();
      EXPECT_FALSE(t.keyExists(kHkeyLocalMachine, uninstall("Blank")));
    }
    EXPECT_TRUE(t.keyExists(kHkeyLocalMachine, uninstall("PrinterPack")));
    EXPECT_EQ(t.stored(kHkeyLocalMachine, uninstall("PrinterPack"), "UninstallString"), "sz:PRN.EXE");
  }
}

TEST_F(AddRemove, EditShowsTheMatchedEntryInTheEditorWhileTheMainWindowWaits) {
  window.form().showGroup("Page1");
  names().choose(2);
  button("Edit").click();
  ASSERT_TRUE(editor().shown());
  EXPECT_EQ(editor().entryKey(), uninstall("TarnCards2"));
  EXPECT_EQ(editor().Edit1.text(), "NEW.EXE") << "the last of the entries named alike";
  EXPECT_EQ(editor().Edit2.text(), "Tarn Card Games");
  EXPECT_FALSE(window.enabled);
  EXPECT_FALSE(control<ui::SpinEdit>("SpinEdit1").visible) << "the editor groups are hidden";
  EXPECT_EQ(platform.count("messageBox"), 0u);
}

TEST_F(AddRemove, ACommandThatIsNoTextKeepsTheFieldAsItWas) {
  editor().Edit1.setText("typed before");
  button("Edit").click();  // nothing selected: row 0, "Apple Pie", whose command is a number
  ASSERT_TRUE(editor().shown());
  EXPECT_EQ(editor().Edit1.text(), "typed before");
  EXPECT_EQ(editor().Edit2.text(), "Apple Pie");
}

// OK with Yes writes both values and the lists follow once the main window is active again; No
// and Cancel write nothing. All three close the editor and enable the main window.
TEST_F(AddRemove, TheEditorWritesOnlyAfterYesAndTheListFollowsOnActivation) {
  struct Case {
    const char* press;
    int answer;  // 0: no question
    bool writes;
  };
  for (const Case& c : {Case{"OK", app::kIdYes, true}, Case{"OK", app::kIdNo, false}, Case{"Cancel", 0, false}}) {
    PageHarness t;
    t.loadReg(kPrograms);
    t.read();
    t.showPage("TabSheet10");
    t.control<ui::ListBox>("ListBox2").choose(1);
    t.control<ui::Button>("Button2").click();
    CommandEditor& e = t.catalogue->commandEditor;
    e.Edit2.type("Banana Split 2");
    e.Edit1.type("C:\\Z\\UNZ.EXE /S");
    if (c.answer) t.platform.answers.push(c.answer);
    (std::string(c.press) == "OK" ? e.Button1 : e.Button2).click();
    SCOPED_TRACE(std::string(c.press) + " " + std::to_string(c.answer));
    EXPECT_EQ(t.platform.count("messageBox"), c.answer ? 1u : 0u);
    EXPECT_FALSE(e.shown());
    EXPECT_TRUE(t.window.enabled);
    EXPECT_EQ(t.stored(kHkeyLocalMachine, uninstall("zeta"), "UninstallString"),
              c.writes ? "sz:C:\\Z\\UNZ.EXE /S" : "sz:Z.EXE");
    EXPECT_EQ(t.stored(kHkeyLocalMachine, uninstall("zeta"), "DisplayName"),
              c.writes ? "sz:Banana Split 2" : "sz:banana Split");
    EXPECT_EQ(t.window.programsRefreshFlag, c.writes);
    t.control<ui::ListBox>("ListBox2").choose(0);
    t.window.FormActivate();
    EXPECT_FALSE(t.window.programsRefreshFlag);
    EXPECT_EQ(t.control<ui::ListBox>("ListBox2").items()[1], c.writes ? "Banana Split 2" : "banana Split");
    EXPECT_EQ(t.control<ui::ListBox>("ListBox2").itemIndex(), c.writes ? -1 : 0) << "only a refill drops it";
  }
}

// The entry went away while the editor was open: the failure is shown, nothing is reported as
// saved, and the editor stays open with what the user typed.
TEST_F(AddRemove, AnEntryThatVanishedWhileEditingIsAFailureNotASave) {
  names().choose(1);
  button("Edit").click();
  machine.registry.deleteKey(kHkeyLocalMachine, uninstall("zeta"));
  editor().Edit1.type("C:\\Z\\UNZ.EXE");
  platform.answers.push(app::kIdYes);
  platform.answers.push(app::kIdOk);
  editor().Button1.click();
  EXPECT_THAT(platform.calls("messageBox"),
              ElementsAre(kAreYouSureBox, "messageBox(Failed to set data for 'UninstallString', Varnex 2000, 0x10)"));
  EXPECT_FALSE(entryExists("zeta")) << "the editor opens without creating";
  EXPECT_FALSE(window.programsRefreshFlag);
  EXPECT_TRUE(editor().shown());
  EXPECT_FALSE(window.enabled);
  editor().Button2.click();
  EXPECT_TRUE(window.enabled);
}

}  // namespace
}  // namespace varnex::pages
