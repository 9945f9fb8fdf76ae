#include "pages/system_page.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

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

const char* const kFileSystem = "System\\CurrentControlSet\\Control\\FileSystem";
const char* const kCdfs = "System\\CurrentControlSet\\Control\\FileSystem\\CDFS";

Value text(const char* t) { return std::string(t); }
Value number(std::uint32_t n) { return n; }

struct ToggleOption {
  const char* control;
  const char* caption;
  const char* help;
  settings::CheckRowDefinition row;
};

std::vector<ToggleOption> toggleOptions() {
  using settings::registryValue;
  using settings::systemIni;
  using W = WriteAction;
  return {
      {"CheckBox15", "Enable Beep on Error", "Use this option to generate a beep sound when an error occurs.",
       // "yes" and "Yes" turn the beep on too
       ignoringCase(toggle(registryValue(kHkeyCurrentUser, "Control Panel\\Sound", "Beep"), ValueKind::Text,
                           text("NO"), text("YES"), {W::write(text("YES"))}, {W::writeIfPresent(text("NO"))}))},
      {"CheckBox16", "Maximize Memory in MS-DOS Prompt",
       "Use this option to get about 2-12 kb of conventional memory in Windows MS-DOS prompt.",
       toggle(systemIni("386Enh", "LocalLoadHigh"), ValueKind::Text, text("0"), text("1"), {W::write(text("1"))},
              {W::deleteEntry()})},
      {"CheckBox17", "Contiguous File Allocation Size",
       "Use this option to increase Windows performance when running multimedia applications.",
       toggle(registryValue(kHkeyLocalMachine, kFileSystem, "ContigFileAllocSize"), ValueKind::Integer, number(0),
              number(512), {W::write(number(512))}, {W::deleteValue()})},
      {"CheckBox18", "Add Buffer for Harddisk",
       "Use this option to increase your harddisk performance when Windows access swap file.",
       toggle(systemIni("386Enh", "PageBuffers"), ValueKind::Text, text("0"), text("32"), {W::write(text("32"))},
              {W::deleteEntry()})},
      {"CheckBox19", "Disable Low Disk Warning",
       "Use this option to disable warning message when your harddisk allmost full.",
       toggle(registryValue(kHkeyLocalMachine, kFileSystem, "DisableLowDiskSpaceBroadcast"), ValueKind::Binary,
              number(9), number(0xFFFFFFFFu), {W::write(number(0xFFFFFFFFu))}, {W::deleteValue()})},
      {"CheckBox20", "Disable FIFO Method for Disk Drive", "Use this option to increase disk drive performance.",
       toggle(registryValue(kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\Class\\fdc\\0000", "ForceFIFO"),
              ValueKind::Text, text("1"), text("0"), {W::write(text("0"))}, {W::deleteValue()})},
      {"CheckBox23", "Restrict Logon Access",
       "Use this option to prevent your Windows system from someone that does not have "
       "permission.",
       toggle(registryValue(kHkeyLocalMachine, "Network\\Logon", "MustBeValidated"), ValueKind::Integer, number(0),
              number(1), {W::write(number(1))}, {W::deleteValue()})},
      {"CheckBox26", "Disable Autoplay Data CD",
       "Use this option to disable autoplay feature on data CD, but keep audio CD.",
       toggle(registryValue(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                            "NoDriveTypeAutoRun"),
              ValueKind::Binary, number(9), number(189), {W::write(number(189))}, {W::writeIfPresent(number(149))})},
  };
}

}  // namespace

const SystemPage::Slider SystemPage::kSliders[] = {
    {Slider::IconCache, "IconCache", 130, {512, 1024, 2048, 4096, 8064}, {}},
    {Slider::CdCache, "CDCache", 130, {620, 1240, 2480, 4960}, {}},
    {Slider::CdSpeed, "CDSpeed", 170, {228, 346, 402, 540, 580, 700, 732, 940, 1140, 1340, 1400},
     {"CD-ROM Speed : 4x", "CD-ROM Speed : 8x", "CD-ROM Speed : 10x", "CD-ROM Speed : 16x",
      "CD-ROM Speed : 18x", "CD-ROM Speed : 22x", "CD-ROM Speed : 24x", "CD-ROM Speed : 32x",
      "CD-ROM Speed : 40x", "CD-ROM Speed : 48x", "CD-ROM Speed : 50x"}},
};

namespace {
// Where each option stands on the page: control order, two columns of seven.
int slotOf(const char* control) { return std::atoi(control + std::string_view("CheckBox").size()) - kFirstControl; }
}  // namespace

SystemPage::SystemPage(app::MainWindow& window)
    : OptionPage(window, "TabSheet2", "Memo2", "Page2"),
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
  for (const auto& radio : depths) {
    const std::string depth = radio.second;
    radio.first->onClick = [this, depth] { pending_.iconDepth.value = depth; };
  }

  for (ToggleOption& option : toggleOptions()) {
    addOption({.control = option.control,
               .caption = option.caption,
               .help = option.help,
               .slot = slotOf(option.control),
               .row = std::move(option.row),
               .byDefault = false});
  }

  using settings::PendingField;
  auto pending = [](settings::RegHandle root, const char* key, std::vector<PendingField> fields,
                    std::function<void()> loaded = {}) {
    return settings::PendingRowDefinition{.at = settings::registryValue(root, key, ""),
                                          .fields = std::move(fields),
                                          .loaded = std::move(loaded)};
  };
  // A pending size kept as text must hold a whole number; anything else gives the fallback.
  auto wholeNumberOr = [](settings::PendingText& text, const char* fallback) {
    return [&text, fallback] {
      if (!ui::integerOf(text.value)) text.value = text.asLoaded = fallback;
    };
  };
  const std::string none;
  addOption({.control = "CheckBox21",
             .caption = "Change Windows Installation Path",
             .help = "Use this option to change Windows installation directory.",
             .slot = slotOf("CheckBox21"),
             .row = pending(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup",
                            {{"SourcePath", &pending_.setupPath, none}}),
             .editor = [this](bool wasChecked) { actionPressed("WinDir", wasChecked, &SystemPage::openSetupPath, [this] { pending_.setupPath.reset(); }); }});
  addOption({.control = "CheckBox22",
             .caption = "Change Windows Owner ",
             .help = "Use this option to change Windows owner information.",
             .slot = slotOf("CheckBox22"),
             .row = pending(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                            {{"RegisteredOwner", &pending_.owner, none},
                             {"RegisteredOrganization", &pending_.organization, none}}),
             .editor = [this](bool wasChecked) { actionPressed("Owner", wasChecked, &SystemPage::openOwner, [this] {
               pending_.owner.reset();
               pending_.organization.reset();
             }); }});
  addOption({.control = "CheckBox24",
             .caption = "Change Icon Color Format",
             .help = "Use this option to change icon color format. Choosing a higher setting allows more "
                     "color to be displayed.",
             .slot = slotOf("CheckBox24"),
             .row = pending(kHkeyCurrentUser, "Control Panel\\Desktop\\WindowMetrics",
                            {{"Shell Icon BPP", &pending_.iconDepth, none}},
                            wholeNumberOr(pending_.iconDepth, "16")),
             .editor = [this](bool wasChecked) { actionPressed(nullptr, wasChecked, &SystemPage::openIconDepth); }});
  addOption({.control = "CheckBox25",
             .caption = "Optimize Icon Cache Size",
             .help = "Use this option to configure how much icons will be cached at the same time. "
                     "Suggestion: Try 2048.",
             .slot = slotOf("CheckBox25"),
             .row = pending(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer",
                            {{"Max Cached Icons", &pending_.iconCache, none}},
                            wholeNumberOr(pending_.iconCache, "512")),
             .editor = [this](bool wasChecked) { actionPressed("IconCache", wasChecked, &SystemPage::openIconCache); }});
  addOption({.control = "CheckBox27",
             .caption = "Optimize CD-ROM Cache Size",
             .help = "Use this option to increase your CD-ROM performance. Suggestion: Try 2480.",
             .slot = slotOf("CheckBox27"),
             .row = pending(kHkeyLocalMachine, kCdfs, {{"CacheSize", &pending_.cdCache, number(620)}}),
             .editor = [this](bool wasChecked) { actionPressed("CDCache", wasChecked, &SystemPage::openCdCache); }});
  addOption({.control = "CheckBox28",
             .caption = "Optimize CD-ROM Speed",
             .help = "Use this option to configure your CD-ROM speed. Suggestion: Set the value the same as "
                     "your CD-ROM speed",
             .slot = slotOf("CheckBox28"),
             .row = pending(kHkeyLocalMachine, kCdfs, {{"PreFetch", &pending_.cdPrefetch, number(228)}}),
             .editor = [this](bool wasChecked) { actionPressed("CDSpeed", wasChecked, &SystemPage::openCdSpeed); }});
}

bool SystemPage::inMode(const char* mode) const { return settings::equalsIgnoringCase(mode_, mode); }

void SystemPage::actionPressed(const char* mode, bool wasChecked, void (SystemPage::*open)(),
                               const std::function<void()>& reset) {
  if (mode) mode_ = mode;
  if (wasChecked) {
    if (reset) reset();  // the path and owner editors drop what was typed; the others keep it
    window_.HidePage("Page2");
    return;
  }
  (this->*open)();
}

// --- Editors.

void SystemPage::openSetupPath() {
  Label3.caption = "Location :";
  placeLabelAtTop();
  Edit1.left = 8;
  Edit1.width = 278;
  Edit1.setText(pending_.setupPath.value);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label3, &Edit1, &SpeedButton1}) c->visible = true;
}

void SystemPage::openOwner() {
  Label3.caption = "Name :";
  placeLabelAtTop();
  Label4.caption = "Organization :";
  Edit1.left = 8;
  Edit1.width = 150;
  Edit1.setText(pending_.owner.value);
  Edit2.setText(pending_.organization.value);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label3, &Label4, &Edit1, &Edit2}) c->visible = true;
}

void SystemPage::openIconDepth() {
  Label3.caption = "Icon Color Format :";
  placeLabelAtTop();
  // Another depth leaves the selection as it is; the pending depth is still what is written.
  if (pending_.iconDepth.value == "16") RadioButton1.setChecked(true);
  if (pending_.iconDepth.value == "24") RadioButton2.setChecked(true);
  if (pending_.iconDepth.value == "32") RadioButton3.setChecked(true);
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
      return ui::integerOf(pending_.iconCache.value).value_or(0);
    case Slider::CdCache:
      return pending_.cdCache.value;
    case Slider::CdSpeed:
      return pending_.cdPrefetch.value;
  }
  return 0;
}

void SystemPage::setSliderPending(const Slider& slider, std::int32_t value) {
  switch (slider.kind) {
    case Slider::IconCache:
      pending_.iconCache.value = std::to_string(value);
      break;
    case Slider::CdCache:
      pending_.cdCache.value = value;
      break;
    case Slider::CdSpeed:
      pending_.cdPrefetch.value = value;
      break;
  }
}

std::string SystemPage::sliderLabel(const Slider& slider) const {
  switch (slider.kind) {
    case Slider::IconCache:
      return "Up to " + pending_.iconCache.value + " icons will be cached.";
    case Slider::CdCache:
      // Twice a 32-bit size may not fit in 32 bits.
      return "CD-ROM cache size : " + std::to_string(std::int64_t{pending_.cdCache.value} * 2) + " kB";
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
  if (inMode("WinDir")) pending_.setupPath.value = Edit1.text();
  else if (inMode("Owner")) pending_.owner.value = Edit1.text();
}

void SystemPage::Edit2Change() {
  if (inMode("Owner")) pending_.organization.value = Edit2.text();
}

void SystemPage::SpeedButton1Click() {
  // Cancelling the browser drops what was typed as well: the loaded path comes back.
  auto chosen = window_.platform().browseForFolder("Select Directory");
  pending_.setupPath.value = chosen ? *chosen : pending_.setupPath.asLoaded;
  Edit1.setText(pending_.setupPath.value);
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
