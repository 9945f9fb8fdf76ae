#include "pages/boot_page.h"

#include <functional>
#include <memory>

#include "pages/layout.h"

namespace varnex::pages {

namespace {

using settings::WriteAction;

struct BootOption {
  const char* control;
  const char* caption;
  const char* entry;
  const char* defaultText;
  const char* onText;   // the box is checked when the entry holds exactly this
  const char* offText;  // written for a clear box only where the entry already exists
  const char* help;
};

// In pass order; the delay row follows BootMenu.
const BootOption kOptions[] = {
    {"CheckBox1", "Disable Boot Function Keys", "BootKeys", "1", "0", "1",
     "Use this option to disable the function keys on boot up."},
    {"CheckBox2", "Display Windows Boot Menu", "BootMenu", "0", "1", "0",
     "Use this option to show Windows boot-menu automaticly."},
    {"CheckBox3", "Enable Multi-Booting Feature", "BootMulti", "0", "1", "0",
     "Use this option to enable multi-booting feature."},
    {"CheckBox4", "Disable Autocreate Bootlog File", "DisableLog", "0", "1", "0",
     "Use this option if you do not want to create BOOTLOG.TXT file every time you boot up your "
     "computer."},
    {"CheckBox5", "Disable System Registry Module", "SystemReg", "1", "0", "1",
     "Use this option if you do not want to load the registry module on boot up."},
    {"CheckBox6", "Disable Boot into GUI", "BootGUI", "1", "0", "1",
     "Use this option if you do not want to start Windows GUI automaticly."},
    {"CheckBox7", "Disable Safe Mode Warning Message", "BootWarn", "1", "0", "1",
     "Use this option if you do not want Windows gives a warning message before your system "
     "starts in safe mode."},
    {"CheckBox8", "Enable Safe Mode with Networking", "Network", "0", "1", "0",
     "Use this option to enable networking feature in safe mode."},
    {"CheckBox9", "Enable Double Buffering Support", "DoubleBuffer", "0", "1", "0",
     "Use this option to enable double buffering feature. Warning : You must check this option if "
     "you have SCSI/ESDI disk controllers in your system."},
    {"CheckBox10", "Disable DoubleSpace Driver", "DBLSpace", "1", "0", "1",
     "Use this option to keep Windows from loading doublespace driver. Warning : Do not check this "
     "option if your drives are compressed using doublespace!"},
    {"CheckBox11", "Disable DriveSpace Driver", "DRVSpace", "1", "0", "1",
     "Use this option to keep Windows from loading drivespace driver. Warning : Do not check this "
     "option if your drives are compressed using drivespace!"},
    {"CheckBox12", "Load System Files into Low Memory", "LoadTop", "1", "0", "1",
     "Use this option if you do not want to load COMMAND.COM or DRVSPACE.BIN / DBLSPACE.BIN at the "
     "top of 640 K."},
    {"CheckBox13", "Disable Windows Splash Screen", "Logo", "1", "0", "1",
     "Use this option if you do not want to see Windows Splash Screen during boot up."},
    {"CheckBox14", "Disable Autoscan on Boot Up", "AutoScan", "1", "0", "1",
     "Use this option to run scandisk automaticly if you were not shuting down Windows properly."},
};

// The delay field's value for a text of the file: its number (the field clamps it), 30 when the
// text is no whole number.
int delayOf(const std::string& text) { return ui::integerOf(text).value_or(30); }

settings::CheckRowDefinition rowFor(const BootOption& o) {
  settings::CheckRowDefinition d;
  d.at = settings::msdosSys(o.entry);
  d.kind = settings::ValueKind::Text;
  d.read.defaultValue = std::string(o.defaultText);
  d.read.checkedWhen = std::string(o.onText);
  d.whenChecked = {WriteAction::write(std::string(o.onText))};
  d.whenUnchecked = {WriteAction::writeIfPresent(std::string(o.offText))};
  return d;
}

}  // namespace

BootPage::BootPage(app::MainWindow& window)
    : OptionPage(window, "TabSheet1", "Memo1", "Page1"),
      GroupBox2(form_.get<ui::GroupBox>("GroupBox2")),
      Label1(form_.add<ui::Label>("Label1", &GroupBox2, {12, 22, 122, 16}, "Boot menu delay : ")),
      SpinEdit1(form_.add<ui::SpinEdit>("SpinEdit1", &GroupBox2, {138, 18, 50, 21})),
      Label2(form_.add<ui::Label>("Label2", &GroupBox2, {194, 22, 60, 16}, "seconds")) {
  SpinEdit1.setRange(0, 30);
  fitToRange(SpinEdit1, &Label2);
  SpinEdit1.setValue(0);
  for (ui::Control* c : {static_cast<ui::Control*>(&Label1), static_cast<ui::Control*>(&SpinEdit1),
                         static_cast<ui::Control*>(&Label2)}) {
    form_.addToGroup("Page1", *c);
  }
  form_.hideGroup("Page1");
  SpinEdit1.onChange = [this] { delay_.value = std::to_string(SpinEdit1.value()); };

  int slot = 0;
  for (const BootOption& option : kOptions) {
    const bool bootMenu = option.control == std::string("CheckBox2");
    ui::CheckBox& box = addOption({
        .control = option.control,
        .caption = option.caption,
        .help = option.help,
        .slot = slot++,
        .row = rowFor(option),
        .editor = bootMenu ? std::function<void(bool)>(std::bind_front(&BootPage::CheckBox2MouseDown, this))
                           : std::function<void(bool)>(),
        .byDefault = false,
    });
    if (bootMenu) CheckBox2 = &box;
  }

  // BootMenuDelay: read into the field and the delay as read; written only while the boot menu
  // is on, so a clear box never adds or changes the entry.
  addRow("SpinEdit1", std::make_unique<settings::PendingRow>(settings::PendingRowDefinition{
                          .at = settings::msdosSys("BootMenuDelay"),
                          .fields = {{"BootMenuDelay", &delay_, std::string("30")}},
                          .writes = [this] { return CheckBox2->checked(); },
                          .loaded =
                              [this] {
                                SpinEdit1.setValue(delayOf(delay_.asLoaded));
                                delay_.value = std::to_string(SpinEdit1.value());
                              },
                      }));
}

void BootPage::CheckBox2MouseDown(bool wasChecked) {
  if (wasChecked) {
    // Clearing the boot menu drops the edits: the field goes back to the delay as read.
    SpinEdit1.setValue(delayOf(delay_.asLoaded));
    window_.HidePage("Page1");
  } else {
    form_.showGroup("Page1");
  }
}

}  // namespace varnex::pages
