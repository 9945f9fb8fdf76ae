// The main window model: creation, marking, panes, Apply/OK/Cancel and the close query.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_window.h"
#include "settings/memory/memory_machine.h"
#include "settings/store_error.h"
#include "tests/support/fake_platform.h"

namespace varnex::app {
namespace {

const std::string kConfig = "C:\\VARNEX\\Config.DAT";

// A row that logs what the passes do with it and can be told to fail.
struct LogRow : settings::Row {
  std::vector<std::string>& log;
  std::string name;
  bool failWrite = false;
  LogRow(std::vector<std::string>& l, std::string n) : log(l), name(std::move(n)) {}
  void read(settings::Stores&) override { log.push_back("read " + name); }
  void write(settings::Stores&) override {
    log.push_back("write " + name);
    if (failWrite) throw settings::StoreError(settings::failedToSetData(name));
  }
};

class Window : public ::testing::Test {
 protected:
  settings::MemoryMachine machine;
  testing::FakePlatform platform{machine.files};
  MainWindow window{platform, machine.apis()};
  std::vector<std::string> log;
  LogRow first{log, "First"}, second{log, "Second"};
  ui::Form& form = window.form();

  void SetUp() override {
    machine.files.putFile(kConfig, std::string("\x01\x02\x03\x04\x05\x06\x07\x08\0\0\0\0\x09\x0A\x0B\x0C\x0D\x0E\x0F\x10", 20));
    machine.files.putFile("C:\\MSDOS.SYS", "[Options]\r\n", 7);
    window.setPasses({&first, &second}, {&first, &second});
    // Two options of the Boot page, as its page would add them.
    auto& sheet = form.get<ui::TabSheet>("TabSheet1");
    for (const char* name : {"CheckBox1", "CheckBox2"}) window.attachOption(form.add<ui::CheckBox>(name, &sheet), "Page1");
    form.add<ui::CheckBox>("CheckBox48", &form.get<ui::TabSheet>("TabSheet7"));  // no option: never marked
    form.addToGroup("Page1", form.add<ui::SpinEdit>("SpinEdit1", &form.get<ui::GroupBox>("GroupBox2")));
    window.FormCreate(Records{});
    log.clear();
    platform.clearCalls();
  }
  ui::CheckBox& box(const char* name) { return form.get<ui::CheckBox>(name); }
  void leftPress(ui::CheckBox& b) {
    b.mouseDown(ui::MouseButton::Left);
    b.click();
  }
  std::uint32_t msdosAttributes() { return machine.files.getFileAttributes("C:\\MSDOS.SYS"); }
};

TEST_F(Window, CreationReadsStateAndShowsTheBootPageWithEditorsHidden) {
  EXPECT_EQ(window.records()[0], 0x04030201u) << "the window's own copy of Config.DAT";
  EXPECT_EQ(msdosAttributes(), settings::kAttrArchive);
  EXPECT_EQ(form.get<ui::PageControl>("PageControl1").activePage()->name(), "TabSheet1");
  EXPECT_FALSE(form.get<ui::SpinEdit>("SpinEdit1").visible);
  EXPECT_FALSE(form.get<ui::Memo>("Memo1").enabled);
  EXPECT_TRUE(form.get<ui::Memo>("Memo2").enabled);
}

TEST_F(Window, CreationRunsTheReadPassOnce) {
  settings::MemoryMachine m;
  testing::FakePlatform p{m.files};
  MainWindow w{p, m.apis()};
  std::vector<std::string> l;
  LogRow row{l, "Only"};
  w.setPasses({&row}, {&row});
  m.files.putFile(kConfig, std::string(20, '\0'));
  w.FormCreate(Records{});
  EXPECT_EQ(l, std::vector<std::string>{"read Only"});
}

TEST_F(Window, OnlyALeftPressMarksAndHidesTheEditorGroup) {
  form.showGroup("Page1");
  box("CheckBox1").mouseDown(ui::MouseButton::Right);
  EXPECT_EQ(box("CheckBox1").captionColour, ui::kBlack);
  EXPECT_TRUE(form.get<ui::SpinEdit>("SpinEdit1").visible);
  box("CheckBox1").click();  // the keyboard's toggle
  EXPECT_EQ(box("CheckBox1").captionColour, ui::kBlack);
  leftPress(box("CheckBox1"));
  EXPECT_EQ(box("CheckBox1").captionColour, ui::kNavy);
  EXPECT_FALSE(form.get<ui::SpinEdit>("SpinEdit1").visible);
}

TEST_F(Window, ApplyClearsMarksButNotTheAutoShutdownSwitchThenWritesAndReads) {
  leftPress(box("CheckBox1"));
  box("CheckBox48").captionColour = ui::kNavy;
  window.restartFlag = true;  // "OK" was pressed and its close cancelled earlier
  window.Button5Click();
  EXPECT_EQ(box("CheckBox1").captionColour, ui::kBlack);
  EXPECT_EQ(box("CheckBox48").captionColour, ui::kNavy);
  EXPECT_EQ(log, (std::vector<std::string>{"write First", "write Second", "read First", "read Second"}));
  EXPECT_TRUE(window.restartFlag) << "Apply leaves the restart flag alone";
}

TEST_F(Window, TheTwoPassesFollowTheirOwnLists) {
  LogRow writeOnly{log, "WriteOnly"}, readOnly{log, "ReadOnly"};
  window.setPasses({&first, &readOnly}, {&writeOnly, &first});
  window.Button5Click();
  EXPECT_EQ(log, (std::vector<std::string>{"write WriteOnly", "write First", "read First", "read ReadOnly"}));
}

TEST_F(Window, AFailingWriteEndsApplyAndOkWithTheMessage) {
  first.failWrite = true;
  platform.answers.push(kIdOk);
  platform.answers.push(kIdOk);
  window.Button5Click();
  EXPECT_EQ(log, std::vector<std::string>{"write First"}) << "no later row, no read pass";
  EXPECT_EQ(platform.calls("messageBox"),
            std::vector<std::string>{"messageBox(Failed to set data for 'First', Varnex 2000, 0x10)"});
  log.clear();
  window.Button1Click();
  EXPECT_TRUE(window.restartFlag);
  EXPECT_FALSE(window.closed()) << "OK stops before closing";
}

TEST_F(Window, PageChangeHidesEditorsAndClearsEveryPane) {
  form.showGroup("Page1");
  window.showHelp(form.get<ui::Memo>("Memo2"), "help");
  form.get<ui::PageControl>("PageControl1").selectTab(1);
  EXPECT_FALSE(form.get<ui::SpinEdit>("SpinEdit1").visible);
  EXPECT_EQ(form.get<ui::Memo>("Memo2").text(), "");
  EXPECT_FALSE(form.get<ui::Memo>("Memo2").enabled);
}

TEST_F(Window, OnlySomeFramesClearTheirPane) {
  auto& memo1 = form.get<ui::Memo>("Memo1");
  window.showHelp(memo1, "Use this option to disable the function keys on boot up.");
  form.get<ui::GroupBox>("GroupBox1").mouseMove();  // the Boot page's Description frame
  EXPECT_EQ(memo1.text(), "Use this option to disable the function keys on boot up.");
  form.get<ui::TabSheet>("TabSheet1").mouseMove();
  EXPECT_EQ(memo1.text(), "");

  form.get<ui::PageControl>("PageControl1").selectTab(1);
  auto& memo2 = form.get<ui::Memo>("Memo2");
  window.showHelp(memo2, "text");
  form.get<ui::GroupBox>("GroupBox3").mouseMove();  // the System page's Description frame
  EXPECT_EQ(memo2.text(), "");
}

TEST_F(Window, HidePageComparesNamesIgnoringCase) {
  form.showGroup("Page1");
  window.HidePage("page2");
  EXPECT_TRUE(form.get<ui::SpinEdit>("SpinEdit1").visible);
  window.HidePage("PAGE1");
  EXPECT_FALSE(form.get<ui::SpinEdit>("SpinEdit1").visible);
}

TEST_F(Window, CancelClosesWithoutWritingSettingsAndRewritesConfig) {
  machine.files.putFile(kConfig, "stale");
  window.restartFlag = true;  // a restart question would be asked if Cancel left the flag
  window.Button4Click();
  EXPECT_TRUE(window.closed());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(machine.files.readFile(kConfig)->substr(0, 4), "\x01\x02\x03\x04");
  EXPECT_EQ(platform.count("messageBox"), 0u);
  EXPECT_EQ(msdosAttributes(), settings::kAttrArchive);
}

TEST_F(Window, CloseQueryBranches) {
  struct Case {
    const char* what;
    bool ok;         // "OK" pressed (restart flag) rather than the close box
    bool countdown;  // an AutoShutdown countdown runs
    std::vector<int> answers;
    bool closes;
    std::uint32_t attributes;
    std::size_t restarts;
  };
  const std::uint32_t archive = settings::kAttrArchive, boot = 7;
  const Case cases[] = {
      {"close box: no question", false, false, {}, true, archive, 0},
      {"OK, Yes: restart", true, false, {kIdYes}, true, boot, 1},
      {"OK, No", true, false, {kIdNo}, true, boot, 0},
      {"OK, Cancel: stays open", true, false, {kIdCancel}, false, archive, 0},
      {"countdown No, then restart Yes: restart requested, window stays", true, true, {kIdNo, kIdYes}, false, boot, 1},
      {"countdown Yes, restart No", true, true, {kIdYes, kIdNo}, true, boot, 0},
      {"countdown No without OK", false, true, {kIdNo}, false, archive, 0},
  };
  for (const Case& c : cases) {
    settings::MemoryMachine m;
    testing::FakePlatform p{m.files};
    m.files.putFile(kConfig, std::string(20, '\0'));
    m.files.putFile("C:\\MSDOS.SYS", "[Options]\r\n");
    MainWindow w{p, m.apis()};
    w.FormCreate(Records{});
    w.restartFlag = c.ok;
    w.countdownRunning = c.countdown;
    for (int a : c.answers) p.answers.push(a);
    EXPECT_EQ(w.close(), c.closes) << c.what;
    EXPECT_EQ(m.files.getFileAttributes("C:\\MSDOS.SYS"), c.attributes) << c.what;
    EXPECT_EQ(p.calls("exitWindows"), std::vector<std::string>(c.restarts, "exitWindows(2)")) << c.what;
    EXPECT_TRUE(p.answers.empty()) << c.what << ": every scripted question was asked";
    EXPECT_EQ(p.count("writeRecords"), 1u) << c.what;
  }
}

TEST_F(Window, TheRestartQuestionComesAfterConfigIsWrittenAndHidesThreeEditorGroups) {
  auto& sheet = form.get<ui::TabSheet>("TabSheet9");
  auto& delay = form.add<ui::SpinEdit>("SpinEdit2", &sheet);
  form.addToGroup("Page4", delay);
  auto& path = form.add<ui::Edit>("Edit1", &form.get<ui::TabSheet>("TabSheet2"));
  form.addToGroup("Page2", path);
  form.showGroup("Page1");
  form.showGroup("Page2");
  form.showGroup("Page4");
  window.restartFlag = true;
  std::vector<std::string> seenWhileAsking;
  platform.whileBoxOpen = [&](const std::string&) {
    seenWhileAsking = platform.calls();
    EXPECT_FALSE(form.get<ui::SpinEdit>("SpinEdit1").visible);
    EXPECT_FALSE(path.visible);
    EXPECT_TRUE(delay.visible) << "Page4 is not hidden by the restart question";
  };
  platform.answers.push(kIdNo);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(platform.calls("messageBox"),
            std::vector<std::string>{"messageBox(" + kRestartQuestion + ", Confirm, 0x23)"});
  EXPECT_EQ(std::count_if(seenWhileAsking.begin(), seenWhileAsking.end(),
                          [](const std::string& call) { return call.rfind("writeRecords(", 0) == 0; }),
            1)
      << "Config.DAT is written before any question";
}

TEST_F(Window, TheCountdownQuestionHasItsTextButtonsAndTitle) {
  window.countdownRunning = true;
  platform.answers.push(kIdNo);
  EXPECT_FALSE(window.close());
  EXPECT_EQ(platform.calls("messageBox"),
            std::vector<std::string>{"messageBox(" + kCountdownQuestion + ", Confirm, 0x24)"});
}

// Activation is the pages' business (the installed-programs lists refill there); the window
// only tells every page.
TEST_F(Window, ActivationAndPageSelectionReachThePages) {
  struct Probe : Page {
    const char* name;
    std::vector<std::string>& log;
    Probe(const char* n, std::vector<std::string>& l) : name(n), log(l) {}
    const char* sheet() const override { return name; }
    void activated() override { log.push_back(std::string("activated ") + name); }
    void shown() override { log.push_back(std::string("shown ") + name); }
  };
  Probe boot{"TabSheet1", log}, system{"TabSheet2", log};
  window.setPages({&boot, &system});
  window.FormActivate();
  form.get<ui::PageControl>("PageControl1").selectTab(1);
  EXPECT_EQ(log, (std::vector<std::string>{"activated TabSheet1", "activated TabSheet2", "shown TabSheet2"}));
}

TEST_F(Window, AfterCancellingTheRestartQuestionALaterCloseAsksNothing) {
  window.restartFlag = true;
  platform.answers.push(kIdCancel);
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.restartFlag);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(platform.count("messageBox"), 1u);
  EXPECT_EQ(msdosAttributes(), settings::kAttrArchive);
}

TEST_F(Window, AConfigWriteFailureRefusesTheClose) {
  platform.failNextWrite(5);
  platform.answers.push(kIdOk);
  EXPECT_FALSE(window.close());
  EXPECT_EQ(platform.calls("messageBox"), std::vector<std::string>{"messageBox(File access denied, Varnex 2000, 0x10)"});
}

TEST_F(Window, OkHidesWhileACountdownRunsAndHideGoesToTheTray) {
  window.countdownRunning = true;
  window.Button1Click();
  EXPECT_FALSE(window.closed());
  EXPECT_FALSE(platform.mainWindowShown());
  EXPECT_TRUE(platform.trayIconShown());
  EXPECT_EQ(platform.trayTip(), "Varnex");
  window.restoreRequest();
  EXPECT_TRUE(platform.mainWindowShown());
  EXPECT_FALSE(platform.trayIconShown());
}

}  // namespace
}  // namespace varnex::app
