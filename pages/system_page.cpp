#include "pages/system_page.h"

#include <algorithm>
#include <initializer_list>

#include "pages/layout.h"
#include "settings/profile_store.h"
#include "settings/store_error.h"

namespace varnex::pages {

namespace {

using settings::kHkeyCurrentUser;
using settings::kHkeyLocalMachine;
using settings::Value;
using settings::ValueKind;
using settings::WriteAction;

constexpr int kFirstControl = 15;  // CheckBox15
constexpr int kOptionCount = 14;

const char* const kFileSystem = "System\\CurrentControlSet\\Control\\FileSystem";
const char* const kCdfs = "System\\CurrentControlSet\\Control\\FileSystem\\CDFS";

Value text(const char* t) { return std::string(t); }
Value number(std::uint32_t n) { return n; }

struct ToggleOption {
  const char* caption;
  const char* help;
  settings::CheckRowDefinition row;
};

settings::CheckRowDefinition toggle(const char* control, settings::Location at, ValueKind kind,
                                    Value defaultValue, Value checkedWhen,
                                    std::vector<WriteAction> whenChecked,
                                    std::vector<WriteAction> whenUnchecked) {
  settings::CheckRowDefinition d;
  d.control = control;
  d.at = std::move(at);
  d.kind = kind;
  d.read.defaultValue = std::move(defaultValue);
  d.read.checkedWhen = std::move(checkedWhen);
  // The binary rows read only a present value, so an absent one never shows an earlier cell.
  d.read.ifPresent = kind == ValueKind::Binary;
  d.whenChecked = std::move(whenChecked);
  d.whenUnchecked = std::move(whenUnchecked);
  return d;
}

std::vector<ToggleOption> toggleOptions() {
  using settings::registryValue;
  using settings::systemIni;
  using W = WriteAction;
  std::vector<ToggleOption> options = {
      {"Enable Beep on Error", "Use this option to generate a beep sound when an error occurs.",
       toggle("CheckBox15", registryValue(kHkeyCurrentUser, "Control Panel\\Sound", "Beep"),
              ValueKind::Text, text("NO"), text("YES"), {W::write(text("YES"))},
              {W::writeIfPresent(text("NO"))})},
      {"Maximize Memory in MS-DOS Prompt",
       "Use this option to get about 2-12 kb of conventional memory in Windows MS-DOS prompt.",
       toggle("CheckBox16", systemIni("386Enh", "LocalLoadHigh"), ValueKind::Text, text("0"),
              text("1"), {W::write(text("1"))}, {W::deleteEntry()})},
      {"Contiguous File Allocation Size",
       "Use this option to increase Windows performance when running multimedia applications.",
       toggle("CheckBox17", registryValue(kHkeyLocalMachine, kFileSystem, "ContigFileAllocSize"),
              ValueKind::Integer, number(0), number(512), {W::write(number(512))},
              {W::deleteValue()})},
      {"Add Buffer for Harddisk",
       "Use this option to increase your harddisk performance when Windows access swap file.",
       toggle("CheckBox18", systemIni("386Enh", "PageBuffers"), ValueKind::Text, text("0"),
              text("32"), {W::write(text("32"))}, {W::deleteEntry()})},
      {"Disable Low Disk Warning",
       "Use this option to disable warning message when your harddisk allmost full.",
       toggle("CheckBox19",
              registryValue(kHkeyLocalMachine, kFileSystem, "DisableLowDiskSpaceBroadcast"),
              ValueKind::Binary, number(9), number(0xFFFFFFFFu), {W::write(number(0xFFFFFFFFu))},
              {W::deleteValue()})},
      {"Disable FIFO Method for Disk Drive", "Use this option to increase disk drive performance.",
       toggle("CheckBox20",
              registryValue(kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\Class\\fdc\\0000",
                            "ForceFIFO"),
              ValueKind::Text, text("1"), text("0"), {W::write(text("0"))}, {W::deleteValue()})},
      {"Restrict Logon Access",
       "Use this option to prevent your Windows system from someone that does not have "
       "permission.",
       toggle("CheckBox23", registryValue(kHkeyLocalMachine, "Network\\Logon", "MustBeValidated"),
              ValueKind::Integer, number(0), number(1), {W::write(number(1))}, {W::deleteValue()})},
      {"Disable Autoplay Data CD",
       "Use this option to disable autoplay feature on data CD, but keep audio CD.",
       toggle("CheckBox26",
              registryValue(kHkeyCurrentUser,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                            "NoDriveTypeAutoRun"),
              ValueKind::Binary, number(9), number(189), {W::write(number(189))},
              {W::writeIfPresent(number(149))})},
  };
  options[0].row.read.ignoreCase = true;  // "yes" and "Yes" turn the beep on too
  return options;
}

int controlNumber(const std::string& name) { return std::stoi(name.substr(std::string("CheckBox").size())); }

std::string textOr(settings::RegistryStore& r, const std::string& name, const std::string& fallback) {
  try {
    return r.readText(name);
  } catch (const settings::StoreError&) {
    return fallback;
  }
}

std::int32_t integerOr(settings::RegistryStore& r, const std::string& name, std::int32_t fallback) {
  try {
    return static_cast<std::int32_t>(r.readInteger(name));
  } catch (const settings::StoreError&) {
    return fallback;
  }
}

// A pending size kept as text must hold a whole number; anything else gives the fallback.
std::string numberTextOr(settings::RegistryStore& r, const std::string& name, const char* fallback) {
  std::string t = textOr(r, name, "");
  return ui::integerOf(t) ? t : std::string(fallback);
}

}  // namespace

struct SystemPage::ActionOption {
  const char* control;
  const char* caption;
  const char* mode;  // null: the press leaves the editor mode as it is
  settings::RegHandle root;
  const char* key;
  void (SystemPage::*load)(settings::RegistryStore&);
  void (SystemPage::*save)(settings::RegistryStore&);
  void (SystemPage::*open)();
  void (SystemPage::*reset)();  // what unchecking puts back, or null
  const char* help;
};

const SystemPage::ActionOption SystemPage::kActions[] = {
    {"CheckBox21", "Change Windows Installation Path", "WinDir", kHkeyLocalMachine,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", &SystemPage::loadSetupPath,
     &SystemPage::saveSetupPath, &SystemPage::openSetupPath, &SystemPage::resetSetupPath,
     "Use this option to change Windows installation directory."},
    {"CheckBox22", "Change Windows Owner ", "Owner", kHkeyLocalMachine,
     "Software\\Microsoft\\Windows\\CurrentVersion", &SystemPage::loadOwner, &SystemPage::saveOwner,
     &SystemPage::openOwner, &SystemPage::resetOwner,
     "Use this option to change Windows owner information."},
    {"CheckBox24", "Change Icon Color Format", nullptr, kHkeyCurrentUser,
     "Control Panel\\Desktop\\WindowMetrics", &SystemPage::loadIconDepth,
     &SystemPage::saveIconDepth, &SystemPage::openIconDepth, nullptr,
     "Use this option to change icon color format. Choosing a higher setting allows more color to "
     "be displayed."},
    {"CheckBox25", "Optimize Icon Cache Size", "IconCache", kHkeyLocalMachine,
     "Software\\Microsoft\\Windows\\CurrentVersion\\explorer", &SystemPage::loadIconCache,
     &SystemPage::saveIconCache, &SystemPage::openIconCache, nullptr,
     "Use this option to configure how much icons will be cached at the same time. Suggestion: "
     "Try 2048."},
    {"CheckBox27", "Optimize CD-ROM Cache Size", "CDCache", kHkeyLocalMachine, kCdfs,
     &SystemPage::loadCdCache, &SystemPage::saveCdCache, &SystemPage::openCdCache, nullptr,
     "Use this option to increase your CD-ROM performance. Suggestion: Try 2480."},
    {"CheckBox28", "Optimize CD-ROM Speed", "CDSpeed", kHkeyLocalMachine, kCdfs,
     &SystemPage::loadCdSpeed, &SystemPage::saveCdSpeed, &SystemPage::openCdSpeed, nullptr,
     "Use this option to configure your CD-ROM speed. Suggestion: Set the value the same as your "
     "CD-ROM speed"},
};

// One slider editor: the pending value of each position, and its label. A pending value is
// placed at the first position whose value it does not exceed, the last position taking all
// above (so a negative one lands at 0).
struct SystemPage::Slider {
  enum Kind { IconCache, CdCache, CdSpeed } kind;
  const char* mode;
  int width;
  std::vector<std::int32_t> values;
  std::vector<const char*> labels;  // CD-ROM speed only; the others name their value
};

const SystemPage::Slider SystemPage::kSliders[] = {
    {Slider::IconCache, "IconCache", 130, {512, 1024, 2048, 4096, 8064}, {}},
    {Slider::CdCache, "CDCache", 130, {620, 1240, 2480, 4960}, {}},
    {Slider::CdSpeed, "CDSpeed", 170, {228, 346, 402, 540, 580, 700, 732, 940, 1140, 1340, 1400},
     {"CD-ROM Speed : 4x", "CD-ROM Speed : 8x", "CD-ROM Speed : 10x", "CD-ROM Speed : 16x",
      "CD-ROM Speed : 18x", "CD-ROM Speed : 22x", "CD-ROM Speed : 24x", "CD-ROM Speed : 32x",
      "CD-ROM Speed : 40x", "CD-ROM Speed : 48x", "CD-ROM Speed : 50x"}},
};

// An action option's row: the read pass only loads the pending value; the write pass writes it
// while the box is checked and opens no key otherwise.
class SystemPage::ActionRow final : public settings::Row {
 public:
  ActionRow(SystemPage& page, const ActionOption& option, ui::CheckBox& box)
      : page_(page), option_(option), box_(box) {}

  void read(settings::Stores& stores) override {
    settings::RegistryStore r = stores.registry();
    r.setRoot(option_.root);
    r.openKey(option_.key, false);  // a missing key reads as absent values
    (page_.*option_.load)(r);
  }

  void write(settings::Stores& stores) override {
    if (!box_.checked()) return;
    settings::RegistryStore r = stores.registry();
    r.setRoot(option_.root);
    r.openKey(option_.key, true);
    (page_.*option_.save)(r);
  }

 private:
  SystemPage& page_;
  const ActionOption& option_;
  ui::CheckBox& box_;
};

SystemPage::SystemPage(app::MainWindow& window)
    : window_(window),
      form_(window.form()),
      TabSheet2(form_.get<ui::TabSheet>("TabSheet2")),
      Memo2(form_.get<ui::Memo>("Memo2")),
      GroupBox4(form_.get<ui::GroupBox>("GroupBox4")),
      Label3(form_.add<ui::Label>("Label3", &GroupBox4, {8, 10, 150, 14})),
      Label4(form_.add<ui::Label>("Label4", &GroupBox4, {164, 10, 150, 14})),
      Edit1(form_.add<ui::Edit>("Edit1", &GroupBox4, {8, 28, 150, 21})),
      Edit2(form_.add<ui::Edit>("Edit2", &GroupBox4, {164, 28, 150, 21})),
      SpeedButton1(form_.add<ui::Button>("SpeedButton1", &GroupBox4, {290, 28, 23, 21}, "...")),
      TrackBar1(form_.add<ui::TrackBar>("TrackBar1", &GroupBox4, {8, 14, 130, 30})),
      RadioButton1(form_.add<ui::RadioButton>("RadioButton1", &GroupBox4, {8, 30, 80, 17}, "16 Bit")),
      RadioButton2(form_.add<ui::RadioButton>("RadioButton2", &GroupBox4, {104, 30, 80, 17}, "24 Bit")),
      RadioButton3(form_.add<ui::RadioButton>("RadioButton3", &GroupBox4, {200, 30, 80, 17}, "32 Bit")) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &Label3, &Label4, &Edit1, &Edit2, &SpeedButton1, &TrackBar1, &RadioButton1,
           &RadioButton2, &RadioButton3}) {
    form_.addToGroup("Page2", *c);
  }
  form_.hideGroup("Page2");

  Edit1.onChange = [this] { Edit1Change(); };
  Edit2.onChange = [this] { Edit2Change(); };
  SpeedButton1.onClick = [this] { SpeedButton1Click(); };
  TrackBar1.onChange = [this] { TrackBar1Change(); };
  const std::pair<ui::RadioButton*, const char*> depths[] = {
      {&RadioButton1, "16"}, {&RadioButton2, "24"}, {&RadioButton3, "32"}};
  for (const auto& [radio, depth] : depths) {
    radio->onClick = [this, depth = std::string(depth)] { pending_.iconDepth = depth; };
  }

  // Both kinds of option in one list, in control order, which is the order of the passes.
  std::vector<settings::Row*> ordered(kOptionCount, nullptr);
  auto addBox = [&](const std::string& control, const std::string& caption,
                    const std::string& help) -> ui::CheckBox& {
    const int index = controlNumber(control) - kFirstControl;
    auto& box = form_.add<ui::CheckBox>(control, &TabSheet2, optionBounds(index), caption);
    box.onMouseMove = [this, help] { window_.showHelp(Memo2, help); };
    return box;
  };
  for (ToggleOption& option : toggleOptions()) {
    auto& box = addBox(option.row.control, option.caption, option.help);
    window_.attachOption(box, "Page2");
    toggles_.push_back(std::make_unique<CheckBoxToggle>(box));
    const int index = controlNumber(option.row.control) - kFirstControl;
    rows_.push_back(std::make_unique<settings::CheckRow>(std::move(option.row), *toggles_.back()));
    ordered[index] = rows_.back().get();
  }
  for (const ActionOption& option : kActions) {
    auto& box = addBox(option.control, option.caption, option.help);
    window_.attachOption(box, "Page2",
                         [this, &option](bool wasChecked) { ActionMouseDown(option, wasChecked); });
    rows_.push_back(std::make_unique<ActionRow>(*this, option, box));
    ordered[controlNumber(option.control) - kFirstControl] = rows_.back().get();
  }
  for (settings::Row* row : ordered) window_.rows().push_back(row);
}

bool SystemPage::inMode(const char* mode) const { return settings::equalsIgnoringCase(mode_, mode); }

void SystemPage::ActionMouseDown(const ActionOption& option, bool wasChecked) {
  if (option.mode) mode_ = option.mode;
  if (wasChecked) {
    if (option.reset) (this->*option.reset)();
    window_.HidePage("Page2");
    return;
  }
  (this->*option.open)();
}

// --- Pending values.

void SystemPage::loadSetupPath(settings::RegistryStore& r) {
  pending_.setupPath = pending_.setupPathAsLoaded = textOr(r, "SourcePath", "");
}
void SystemPage::saveSetupPath(settings::RegistryStore& r) { r.writeText("SourcePath", pending_.setupPath); }

void SystemPage::loadOwner(settings::RegistryStore& r) {
  pending_.owner = pending_.ownerAsLoaded = textOr(r, "RegisteredOwner", "");
  pending_.organization = pending_.organizationAsLoaded = textOr(r, "RegisteredOrganization", "");
}
void SystemPage::saveOwner(settings::RegistryStore& r) {
  r.writeText("RegisteredOwner", pending_.owner);
  r.writeText("RegisteredOrganization", pending_.organization);
}

void SystemPage::loadIconDepth(settings::RegistryStore& r) {
  pending_.iconDepth = numberTextOr(r, "Shell Icon BPP", "16");
}
void SystemPage::saveIconDepth(settings::RegistryStore& r) { r.writeText("Shell Icon BPP", pending_.iconDepth); }

void SystemPage::loadIconCache(settings::RegistryStore& r) {
  pending_.iconCache = numberTextOr(r, "Max Cached Icons", "512");
}
void SystemPage::saveIconCache(settings::RegistryStore& r) { r.writeText("Max Cached Icons", pending_.iconCache); }

void SystemPage::loadCdCache(settings::RegistryStore& r) { pending_.cdCache = integerOr(r, "CacheSize", 620); }
void SystemPage::saveCdCache(settings::RegistryStore& r) {
  r.writeInteger("CacheSize", static_cast<std::uint32_t>(pending_.cdCache));
}

void SystemPage::loadCdSpeed(settings::RegistryStore& r) { pending_.cdPrefetch = integerOr(r, "PreFetch", 228); }
void SystemPage::saveCdSpeed(settings::RegistryStore& r) {
  r.writeInteger("PreFetch", static_cast<std::uint32_t>(pending_.cdPrefetch));
}

void SystemPage::resetSetupPath() { pending_.setupPath = pending_.setupPathAsLoaded; }
void SystemPage::resetOwner() {
  pending_.owner = pending_.ownerAsLoaded;
  pending_.organization = pending_.organizationAsLoaded;
}

// --- Editors.

void SystemPage::openSetupPath() {
  Label3.caption = "Location :";
  placeLabelAtTop();
  Edit1.left = 8;
  Edit1.width = 278;
  Edit1.setText(pending_.setupPath);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label3, &Edit1, &SpeedButton1}) c->visible = true;
}

void SystemPage::openOwner() {
  Label3.caption = "Name :";
  placeLabelAtTop();
  Label4.caption = "Organization :";
  Edit1.left = 8;
  Edit1.width = 150;
  Edit1.setText(pending_.owner);
  Edit2.setText(pending_.organization);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label3, &Label4, &Edit1, &Edit2}) c->visible = true;
}

void SystemPage::openIconDepth() {
  Label3.caption = "Icon Color Format :";
  placeLabelAtTop();
  // Another depth leaves the selection as it is; the pending depth is still what is written.
  if (pending_.iconDepth == "16") RadioButton1.setChecked(true);
  if (pending_.iconDepth == "24") RadioButton2.setChecked(true);
  if (pending_.iconDepth == "32") RadioButton3.setChecked(true);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label3, &RadioButton1, &RadioButton2, &RadioButton3})
    c->visible = true;
}

void SystemPage::openIconCache() { openSlider(kSliders[Slider::IconCache]); }
void SystemPage::openCdCache() { openSlider(kSliders[Slider::CdCache]); }
void SystemPage::openCdSpeed() { openSlider(kSliders[Slider::CdSpeed]); }

void SystemPage::openSlider(const Slider& slider) {
  const int top = static_cast<int>(slider.values.size()) - 1;
  int position = 0;
  const std::int64_t value = sliderPending(slider);
  while (position < top && value > slider.values[position]) ++position;

  TrackBar1.width = slider.width;
  // The range must hold the position before the slider is placed; placing it runs the change
  // handler only when it moves, so a pending value already at its position stays as read.
  TrackBar1.setMax(std::max(TrackBar1.maximum(), top));
  TrackBar1.setPosition(position);
  TrackBar1.setMax(top);
  Label3.caption = sliderLabel(slider);
  placeLabelBesideSlider();
  TrackBar1.visible = true;
}

std::int64_t SystemPage::sliderPending(const Slider& slider) const {
  switch (slider.kind) {
    case Slider::IconCache:
      return ui::integerOf(pending_.iconCache).value_or(0);
    case Slider::CdCache:
      return pending_.cdCache;
    case Slider::CdSpeed:
      return pending_.cdPrefetch;
  }
  return 0;
}

void SystemPage::setSliderPending(const Slider& slider, std::int32_t value) {
  switch (slider.kind) {
    case Slider::IconCache:
      pending_.iconCache = std::to_string(value);
      break;
    case Slider::CdCache:
      pending_.cdCache = value;
      break;
    case Slider::CdSpeed:
      pending_.cdPrefetch = value;
      break;
  }
}

std::string SystemPage::sliderLabel(const Slider& slider) const {
  switch (slider.kind) {
    case Slider::IconCache:
      return "Up to " + pending_.iconCache + " icons will be cached.";
    case Slider::CdCache:
      // Twice a 32-bit size may not fit in 32 bits.
      return "CD-ROM cache size : " + std::to_string(std::int64_t{pending_.cdCache} * 2) + " kB";
    case Slider::CdSpeed: {
      const auto position = static_cast<std::size_t>(TrackBar1.position());
      return position < slider.labels.size() ? slider.labels[position] : "";
    }
  }
  return "";
}

void SystemPage::placeLabelAtTop() {
  Label3.left = 8;
  Label3.top = 10;
  Label3.width = 150;
}

void SystemPage::placeLabelBesideSlider() {
  Label3.left = TrackBar1.left + TrackBar1.width + 6;
  Label3.top = TrackBar1.top + 8;
  Label3.width = 313 - Label3.left;
  Label3.visible = true;
}

// --- Control events.

void SystemPage::Edit1Change() {
  if (inMode("WinDir")) pending_.setupPath = Edit1.text();
  else if (inMode("Owner")) pending_.owner = Edit1.text();
}

void SystemPage::Edit2Change() {
  if (inMode("Owner")) pending_.organization = Edit2.text();
}

void SystemPage::SpeedButton1Click() {
  // Cancelling the browser drops what was typed as well: the loaded path comes back.
  auto chosen = window_.platform().browseForFolder("Select Directory");
  pending_.setupPath = chosen ? *chosen : pending_.setupPathAsLoaded;
  Edit1.setText(pending_.setupPath);
}

void SystemPage::TrackBar1Change() {
  for (const Slider& slider : kSliders) {
    if (!inMode(slider.mode)) continue;
    // A position beyond this editor's table (the slider last set up by another editor) changes
    // nothing.
    const auto position = static_cast<std::size_t>(std::max(TrackBar1.position(), 0));
    if (position >= slider.values.size()) return;
    setSliderPending(slider, slider.values[position]);
    Label3.caption = sliderLabel(slider);
    placeLabelBesideSlider();
    return;
  }
}

}  // namespace varnex::pages
