// The Boot page over an in-memory C:\MSDOS.SYS, driven as a user drives it.
#include <string>

#include "tests/pages/page_fixture.h"

namespace varnex::pages {
namespace {

using Boot = PageTest;
constexpr std::optional<std::string> kAbsent = std::nullopt;

struct BootOption {
  const char* control;
  const char* entry;
  const char* on;
  const char* off;
};
const BootOption kBootOptions[] = {
    {"CheckBox1", "BootKeys", "0", "1"},      {"CheckBox2", "BootMenu", "1", "0"},
    {"CheckBox3", "BootMulti", "1", "0"},     {"CheckBox4", "DisableLog", "1", "0"},
    {"CheckBox5", "SystemReg", "0", "1"},     {"CheckBox6", "BootGUI", "0", "1"},
    {"CheckBox7", "BootWarn", "0", "1"},      {"CheckBox8", "Network", "1", "0"},
    {"CheckBox9", "DoubleBuffer", "1", "0"},  {"CheckBox10", "DBLSpace", "0", "1"},
    {"CheckBox11", "DRVSpace", "0", "1"},     {"CheckBox12", "LoadTop", "0", "1"},
    {"CheckBox13", "Logo", "0", "1"},         {"CheckBox14", "AutoScan", "0", "1"},
};

// Each option against the three shapes its entry can take: the on text, another text, absent.
TEST(BootRows, EveryOptionReadsItsOnTextAndWritesItsOffTextOnlyWhereTheEntryIs) {
  for (const BootOption& o : kBootOptions) {
    SCOPED_TRACE(o.control);
    const std::string entry = o.entry;
    struct Case {
      std::optional<std::string> stored;
      bool checked;
      std::optional<std::string> writtenAsRead;  // the user never touches the box
      std::optional<std::string> writtenToggled;
    };
    const Case cases[] = {
        {o.on, true, o.on, o.off},
        // Any other text reads clear and is replaced by the off text (AutoScan=2 -> AutoScan=1).
        {"2", false, o.off, o.on},
        {"yes", false, o.off, o.on},
        {kAbsent, false, kAbsent, o.on},
    };
    for (const Case& c : cases) {
      for (bool toggle : {false, true}) {
        SCOPED_TRACE(c.stored.value_or("<absent>") + (toggle ? " toggled" : " as read"));
        PageHarness t;
        t.loadMsdos(c.stored ? entry + "=" + *c.stored + "\n" : std::string("WinDir=C:\\WINDOWS\n"));
        t.read();
        EXPECT_EQ(t.box(o.control).checked(), c.checked);
        if (toggle) t.box(o.control).click();
        t.write();
        EXPECT_EQ(t.msdos(entry), toggle ? c.writtenToggled : c.writtenAsRead);
      }
    }
  }
}

TEST_F(Boot, EntriesInOtherLetterCaseAreFoundButValuesCompareExactly) {
  loadMsdos("bootmenu=1\nbootkeys=0\nlogo=On\n");
  read();
  EXPECT_TRUE(box("CheckBox2").checked());
  EXPECT_TRUE(box("CheckBox1").checked());
  EXPECT_FALSE(box("CheckBox13").checked());
  box("CheckBox2").setChecked(false);
  write();
  EXPECT_EQ(msdos("BootMenu"), "0");  // rewritten in place: the presence test ignored case
  EXPECT_EQ(msdos("Logo"), "1");
  const std::string text = *machine.files.readFile(settings::kMsdosSys);
  EXPECT_EQ(text.find("BootMenu="), std::string::npos) << "a second entry was added:\n" << text;
}

TEST(BootDelay, FieldShowsTheEntryWithinItsRangeAndIsWrittenOnlyWithTheBootMenu) {
  struct Case {
    const char* options;
    const char* field;
    std::optional<std::string> written;
  };
  const Case cases[] = {
      {"BootMenu=1\n", "30", "30"},
      {"BootMenu=1\nBootMenuDelay=5\n", "5", "5"},
      {"BootMenu=1\nBootMenuDelay=45\n", "30", "30"},
      {"BootMenu=1\nBootMenuDelay=-4\n", "0", "0"},
      {"BootMenu=1\nBootMenuDelay=abc\n", "30", "30"},
      {"BootMenu=1\nBootMenuDelay=99999999999\n", "30", "30"},
      {"BootMenu=1\nBootMenuDelay=\n", "30", "30"},
      // With the boot menu off the entry is left as it is, whatever the field shows.
      {"BootMenu=0\nBootMenuDelay=abc\n", "30", "abc"},
      {"BootMenu=0\n", "30", kAbsent},
      {"BootMenuDelay=7\n", "7", "7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    PageHarness t;
    t.loadMsdos(c.options);
    t.read();
    EXPECT_EQ(t.control<ui::SpinEdit>("SpinEdit1").text(), c.field);
    t.write();
    EXPECT_EQ(t.msdos("BootMenuDelay"), c.written);
  }
}

TEST_F(Boot, TickingTheBootMenuOpensTheDelayEditorAndClearingItPutsBackTheDelayAsRead) {
  loadMsdos("BootMenu=0\nBootMenuDelay=7\n");
  read();
  auto& field = control<ui::SpinEdit>("SpinEdit1");
  EXPECT_FALSE(field.showing());

  press("CheckBox2");
  EXPECT_TRUE(box("CheckBox2").checked());
  EXPECT_EQ(box("CheckBox2").captionColour, ui::kNavy);
  EXPECT_TRUE(field.showing());
  EXPECT_TRUE(control<ui::Label>("Label1").showing());
  EXPECT_TRUE(control<ui::Label>("Label2").showing());
  EXPECT_EQ(field.text(), "7");

  field.type("5");
  write();
  EXPECT_EQ(msdos("BootMenuDelay"), "5");

  press("CheckBox2");
  EXPECT_FALSE(box("CheckBox2").checked());
  EXPECT_FALSE(field.showing());
  EXPECT_EQ(field.text(), "7");

  press("CheckBox2");
  EXPECT_TRUE(field.showing());
  EXPECT_EQ(field.text(), "7");
}

TEST_F(Boot, ClearingTheBootMenuRestoresAnUnreadableDelayAsThirty) {
  loadMsdos("BootMenu=1\nBootMenuDelay=abc\n");
  read();
  auto& field = control<ui::SpinEdit>("SpinEdit1");
  field.setValue(12);
  press("CheckBox2");
  EXPECT_EQ(field.text(), "30");
  EXPECT_EQ(catalogue->boot.delayAsRead(), "abc");
}

TEST_F(Boot, AnEmptiedDelayFieldIsWrittenAsZero) {
  loadMsdos("BootMenu=0\nBootMenuDelay=9\n");
  read();
  press("CheckBox2");
  control<ui::SpinEdit>("SpinEdit1").type("");
  write();
  EXPECT_EQ(msdos("BootMenuDelay"), "0");
}

TEST_F(Boot, KeyboardToggleNeitherMarksNorOpensTheEditorButIsWritten) {
  loadMsdos("BootMenu=0\nBootMenuDelay=4\n");
  read();
  box("CheckBox2").click();
  EXPECT_TRUE(box("CheckBox2").checked());
  EXPECT_EQ(box("CheckBox2").captionColour, ui::kBlack);
  EXPECT_FALSE(control<ui::SpinEdit>("SpinEdit1").showing());
  write();
  EXPECT_EQ(msdos("BootMenu"), "1");
  EXPECT_EQ(msdos("BootMenuDelay"), "4");
}

TEST_F(Boot, OtherPressesCloseTheDelayEditorAndKeepItsValue) {
  loadMsdos("BootMenu=0\n");
  read();
  press("CheckBox2");
  control<ui::SpinEdit>("SpinEdit1").type("12");

  box("CheckBox2").mouseDown(ui::MouseButton::Right);  // other buttons do nothing
  EXPECT_TRUE(control<ui::SpinEdit>("SpinEdit1").showing());

  press("CheckBox14");
  EXPECT_FALSE(control<ui::SpinEdit>("SpinEdit1").showing());
  EXPECT_EQ(box("CheckBox14").captionColour, ui::kNavy);
  write();
  EXPECT_EQ(msdos("BootMenuDelay"), "12");
}

TEST_F(Boot, MovingOverAnOptionShowsItsHelpUntilThePageBackgroundClearsIt) {
  read();
  auto& memo = control<ui::Memo>("Memo1");
  box("CheckBox1").mouseMove();
  EXPECT_TRUE(memo.enabled);
  EXPECT_EQ(memo.text(), "Use this option to disable the function keys on boot up.");
  control<ui::GroupBox>("GroupBox1").mouseMove();
  EXPECT_EQ(memo.text(), "Use this option to disable the function keys on boot up.");
  box("CheckBox14").mouseMove();
  EXPECT_EQ(memo.text(),
            "Use this option to run scandisk automaticly if you were not shuting down Windows "
            "properly.");
  control<ui::TabSheet>("TabSheet1").mouseMove();
  EXPECT_EQ(memo.text(), "");
  EXPECT_FALSE(memo.enabled);
}

}  // namespace
}  // namespace varnex::pages
