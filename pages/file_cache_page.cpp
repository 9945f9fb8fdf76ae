#include "pages/file_cache_page.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "pages/layout.h"
#include "pages/unit_row.h"
#include "settings/registry_store.h"
#include "settings/store_error.h"

namespace varnex::pages {

const std::array<CacheRole, 3> kCacheRoles = {{
    {"Desktop Computer", "Desktop", 0, 0},
    {"Mobile or docking system", "Mobile", 337, 16},
    {"Network Server", "Server", 2729, 64},
}};

namespace {

const char kOwnTemplate[] = "Varnex";
const char kOwnTemplateTitle[] = "Varnex Settings";
constexpr int kNameUnit = 512;
constexpr int kPathUnit = 8;

}  // namespace

FileCachePage::FileCachePage(app::MainWindow& window, HelpWindow& help)
    : window_(window),
      help_(help),
      TabSheet8(window.form().get<ui::TabSheet>("TabSheet8")),
      Label32(window.form().add<ui::Label>("Label32", &TabSheet8, {16, 52, 140, 16}, "Free physical memory :")),
      ProgressBar1(window.form().add<ui::ProgressBar>("ProgressBar1", &TabSheet8, {160, 50, 200, 18})),
      Label34(window.form().add<ui::Label>("Label34", &TabSheet8, {370, 52, 50, 16})),
      Label33(window.form().add<ui::Label>("Label33", &TabSheet8, {16, 80, 140, 16}, "Free virtual memory :")),
      ProgressBar2(window.form().add<ui::ProgressBar>("ProgressBar2", &TabSheet8, {160, 78, 200, 18})),
      Label46(window.form().add<ui::Label>("Label46", &TabSheet8, {370, 80, 50, 16})),
      Label29(window.form().add<ui::Label>("Label29", &TabSheet8, {16, 116, 140, 16}, "Name Cache")),
      TrackBar5(window.form().add<ui::TrackBar>("TrackBar5", &TabSheet8, {16, 134, 320, 30})),
      SpinEdit6(window.form().add<ui::SpinEdit>("SpinEdit6", &TabSheet8, {348, 138, 60, 21})),
      Label30(window.form().add<ui::Label>("Label30", &TabSheet8, {16, 176, 140, 16}, "Directory Cache")),
      TrackBar6(window.form().add<ui::TrackBar>("TrackBar6", &TabSheet8, {16, 194, 320, 30})),
      SpinEdit7(window.form().add<ui::SpinEdit>("SpinEdit7", &TabSheet8, {348, 198, 60, 21})),
      Label17(window.form().add<ui::Label>("Label17", &TabSheet8, {16, 240, 180, 16}, "Typical role of this computer:")),
      ComboBox3(window.form().add<ui::ComboBox>("ComboBox3", &TabSheet8, {16, 258, 200, 21})),
      RxSpeedButton11(window.form().add<ui::Button>("RxSpeedButton11", &TabSheet8, {430, 48, 75, 25}, "Help")) {
  ProgressBar1.setRange(0, 100);
  ProgressBar2.setRange(0, 100);
  TrackBar5.setRange(0, 12);
  TrackBar6.setRange(0, 16);
  SpinEdit6.setRange(0, 6144);
  SpinEdit6.maxLength = 4;
  SpinEdit6.setValue(337);
  SpinEdit7.setRange(0, 128);
  fitToRange(SpinEdit6);
  fitToRange(SpinEdit7);
  // One column: both take the wider field's width, so the buttons line up.
  SpinEdit6.width = SpinEdit7.width = std::max(SpinEdit6.width, SpinEdit7.width);
  SpinEdit7.maxLength = 3;
  SpinEdit7.setValue(16);
  TrackBar6.setPosition(16 / kPathUnit);  // in step with the spin edits' first values
  std::vector<std::string> items = {"User Defined"};
  for (const CacheRole& role : kCacheRoles) items.push_back(role.name);
  ComboBox3.setItems(std::move(items));

  ComboBox3.onChange = [this] { ComboBox3Change(); };
  TrackBar5.onChange = [this] { TrackBar5Change(); };
  TrackBar6.onChange = [this] { TrackBar6Change(); };
  SpinEdit6.onChange = [this] { SpinEdit6Change(); };
  SpinEdit7.onChange = [this] { SpinEdit7Change(); };
  RxSpeedButton11.onClick = [this] { RxSpeedButton11Click(); };

  row_ = std::make_unique<UnitRow>([this](settings::Stores& s) { read(s); },
                                   [this](settings::Stores& s) { write(s); });
}

std::vector<app::NamedRow> FileCachePage::rows() { return {{"ComboBox3", row_.get()}}; }

void FileCachePage::fillMemoryGauges() {
  app::MemoryStatus m = window_.platform().memoryStatus();
  const std::uint32_t totalPhys = m.totalPhys / 1024, availPhys = m.availPhys / 1024;
  const std::uint32_t totalPage = m.totalPageFile / 1024, availPage = m.availPageFile / 1024;
  // A total reported as 0 shows an empty gauge instead of dividing by zero.
  auto percent = [](std::uint32_t avail, std::uint32_t total) -> int {
    return total == 0 ? 0 : static_cast<int>(static_cast<std::uint64_t>(avail) * 100 / total);
  };
  ProgressBar1.setPosition(percent(availPhys, totalPhys));
  ProgressBar2.setPosition(percent(availPage, totalPage));
  Label34.caption = std::to_string(ProgressBar1.position()) + " %";
  Label46.caption = std::to_string(ProgressBar2.position()) + " %";
}

// The handlers chain: a spin value moves its slider, a moved slider rewrites the spin value to a
// multiple of its unit and selects "User Defined".
void FileCachePage::SpinEdit6Change() { TrackBar5.setPosition(SpinEdit6.value() / kNameUnit); }
void FileCachePage::SpinEdit7Change() { TrackBar6.setPosition(SpinEdit7.value() / kPathUnit); }

void FileCachePage::TrackBar5Change() {
  SpinEdit6.setValue(TrackBar5.position() * kNameUnit);
  ComboBox3.setItemIndex(0);
}

void FileCachePage::TrackBar6Change() {
  SpinEdit7.setValue(TrackBar6.position() * kPathUnit);
  ComboBox3.setItemIndex(0);
}

void FileCachePage::ComboBox3Change() {
  const int chosen = ComboBox3.itemIndex();
  if (chosen == 0) {
    template_ = kOwnTemplate;
    return;
  }
  if (chosen < 1 || chosen > static_cast<int>(kCacheRoles.size())) return;
  const CacheRole& role = kCacheRoles[static_cast<std::size_t>(chosen - 1)];
  SpinEdit6.setValue(role.nameCache);
  SpinEdit7.setValue(role.pathCache);
  template_ = role.templateName;
  ComboBox3.setItemIndex(chosen);
}

void FileCachePage::read(settings::Stores& stores) {
  settings::RegistryStore reg = stores.registry();
  reg.setRoot(settings::kHkeyLocalMachine);
  reg.openKey(kFsTemplates, false);
  try {
    template_ = reg.readText("");
  } catch (const settings::StoreError&) {
    template_.clear();
  }
  // Relative to FS Templates; an empty name, or a template without its subkey, leaves FS
  // Templates itself open.
  reg.openKey(template_, false);
  // Unguarded: an unreadable value ends the read pass here, the controls as they were.
  reg.readBinary("NameCache", nameCache_);
  reg.readBinary("PathCache", pathCache_);
  SpinEdit6.setValue(static_cast<std::int32_t>(nameCache_));
  SpinEdit7.setValue(static_cast<std::int32_t>(pathCache_));
  TrackBar5.setPosition(SpinEdit6.value() / kNameUnit);
  TrackBar6.setPosition(SpinEdit7.value() / kPathUnit);
  int role = 0;
  for (std::size_t i = 0; i < kCacheRoles.size(); ++i)
    if (template_ == kCacheRoles[i].templateName) role = static_cast<int>(i) + 1;
  ComboBox3.setItemIndex(role);
}

void FileCachePage::write(settings::Stores& stores) {
  // A typed number outside the range (a negative one) is taken as the nearest bound, so the
  // binary values never hold what the fields cannot show.
  auto withinRange = [](const ui::SpinEdit& spin) {
    return static_cast<std::uint32_t>(std::clamp(spin.value(), spin.minValue(), spin.maxValue()));
  };
  nameCache_ = withinRange(SpinEdit6);
  pathCache_ = withinRange(SpinEdit7);
  settings::RegistryStore reg = stores.registry();
  reg.setRoot(settings::kHkeyLocalMachine);
  reg.openKey(kFsTemplates, false);  // without the key every write below fails in the store
  if (ComboBox3.itemIndex() != 0) {
    reg.writeText("", template_);
    return;
  }
  reg.writeText("", kOwnTemplate);
  reg.openKey(kOwnTemplate, true);
  bool titled = false;
  try {
    titled = reg.readText("") == kOwnTemplateTitle;
  } catch (const settings::StoreError&) {
    // A title of another type is rewritten rather than ending the write pass.
  }
  if (!titled) reg.writeText("", kOwnTemplateTitle);
  reg.writeBinary("NameCache", nameCache_);
  reg.writeBinary("PathCache", pathCache_);
}

void FileCachePage::restoreDefaults() {
  SpinEdit6.setValue(0);
  SpinEdit7.setValue(0);
  template_ = "Desktop";
  TrackBar5.setPosition(0);
  TrackBar6.setPosition(0);
  ComboBox3.setItemIndex(1);
}

}  // namespace varnex::pages
