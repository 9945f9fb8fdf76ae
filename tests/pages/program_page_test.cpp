// The "Varnex" page: its shortcut rows over an in-memory file tree, its links, and the question
// of "Back to Windows Default".
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "settings/formats/shell_link.h"
#include "settings/formats/szdd.h"
#include "pages/layout.h"
#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

const std::string kProgram = "C:\\VARNEX";
const std::string kDesktopLink = "C:\\WINDOWS\\Desktop\\Varnex 2000.lnk";
const std::string kQuickLaunchLink =
    "C:\\WINDOWS\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\Varnex 2000.lnk";
const std::string kMenuFolder = "C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000";
const std::string kMenuLink = kMenuFolder + "\\Varnex 2000.lnk";
const std::string kReadmeLink = kMenuFolder + "\\Readme.lnk";
const std::string kUninstallLink = kMenuFolder + "\\Uninstall.lnk";

// "target | working directory" of a shortcut file, its bytes when it is none, or "<absent>".
std::string shortcut(settings::MemoryFiles& files, const std::string& path) {
  auto bytes = files.readFile(path);
  if (!bytes) return "<absent>";
  try {
    const formats::ShellLinkInfo info =
        formats::readShellLink(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()), path);
    return info.target + " | " + info.workingDirectory;
  } catch (const std::exception&) {
    return *bytes;
  }
}

class ProgramPage : public PageTest {
 protected:
  void SetUp() override {
    showPage("TabSheet6");
    loadMsdos("");
    for (const char* folder : {"C:\\WINDOWS\\Desktop", "C:\\WINDOWS\\Start Menu\\Programs",
                               "C:\\WINDOWS\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch"})
      machine.files.putFolder(folder);
    machine.files.putFile(kProgram + "\\Varnex.exe", "MZ");
    machine.files.putFile(kProgram + "\\Readme.txt", "read me");
    machine.files.putFile(kProgram + "\\Uninstall.lnk", "the installer's shortcut");
  }
  std::string link(const std::string& path) { return shortcut(machine.files, path); }
  void apply() { window.Button5Click(); }
};

TEST_F(ProgramPage, TickedBoxesMakeShortcutsIntoTheProgramFolderAndUntickedOnesDeleteThem) {
  for (const char* name : {"CheckBox45", "CheckBox46", "CheckBox47"}) press(name);
  apply();
  EXPECT_EQ(link(kDesktopLink), "C:\\VARNEX\\Varnex.exe | C:\\VARNEX");
  EXPECT_EQ(link(kQuickLaunchLink), "C:\\VARNEX\\Varnex.exe | C:\\VARNEX");
  EXPECT_EQ(link(kMenuLink), "C:\\VARNEX\\Varnex.exe | C:\\VARNEX");
  EXPECT_EQ(link(kReadmeLink), "C:\\VARNEX\\Readme.txt | C:\\VARNEX");
  EXPECT_EQ(link(kUninstallLink), "C:\\VARNEX\\Uninstall.lnk | C:\\VARNEX");

  for (const char* name : {"CheckBox45", "CheckBox46", "CheckBox47"}) press(name);
  apply();
  for (const std::string& path : {kDesktopLink, kQuickLaunchLink, kMenuLink, kReadmeLink, kUninstallLink})
    EXPECT_EQ(link(path), "<absent>") << path;
  EXPECT_FALSE(machine.files.isFolder(kMenuFolder));
}

TEST(ProgramShortcuts, TheMainShortcutAloneDecidesWhetherAnythingIsMadeOrDeleted) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> before;
    const char* box;
    bool checked;  // when the write pass runs
    std::vector<std::pair<std::string, std::string>> after;
  };
  const Case cases[] = {
      {"a desktop shortcut that points elsewhere is left as it is",
       {{kDesktopLink, "elsewhere"}}, "CheckBox45", true,
       {{kDesktopLink, "elsewhere"}}},
      {"without the main start-menu shortcut all three are made, the stray Readme.lnk overwritten",
       {{kReadmeLink, "stray"}}, "CheckBox47", true,
       {{kMenuLink, "C:\\VARNEX\\Varnex.exe | C:\\VARNEX"}, {kReadmeLink, "C:\\VARNEX\\Readme.txt | C:\\VARNEX"}}},
      {"an unticked box without the main shortcut deletes nothing",
       {{kReadmeLink, "stray"}, {kUninstallLink, "stray"}}, "CheckBox47", false,
       {{kReadmeLink, "stray"}, {kUninstallLink, "stray"}}},
      {"removing the start-menu shortcuts keeps a folder that holds other files",
       {{kMenuLink, "main"}, {kMenuFolder + "\\Notes.txt", "mine"}}, "CheckBox47", false,
       {{kMenuLink, "<absent>"}, {kMenuFolder + "\\Notes.txt", "mine"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PageHarness t;
    for (const auto& [path, bytes] : c.before) t.machine.files.putFile(path, bytes);
    t.read();
    t.box(c.box).setChecked(c.checked);
    t.write();
    for (const auto& [path, expected] : c.after) EXPECT_EQ(shortcut(t.machine.files, path), expected) << path;
  }
}

TEST_F(ProgramPage, TheReadPassChecksABoxWhoseFileExistsAndNeverUnchecksOne) {
  machine.files.putFile(kQuickLaunchLink, "LNK");
  read();
  EXPECT_FALSE(box("CheckBox45").checked());
  EXPECT_TRUE(box("CheckBox46").checked());

  // Ticked, then its shortcut deleted behind the program's back: still ticked, and made again.
  press("CheckBox45");
  apply();
  ASSERT_NE(link(kDesktopLink), "<absent>");
  machine.files.deleteFile(kDesktopLink);
  read();
  EXPECT_TRUE(box("CheckBox45").checked());
  apply();
  EXPECT_EQ(link(kDesktopLink), "C:\\VARNEX\\Varnex.exe | C:\\VARNEX");

  // A shortcut that cannot be made leaves its box ticked.
  machine.shell.refuseCreate = true;
  machine.files.deleteFile(kDesktopLink);
  apply();
  EXPECT_EQ(link(kDesktopLink), "<absent>");
  EXPECT_TRUE(box("CheckBox45").checked());
}

// Forwards to the machine's files and writes down the calls that change the tree.
class RecordingFiles : public settings::FileApi {
 public:
  explicit RecordingFiles(settings::MemoryFiles& files) : files_(files) {}
  std::vector<std::string> log;

  std::uint32_t getFileAttributes(const std::string& p) override { return files_.getFileAttributes(p); }
  bool setFileAttributes(const std::string& p, std::uint32_t a) override { return files_.setFileAttributes(p, a); }
  bool findFirstFile(const std::string& p, std::uint32_t& a) override { return files_.findFirstFile(p, a); }
  bool createDirectory(const std::string& p) override { return note("mkdir " + p), files_.createDirectory(p); }
  bool removeDirectory(const std::string& p) override { return note("rmdir " + p), files_.removeDirectory(p); }
  bool deleteFile(const std::string& p) override { return note("delete " + p), files_.deleteFile(p); }
  int lzOpenFile(const std::string& p, std::uint16_t style) override {
    note((style == settings::kOfCreate ? "create " : "open ") + p);
    return files_.lzOpenFile(p, style);
  }
  long lzCopy(int from, int to) override { return note("copy"), files_.lzCopy(from, to); }
  void lzClose(int handle) override { files_.lzClose(handle); }
  std::string windowsDirectory() override { return files_.windowsDirectory(); }
  std::string currentDirectory() override { return files_.currentDirectory(); }

 private:
  void note(std::string line) { log.push_back(std::move(line)); }
  settings::MemoryFiles& files_;
};

TEST(ProgramShortcuts, StartMenuShortcutsAreDeletedMainFirstThenTheFolder) {
  settings::MemoryMachine machine;
  RecordingFiles files(machine.files);
  varnex::testing::FakePlatform platform{machine.files};
  app::MainWindow window{platform, {machine.registry, machine.profiles, files, machine.shell}};
  auto catalogue = buildCatalogue(window);
  for (const std::string& path : {kMenuLink, kReadmeLink, kUninstallLink}) machine.files.putFile(path, "LNK");
  window.BacaData();
  ASSERT_TRUE(window.form().get<ui::CheckBox>("CheckBox47").checked());
  window.form().get<ui::CheckBox>("CheckBox47").setChecked(false);
  files.log.clear();
  catalogue->program.rows().back().row->write(window.stores());
  EXPECT_THAT(files.log, ::testing::ElementsAre("delete " + kMenuLink, "delete " + kReadmeLink,
                                                "delete " + kUninstallLink, "rmdir " + kMenuFolder));
}

// The start menu's Uninstall.lnk is first a copy of the program folder's (expanded when
// compressed), then a shortcut saved over it; the copy is left only when no shortcut is saved.
TEST_F(ProgramPage, TheUninstallShortcutIsACopyFirstThenAShortcutOverIt) {
  const std::string plain = "the installer's shortcut";
  const std::vector<std::uint8_t> packed =
      formats::compressSzdd(std::span(reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size()), 'k');
  machine.files.putFile(kProgram + "\\Uninstall.lnk", std::string(packed.begin(), packed.end()));
  machine.shell.offerPersistFile = false;
  press("CheckBox47");
  apply();
  EXPECT_EQ(link(kUninstallLink), plain) << "expanded, not copied byte for byte";
  EXPECT_EQ(link(kMenuLink), "<absent>");

  machine.files.deleteFile(kUninstallLink);
  machine.shell.offerPersistFile = true;
  apply();
  EXPECT_EQ(link(kUninstallLink), "C:\\VARNEX\\Uninstall.lnk | C:\\VARNEX");
}

TEST_F(ProgramPage, TheTitleIsTheProgramIconBesideItsNameAndTheLinksShowAHand) {
  const auto& icon = control<ui::Label>("Image8");
  const auto& title = control<ui::Label>("RxLabel11");
  EXPECT_EQ(icon.icon, kProgramIcon);
  EXPECT_EQ(title.caption, "Varnex 2000");
  EXPECT_STREQ(title.font.face, "Arial");
  EXPECT_EQ(title.font.pixels, 24);
  EXPECT_TRUE(title.font.bold && title.font.italic);
  EXPECT_EQ(title.captionColour, ui::kNavy);
  EXPECT_LE(icon.left + icon.width, title.left) << "the name stands right of the icon";
  EXPECT_EQ(window.form().find("Heading11"), nullptr) << "the page has one title";
  for (const char* link : {"RxSpeedButton1", "RxSpeedButton2", "RxSpeedButton4"})
    EXPECT_TRUE(control<ui::Button>(link).handCursor) << link;
}

TEST_F(ProgramPage, TheLinksOpenTheHomePageAndAMailToSupport) {
  control<ui::Button>("RxSpeedButton1").click();
  control<ui::Button>("RxSpeedButton2").click();
  EXPECT_THAT(platform.calls("shellExecute"),
              ::testing::ElementsAre("shellExecute(open, http://www.example.com/varnex/, , )",
                                     "shellExecute(open, mailto:varnex@example.com, , )"));
}

TEST_F(ProgramPage, HelpTextsFollowThePointerAndTheFrameClearsThem) {
  const std::pair<const char*, const char*> texts[] = {
      {"CheckBox45", "Show Varnex 2000 icon on the desktop."},
      {"CheckBox46", "Show Varnex 2000 icon on the quicklaunch toolbar."},
      {"CheckBox47", "Show Varnex 2000 icon on the start menu."},
      {"CheckBox64", "Use this option if you want to restore Windows default settings."},
  };
  auto& pane = control<ui::Memo>("Memo5");
  for (const auto& [name, text] : texts) {
    box(name).mouseMove();
    EXPECT_EQ(pane.text(), text);
    control<ui::GroupBox>("GroupBox20").mouseMove();
    EXPECT_EQ(pane.text(), "");
  }
}

// The question takes the button's release, so a left press on the box is mouse-down alone.
TEST_F(ProgramPage, BackToWindowsDefaultAsksAndOnlyYesGoesOn) {
  auto& back = box("CheckBox64");
  back.mouseDown(ui::MouseButton::Right);
  EXPECT_EQ(platform.count("messageBox"), 0u);
  EXPECT_FALSE(back.checked());

  press("CheckBox45");
  platform.answers.push(app::kIdNo);
  back.mouseDown(ui::MouseButton::Left);
  EXPECT_THAT(platform.calls("messageBox"), ::testing::ElementsAre("messageBox(Are you sure ?, Confirm, 0x24)"));
  EXPECT_FALSE(back.checked());
  EXPECT_EQ(back.captionColour, ui::kBlack);
  EXPECT_TRUE(box("CheckBox45").checked()) << "No changes nothing else";
  EXPECT_EQ(link(kDesktopLink), "<absent>");

  // Closed without an answer: checked and marked until "Apply", which clears only the mark.
  platform.answers.push(app::kIdCancel);
  back.mouseDown(ui::MouseButton::Left);
  EXPECT_TRUE(back.checked());
  EXPECT_EQ(back.captionColour, ui::kNavy);
  apply();
  EXPECT_TRUE(back.checked());
  EXPECT_EQ(back.captionColour, ui::kBlack);

  platform.answers.push(app::kIdYes);
  back.mouseDown(ui::MouseButton::Left);
  EXPECT_FALSE(back.checked());
  EXPECT_FALSE(box("CheckBox45").checked());
  EXPECT_TRUE(box("CheckBox47").checked());
  EXPECT_EQ(link(kMenuLink), "C:\\VARNEX\\Varnex.exe | C:\\VARNEX") << "Yes ends with Apply";
}

TEST_F(ProgramPage, AFailingDirectWriteStopsTheRestAndIsShown) {
  loadMsdos("BootMenuDelay=5\n");
  machine.registry.refuseWrites(settings::kHkeyLocalMachine);
  box("CheckBox45").setChecked(true);
  box("CheckBox37").setChecked(false);
  platform.answers.push(app::kIdYes);
  box("CheckBox64").mouseDown(ui::MouseButton::Left);
  EXPECT_THAT(platform.calls("messageBox"),
              ::testing::Contains(::testing::HasSubstr("Failed to set data for 'Max Cached Icons'")));
  EXPECT_EQ(msdos("BootMenuDelay"), "30") << "the writes before it are made";
  EXPECT_TRUE(box("CheckBox45").checked()) << "the shortcut defaults come after it";
  EXPECT_FALSE(box("CheckBox37").checked()) << "so do the Windows page's";
  EXPECT_EQ(link(kDesktopLink), "<absent>") << "and \"Apply\"";
}

}  // namespace
}  // namespace varnex::pages
