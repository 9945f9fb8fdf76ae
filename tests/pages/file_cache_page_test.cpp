// The memory gauges of the "File-Cache" page.
#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

using FileCache = PageTest;

TEST_F(FileCache, GaugesAreFilledAtCreationAndAgainWhenThePageIsSelected) {
  machine.files.putFile("C:\\VARNEX\\Config.DAT", std::string(20, '\0'));
  machine.files.setCurrentDirectory("C:\\VARNEX");
  window.FormCreate(app::Records{});
  EXPECT_EQ(control<ui::Label>("Label34").caption, "50 %");
  EXPECT_EQ(control<ui::Label>("Label46").caption, "25 %");

  platform.memory.availPhys = 500 * 1024;  // under 1 per cent of 64 MB
  platform.memory.totalPageFile = 0;       // a total of 0 shows an empty gauge
  auto& tabs = control<ui::PageControl>("PageControl1");
  tabs.selectTab(7);
  ASSERT_EQ(tabs.activePage()->name(), "TabSheet8");
  EXPECT_EQ(control<ui::Label>("Label34").caption, "0 %");
  EXPECT_EQ(control<ui::Label>("Label46").caption, "0 %");
  EXPECT_EQ(control<ui::ProgressBar>("ProgressBar1").position(), 0);
}

}  // namespace
}  // namespace varnex::pages

namespace varnex::pages {
namespace {

const char kTemplates[] = "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates]\n";
const char kTemplatesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates";

struct FileCacheRows : PageTest {
  FileCacheRows() { showPage("TabSheet8"); }
  ui::SpinEdit& spin(int n) { return control<ui::SpinEdit>("SpinEdit" + std::to_string(n)); }
  ui::TrackBar& slider(int n) { return control<ui::TrackBar>("TrackBar" + std::to_string(n)); }
  ui::ComboBox& role() { return control<ui::ComboBox>("ComboBox3"); }
  std::string at(const std::string& subkey, const std::string& name) {
    return stored(settings::kHkeyLocalMachine, std::string(kTemplatesKey) + subkey, name);
  }
};

TEST_F(FileCacheRows, ChosenRolesChainThroughTheSliders) {
  struct Case {
    int startName, startPath;  // spin values before the choice
    int role;
    int shownName, shownPath;
    const char* selected;
  } cases[] = {
      // The sliders move, so the spin values become multiples of their units.
      {0, 0, 3, 2560, 64, "Network Server"},
      // Already at the right positions: the exact values stay.
      {2600, 64, 3, 2729, 64, "Network Server"},
      {0, 16, 2, 337, 16, "Mobile or docking system"},
      {2729, 64, 2, 0, 16, "Mobile or docking system"},
      {337, 16, 1, 0, 0, "Desktop Computer"},
  };
  for (const Case& c : cases) {
    PageHarness h;
    h.showPage("TabSheet8");
    auto& six = h.control<ui::SpinEdit>("SpinEdit6");
    auto& seven = h.control<ui::SpinEdit>("SpinEdit7");
    six.setValue(c.startName);
    seven.setValue(c.startPath);
    h.control<ui::ComboBox>("ComboBox3").choose(c.role);
    EXPECT_EQ(six.value(), c.shownName) << c.startName << " then " << c.selected;
    EXPECT_EQ(seven.value(), c.shownPath) << c.startPath << " then " << c.selected;
    EXPECT_EQ(h.control<ui::ComboBox>("ComboBox3").text(), c.selected);
    EXPECT_EQ(h.catalogue->fileCache.templateName(), kCacheRoles[c.role - 1].templateName);
  }
}

TEST_F(FileCacheRows, MovingASliderOrTypingMakesTheRoleUserDefined) {
  role().choose(3);
  slider(6).slide(3);
  EXPECT_EQ(spin(7).value(), 24);
  EXPECT_EQ(role().text(), "User Defined");
  // The template name stays until "User Defined" itself is chosen.
  EXPECT_EQ(catalogue->fileCache.templateName(), "Server");

  spin(6).type("1100");
  EXPECT_EQ(slider(5).position(), 2);
  EXPECT_EQ(spin(6).value(), 1024);
}

std::string templates(const std::string& body) { return std::string(kTemplates) + body; }
std::string subkey(const std::string& name, const std::string& body) {
  return std::string("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates\\") + name +
         "]\n" + body;
}

TEST_F(FileCacheRows, ReadingSelectsTheRoleByTheExactTemplateName) {
  struct Case {
    const char* reg;
    const char* selected;
  } cases[] = {
      {"@=\"Desktop\"\n", "Desktop Computer"},
      {"@=\"Mobile\"\n", "Mobile or docking system"},
      {"@=\"Server\"\n", "Network Server"},
      {"@=\"server\"\n", "User Defined"},
      {"@=\"Varnex\"\n", "User Defined"},
      {"@=dword:00000001\n", "User Defined"},  // unreadable as text: an empty name
      {"", "User Defined"},
  };
  for (const Case& c : cases) {
    PageHarness h;
    h.loadReg(templates(c.reg));
    ASSERT_TRUE(h.window.BacaData()) << c.reg;
    EXPECT_EQ(h.control<ui::ComboBox>("ComboBox3").text(), c.selected) << c.reg;
  }
}

TEST_F(FileCacheRows, ReadingShowsTheTemplatesSizesThroughTheChainedHandlers) {
  loadReg(templates("@=\"Server\"\n\n") +
          subkey("Server", "\"NameCache\"=hex:a9,0a,00,00\n\"PathCache\"=hex:40,00,00,00\n"));
  read();
  // The name cache slider moves from 0 to 5 on the way and rewrites 2729 as 2560...
  EXPECT_EQ(spin(6).value(), 2560);
  EXPECT_EQ(spin(7).value(), 64);
  EXPECT_EQ(slider(5).position(), 5);
  EXPECT_EQ(slider(6).position(), 8);
  EXPECT_EQ(role().text(), "Network Server");
  // ...and once it stands there, the next read keeps the exact value.
  read();
  EXPECT_EQ(spin(6).value(), 2729);

  // Values that are not stored leave the sizes of the last read.
  loadReg(templates("@=\"Mobile\"\n\n") + subkey("Mobile", ""));
  read();
  EXPECT_EQ(spin(6).value(), 2729);
  EXPECT_EQ(spin(7).value(), 64);
  EXPECT_EQ(role().text(), "Mobile or docking system");
}

TEST_F(FileCacheRows, AnUnreadableSizeEndsTheReadPassWithTheStoresMessage) {
  struct LaterRow : settings::Row {
    bool read_ = false;
    void read(settings::Stores&) override { read_ = true; }
    void write(settings::Stores&) override {}
  } later;
  std::vector<settings::Row*> pass = window.readPass();
  pass.push_back(&later);
  window.setPasses(pass, window.writePass());

  loadReg(templates("@=\"Server\"\n\n") + subkey("Server", "\"NameCache\"=hex:00,01,00,00\n\"PathCache\"=hex:10,00,00,00\n"));
  loadSystemIni("[vcache]\nMinFileCache=2048\nMaxFileCache=8192\nCHUNKSIZE=512\n");
  read();
  ASSERT_EQ(spin(6).value(), 256);
  later.read_ = false;

  struct Case {
    const char* values;
    const char* message;
  } cases[] = {
      {"\"NameCache\"=dword:00000100\n", "Invalid data type for 'NameCache'"},
      {"\"NameCache\"=\"256\"\n", "Invalid data type for 'NameCache'"},
      {"\"NameCache\"=hex:00,02,00,00\n\"PathCache\"=hex:01,02,03,04,05\n", "Failed to get data for 'PathCache'"},
  };
  for (const Case& c : cases) {
    loadReg(templates("@=\"Desktop\"\n\n") + subkey("Desktop", c.values));
    loadSystemIni("[vcache]\nMinFileCache=1024\nMaxFileCache=8192\nCHUNKSIZE=256\n");
    platform.clearCalls();
    EXPECT_FALSE(window.BacaData()) << c.values;
    ASSERT_EQ(platform.count("messageBox"), 1u);
    EXPECT_NE(platform.calls("messageBox")[0].find(c.message), std::string::npos) << platform.calls("messageBox")[0];
    // The rows before were read; this one and every later row keep their state.
    EXPECT_EQ(control<ui::ComboBox>("ComboBox1").text(), "Gaming System");
    EXPECT_EQ(spin(6).value(), 256) << c.values;
    EXPECT_EQ(spin(7).value(), 16) << c.values;
    EXPECT_EQ(role().text(), "Network Server") << c.values;
    EXPECT_FALSE(later.read_) << c.values;
  }
}

TEST_F(FileCacheRows, ARoleWritesOnlyTheActiveTemplatesName) {
  loadReg(templates("@=\"Desktop\"\n\n") + subkey("Server", "\"NameCache\"=hex:a9,0a,00,00\n"));
  read();
  role().choose(3);
  write();
  EXPECT_EQ(at("", ""), "sz:Server");
  EXPECT_EQ(at("\\Server", "NameCache"), "hex:a9,0a,00,00");
  EXPECT_EQ(at("\\Server", "PathCache"), "<absent>");
  EXPECT_FALSE(keyExists(settings::kHkeyLocalMachine, std::string(kTemplatesKey) + "\\Varnex"));
}

TEST_F(FileCacheRows, UserDefinedWritesTheProgramsOwnTemplateEveryTime) {
  loadReg(templates("@=\"Server\"\n"));
  read();
  spin(6).setValue(3000);
  spin(7).setValue(100);
  ASSERT_EQ(role().text(), "User Defined");
  write();
  EXPECT_EQ(at("", ""), "sz:Varnex");
  EXPECT_EQ(at("\\Varnex", ""), "sz:Varnex Settings");
  EXPECT_EQ(at("\\Varnex", "NameCache"), "hex:00,0a,00,00");  // 2560: the slider's multiple
  EXPECT_EQ(at("\\Varnex", "PathCache"), "hex:60,00,00,00");  // 96

  // A title already there (of any text type) stays as it is; the sizes are written again.
  loadReg(subkey("Varnex", "@=hex(2):56,61,72,6e,65,78,20,53,65,74,74,69,6e,67,73,00\n"
                           "\"NameCache\"=hex:01,00,00,00\n"));
  write();
  EXPECT_EQ(at("\\Varnex", "").rfind("type2:", 0), 0u) << at("\\Varnex", "");
  EXPECT_EQ(at("\\Varnex", "NameCache"), "hex:00,0a,00,00");

  // A title of another kind is replaced rather than ending the write pass.
  loadReg(subkey("Varnex", "@=dword:00000007\n"));
  write();
  EXPECT_EQ(at("\\Varnex", ""), "sz:Varnex Settings");
}

TEST_F(FileCacheRows, TypedSizesOutsideTheRangeAreWrittenWithinIt) {
  read();
  spin(6).type("-5");  // the slider stays at 0, so nothing rewrites the text
  spin(7).type("-1");
  ASSERT_EQ(spin(6).text(), "-5");
  write();
  EXPECT_EQ(at("\\Varnex", "NameCache"), "hex:00,00,00,00");
  EXPECT_EQ(at("\\Varnex", "PathCache"), "hex:00,00,00,00");
}

TEST_F(FileCacheRows, WithoutTheTemplatesKeyTheWritePassFails) {
  machine.registry.deleteKey(settings::kHkeyLocalMachine, kTemplatesKey);
  ASSERT_FALSE(keyExists(settings::kHkeyLocalMachine, kTemplatesKey));
  read();
  EXPECT_EQ(role().text(), "User Defined");
  EXPECT_EQ(catalogue->fileCache.templateName(), "");
  EXPECT_FALSE(window.TulisData());
  ASSERT_EQ(platform.count("messageBox"), 1u);
  EXPECT_NE(platform.calls("messageBox")[0].find("Failed to set data for ''"), std::string::npos);
  EXPECT_FALSE(keyExists(settings::kHkeyLocalMachine, kTemplatesKey));
}

TEST_F(FileCacheRows, BackToWindowsDefaultChoosesTheDesktopTemplate) {
  loadReg(templates("@=\"Server\"\n"));
  read();
  spin(6).setValue(2729);
  catalogue->fileCache.restoreDefaults();
  EXPECT_EQ(spin(6).value(), 0);
  EXPECT_EQ(spin(7).value(), 0);
  EXPECT_EQ(role().text(), "Desktop Computer");
  write();
  EXPECT_EQ(at("", ""), "sz:Desktop");
}

TEST_F(FileCacheRows, HelpButtonShowsTheFileCacheText) {
  showPage("TabSheet1");
  press("CheckBox2");  // the Boot page's editor is open
  ASSERT_TRUE(control<ui::SpinEdit>("SpinEdit1").visible);
  showPage("TabSheet8");
  control<ui::Button>("RxSpeedButton11").click();
  EXPECT_FALSE(control<ui::SpinEdit>("SpinEdit1").visible);
  EXPECT_FALSE(window.enabled);
  EXPECT_TRUE(catalogue->help.form().get<ui::Memo>("Memo2").visible);
  EXPECT_FALSE(catalogue->help.form().get<ui::Memo>("Memo1").visible);
  EXPECT_FALSE(catalogue->help.form().get<ui::Memo>("Memo3").visible);
}

}  // namespace
}  // namespace varnex::pages
