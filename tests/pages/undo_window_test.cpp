// The undo window over the sample machine: "Undo Changes..." on the Varnex page lists the
// backups; "Undo", answered Yes, takes back the chosen one and every newer one, the pages read
// the machine again, and the restart question comes when a setting went back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/undo_window.h"
#include "tests/pages/backed_up_machine.h"
#include "tests/support/machine_dump.h"

namespace varnex::pages {
namespace {

struct UndoWindowTest : ::testing::Test, BackedUpMachine {
  UndoWindow& undo = catalogue->undo;

  std::string dump() {
    return varnex::testing::dumpRegistry(machine.registry) +
           varnex::testing::dumpFilesByEntry(machine.files,
                                            {settings::kMsdosSys, machine.profiles.resolve(settings::kSystemIni)},
                                            kBackupRoot);
  }
  void showVarnexPage() {
    window.form().get<ui::PageControl>("PageControl1").setActivePage(window.form().get<ui::TabSheet>("TabSheet6"));
  }
  // "Undo Changes..." on the Varnex page.
  void openUndo() {
    showVarnexPage();
    window.form().get<ui::Button>("RxSpeedButton13").click();
  }
  void apply(std::initializer_list<const char*> sheets) {
    pressEveryOption(sheets);
    window.Button5Click();
    backupFiles.time.second += 1;
  }
  ui::CheckBox& box(const char* name) { return window.form().get<ui::CheckBox>(name); }
};

TEST_F(UndoWindowTest, ItListsTheBackupsNewestFirstAndShowsTheChosenOnesChanges) {
  openUndo();
  EXPECT_TRUE(undo.shown());
  EXPECT_FALSE(window.enabled);
  EXPECT_TRUE(undo.ListBox1.items().empty());
  EXPECT_EQ(undo.Memo1.text(), kNoBackupsText + "\n");
  EXPECT_FALSE(undo.Button1.enabled) << "nothing to undo";
  undo.Button2Click();

  apply({"TabSheet1"});
  apply({"TabSheet6"});
  openUndo();
  ASSERT_EQ(undo.ListBox1.items().size(), 2u);
  EXPECT_EQ(undo.ListBox1.items()[0], "2026-12-10 13:05:43   6 changes") << "the shortcuts, newest";
  EXPECT_EQ(undo.ListBox1.items()[1].substr(0, 22), "2026-12-10 13:05:42   ");
  EXPECT_EQ(undo.ListBox1.itemIndex(), 0);
  EXPECT_NE(undo.Memo1.text().find("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk: file created\n"), std::string::npos)
      << undo.Memo1.text();
  undo.ListBox1.choose(1);
  EXPECT_NE(undo.Memo1.text().find("C:\\MSDOS.SYS [Options] BootKeys: (none) -> \"0\"\n"), std::string::npos)
      << undo.Memo1.text();
  EXPECT_TRUE(undo.Button1.enabled);

  undo.Button2Click();
  EXPECT_FALSE(undo.shown());
  EXPECT_TRUE(window.enabled);
}

TEST_F(UndoWindowTest, UndoAnsweredYesTakesBackTheChosenBackupAndEveryNewerOne) {
  const std::string before = dump();
  const bool bootKeys = box("CheckBox1").checked();
  apply({"TabSheet1", "TabSheet2"});
  apply({"TabSheet6"});
  const std::string applied = dump();
  box("CheckBox2").mouseDown(ui::MouseButton::Left);  // marked, not applied
  openUndo();
  undo.ListBox1.choose(1);
  platform.clearCalls();
  platform.answers.push(app::kIdYes);  // the question
  platform.answers.push(app::kIdNo);   // no restart now
  undo.Button1Click();

  EXPECT_EQ(platform.calls("messageBox"),
            (std::vector<std::string>{
                "messageBox(Undo the changes made on 2026-12-10 13:05:42 and every change made after them ?, Confirm, "
                "0x24)",
                "messageBox(" + app::kRestartQuestion + ", Confirm, 0x23)"}));
  EXPECT_EQ(platform.count("exitWindows"), 0u);
  const std::string after = dump();
  EXPECT_TRUE(after == before) << varnex::testing::differences(before, after);
  EXPECT_EQ(box("CheckBox1").checked(), bootKeys) << "the pages read the machine again";
  EXPECT_EQ(box("CheckBox2").captionColour, ui::kBlack) << "and show no change of their own";
  EXPECT_TRUE(undo.shown()) << "the window stays, with the undo's own backup on top";
  ASSERT_EQ(undo.ListBox1.items().size(), 3u);
  EXPECT_EQ(undo.ListBox1.itemIndex(), 0);

  // The undo is undone like any pass: the machine as after both "Apply"s.
  platform.answers.push(app::kIdYes);
  platform.answers.push(app::kIdYes);  // restart now
  undo.Button1Click();
  EXPECT_EQ(platform.calls("exitWindows"), std::vector<std::string>{"exitWindows(2)"});
  EXPECT_EQ(machine.files.getFileAttributes(settings::kMsdosSys),
            settings::kAttrReadOnly | settings::kAttrHidden | settings::kAttrSystem)
      << "locked again for the restart";
  machine.files.setFileAttributes(settings::kMsdosSys, settings::kAttrArchive);
  const std::string again = dump();
  EXPECT_TRUE(again == applied) << varnex::testing::differences(applied, again);
}

TEST_F(UndoWindowTest, UndoAnsweredNoChangesNothing) {
  apply({"TabSheet1"});
  const std::string applied = dump();
  openUndo();
  platform.answers.push(app::kIdNo);
  undo.Button1Click();
  EXPECT_EQ(dump(), applied);
  EXPECT_EQ(undo.ListBox1.items().size(), 1u) << "no backup of an undo that did not happen";
}

// Shortcuts take effect at once: taking them back asks for no restart.
TEST_F(UndoWindowTest, OnlyShortcutsBackAskForNoRestart) {
  apply({});  // the first "Apply" on the sample machine writes some settings in their own form
  apply({"TabSheet6"});
  openUndo();
  platform.clearCalls();
  platform.answers.push(app::kIdYes);
  undo.Button1Click();
  EXPECT_EQ(platform.count("messageBox"), 1u) << ::testing::PrintToString(platform.calls("messageBox"));
  EXPECT_FALSE(machine.files.readFile("C:\\WINDOWS\\Desktop\\Varnex 2000.lnk"));
}

TEST_F(UndoWindowTest, ADamagedBackupIsRefusedByNameAndNothingIsWritten) {
  apply({"TabSheet1"});
  apply({"TabSheet2"});
  const std::string newest = kBackupRoot + "\\2026-12-10 13-05-43\\Journal.txt";
  std::string journal = *machine.files.readFile(newest);
  journal[journal.find("\r\n") + 12] ^= 1;
  machine.files.putFile(newest, journal);
  const std::string applied = dump();
  openUndo();
  EXPECT_EQ(undo.ListBox1.items()[0], "2026-12-10 13:05:43   damaged");
  EXPECT_EQ(undo.Memo1.text().rfind("This backup cannot be undone: " + newest + " is damaged (line 2", 0), 0u)
      << undo.Memo1.text();
  undo.ListBox1.choose(1);
  platform.clearCalls();
  platform.answers.push(app::kIdYes);
  platform.answers.push(app::kIdOk);
  undo.Button1Click();
  const std::vector<std::string> boxes = platform.calls("messageBox");
  ASSERT_EQ(boxes.size(), 2u) << "the question and the refusal, no restart question";
  EXPECT_EQ(boxes[1], "messageBox(The backup of 2026-12-10 13:05:43 cannot be undone, so nothing was changed: " +
                          newest + " is damaged (line 2: the line is spoilt)., Varnex 2000, 0x10)");
  EXPECT_EQ(dump(), applied);
  EXPECT_EQ(undo.ListBox1.items().size(), 2u);
}

TEST(VarnexPageLayout, UndoChangesSitsBelowBackToWindowsDefaultAndTheGroupStaysAboveTheDescription) {
  BackedUpMachine m;
  ui::Form& form = m.window.form();
  const ui::Control& group = *form.find("GroupBox20");
  const ui::Control& undo = *form.find("RxSpeedButton13");
  const ui::Control& back = *form.find("CheckBox64");
  EXPECT_EQ(undo.parent(), &group);
  EXPECT_EQ(undo.caption, "Undo Changes...");
  EXPECT_GE(undo.top, back.top + back.height);
  for (const char* name : {"CheckBox45", "CheckBox46", "CheckBox47"}) {
    const ui::Control& shortcut = *form.find(name);
    EXPECT_GE(shortcut.top, undo.top + undo.height) << name;
    EXPECT_LE(shortcut.top + shortcut.height, group.height) << name << " inside its group";
  }
  EXPECT_LE(group.top + group.height, form.find("GroupBox13")->top) << "above the description pane";
}

}  // namespace
}  // namespace varnex::pages
