#include "pages/boot_page.h"

#include <functional>

#include "pages/layout.h"
#include "settings/profile_store.h"
#include "settings/store_error.h"

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

const std::string kDelayEntry = "BootMenuDelay";
const std::string kDefaultDelay = "30";

// The delay field's value for a text of the file: its number (the field clamps it), 30 when the
// text is no whole number.
int delayOf(const std::string& text) { return ui::integerOf(text).value_or(30); }

settings::CheckRowDefinition rowFor(const BootOption& o) {
  settings::CheckRowDefinition d;
  d.control = o.control;
  d.at = settings::msdosSys(o.entry);
  d.kind = settings::ValueKind::Text;
  d.read.defaultValue = std::string(o.defaultText);
  d.read.checkedWhen = std::string(o.onText);
  d.whenChecked = {WriteAction::write(std::string(o.onText))};
  d.whenUnchecked = {WriteAction::writeIfPresent(std::string(o.offText))};
  return d;
}

}  // namespace

// BootMenuDelay: read into the field and the delay as read; written only while the boot menu is
// on, so a clear box never adds or changes the entry.
class BootPage::DelayRow final : public settings::Row {
 public:
  explicit DelayRow(BootPage& page) : page_(page) {}

  void read(settings::Stores& stores) override {
    page_.SpinEdit1.setValue(delayOf(readDelay(stores)));
    page_.delayAsRead_ = readDelay(stores);
  }

  void write(settings::Stores& stores) override {
    if (!page_.CheckBox2->checked()) return;
    settings::ProfileStore profile = stores.profile(settings::kMsdosSys);
    profile.writeText("Options", kDelayEntry, std::to_string(page_.SpinEdit1.value()));
  }

 private:
  static std::string readDelay(settings::Stores& stores) {
    try {
      settings::ProfileStore profile = stores.profile(settings::kMsdosSys);
      return profile.readText("Options", kDelayEntry, kDefaultDelay);
    } catch (const settings::StoreError&) {
      return kDefaultDelay;
    }
  }

  BootPage& page_;
};

BootPage::BootPage(app::MainWindow& window)
    : window_(window),
      form_(window.form()),
      TabSheet1(form_.get<ui::TabSheet>("TabSheet1")),
      Memo1(form_.get<ui::Memo>("Memo1")),
      GroupBox2(form_.get<ui::GroupBox>("GroupBox2")),
      Label1(form_.add<ui::Label>("Label1", &GroupBox2, {12, 22, 122, 16}, "Boot menu delay : ")),
      SpinEdit1(form_.add<ui::SpinEdit>("SpinEdit1", &GroupBox2, {138, 18, 50, 21})),
      Label2(form_.add<ui::Label>("Label2", &GroupBox2, {194, 22, 60, 16}, "seconds")) {
  SpinEdit1.setRange(0, 30);
  SpinEdit1.setValue(0);
  for (ui::Control* c : {static_cast<ui::Control*>(&Label1), static_cast<ui::Control*>(&SpinEdit1),
                         static_cast<ui::Control*>(&Label2)}) {
    form_.addToGroup("Page1", *c);
  }
  form_.hideGroup("Page1");

  int index = 0;
  for (const BootOption& option : kOptions) {
    auto& box = form_.add<ui::CheckBox>(option.control, &TabSheet1, optionBounds(index++),
                                        option.caption);
    const std::string help = option.help;
    box.onMouseMove = [this, help] { window_.showHelp(Memo1, help); };

    const bool bootMenu = option.control == std::string("CheckBox2");
    if (bootMenu) {
      CheckBox2 = &box;
      window_.attachOption(box, "Page1", std::bind_front(&BootPage::CheckBox2MouseDown, this));
    } else {
      window_.attachOption(box, "Page1");
    }

    toggles_.push_back(std::make_unique<CheckBoxToggle>(box));
    rows_.push_back(std::make_unique<settings::CheckRow>(rowFor(option), *toggles_.back()));
    if (bootMenu) rows_.push_back(std::make_unique<DelayRow>(*this));
  }

  for (auto& row : rows_) window_.rows().push_back(row.get());
}

void BootPage::CheckBox2MouseDown(bool wasChecked) {
  if (wasChecked) {
    // Clearing the boot menu drops the edits: the field goes back to the delay as read.
    SpinEdit1.setValue(delayOf(delayAsRead_));
    window_.HidePage("Page1");
  } else {
    form_.showGroup("Page1");
  }
}

}  // namespace varnex::pages
