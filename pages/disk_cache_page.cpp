#include "pages/disk_cache_page.h"

#include <algorithm>
#include <string>

#include "pages/layout.h"
#include "pages/unit_row.h"
#include "settings/profile_store.h"
#include "settings/store_error.h"
#include "ui/edits.h"

namespace varnex::pages {

const std::array<CacheProfile, 6> kCacheProfiles = {{
    {"Standard System", 2, 8, 16},
    {"Power User", 6, 12, 16},
    {"Multimedia", 2, 6, 32},
    {"Gaming System", 1, 8, 8},
    {"CD Writer", 12, 12, 8},
    {"Low Memory System", 1, 6, 8},
}};

namespace {

const char kSection[] = "vcache";
constexpr int kSliderMax = 32;
constexpr int kLabelGap = 5;

void placeAfter(ui::Label& label, const ui::Label& before) { label.left = before.left + before.width + kLabelGap; }

// Labels size themselves to their caption.
void setCaption(ui::Label& label, const std::string& caption) {
  label.caption = caption;
  label.width = captionWidth(caption);
}

// The slider position an entry's text stands for; a text that is no integer gives 0.
int positionOf(const std::string& text, int unit) { return ui::integerOf(text).value_or(0) / unit; }

}  // namespace

DiskCachePage::DiskCachePage(app::MainWindow& window, HelpWindow& help)
    : help_(help),
      TabSheet4(window.form().get<ui::TabSheet>("TabSheet4")),
      Label7(window.form().add<ui::Label>("Label7", &TabSheet4, {16, 51, 0, 16})),
      ComboBox1(window.form().add<ui::ComboBox>("ComboBox1", &TabSheet4, {0, 48, 170, 21})),
      RxSpeedButton12(window.form().add<ui::Button>("RxSpeedButton12", &TabSheet4, {430, 48, 75, 25}, "Help")),
      Label8(window.form().add<ui::Label>("Label8", &TabSheet4, {16, 92, 0, 16})),
      Label22(window.form().add<ui::Label>("Label22", &TabSheet4, {0, 92, 0, 16})),
      Label11(window.form().add<ui::Label>("Label11", &TabSheet4, {0, 92, 0, 16})),
      TrackBar2(window.form().add<ui::TrackBar>("TrackBar2", &TabSheet4, {16, 110, 400, 30})),
      Label9(window.form().add<ui::Label>("Label9", &TabSheet4, {16, 152, 0, 16})),
      Label23(window.form().add<ui::Label>("Label23", &TabSheet4, {0, 152, 0, 16})),
      Label12(window.form().add<ui::Label>("Label12", &TabSheet4, {0, 152, 0, 16})),
      TrackBar3(window.form().add<ui::TrackBar>("TrackBar3", &TabSheet4, {16, 170, 400, 30})),
      Label10(window.form().add<ui::Label>("Label10", &TabSheet4, {16, 212, 0, 16})),
      Label24(window.form().add<ui::Label>("Label24", &TabSheet4, {0, 212, 0, 16})),
      Label13(window.form().add<ui::Label>("Label13", &TabSheet4, {0, 212, 0, 16})),
      TrackBar4(window.form().add<ui::TrackBar>("TrackBar4", &TabSheet4, {16, 230, 400, 30})) {
  std::vector<std::string> items = {"User Defined"};
  for (const CacheProfile& p : kCacheProfiles) items.push_back(p.name);
  ComboBox1.setItems(std::move(items));
  setCaption(Label7, "Your system profiles is :");
  ComboBox1.left = Label7.left + Label7.width + 8;
  setCaption(Label8, "Minimum Cache Size :");
  setCaption(Label9, "Maximum Cache Size :");
  setCaption(Label10, "Chunk Size :");
  for (ui::Label* unit : {&Label11, &Label12, &Label13}) setCaption(*unit, "KB");
  for (ui::Label* value : {&Label22, &Label23, &Label24}) setCaption(*value, "0");
  for (ui::TrackBar* slider : {&TrackBar2, &TrackBar3, &TrackBar4}) slider->setRange(0, kSliderMax);
  placeLabels();

  ComboBox1.onChange = [this] { ComboBox1Change(); };
  TrackBar2.onChange = [this] { TrackBar2Change(); };
  TrackBar3.onChange = [this] { TrackBar3Change(); };
  TrackBar4.onChange = [this] { TrackBar4Change(); };
  RxSpeedButton12.onClick = [this] { RxSpeedButton12Click(); };

  row_ = std::make_unique<UnitRow>([this](settings::Stores& s) { read(s); },
                                   [this](settings::Stores& s) { write(s); });
}

std::vector<app::NamedRow> DiskCachePage::rows() { return {{"ComboBox1", row_.get()}}; }

void DiskCachePage::placeLabels() {
  placeAfter(Label22, Label8);
  placeAfter(Label23, Label9);
  placeAfter(Label24, Label10);
  placeAfter(Label11, Label22);
  placeAfter(Label12, Label23);
  placeAfter(Label13, Label24);
}

void DiskCachePage::setValueLabels() {
  setCaption(Label22, std::to_string(TrackBar2.position() * 1024));
  setCaption(Label23, std::to_string(TrackBar3.position() * 1024));
  setCaption(Label24, std::to_string(TrackBar4.position() * 32));
}

void DiskCachePage::selectMatchingProfile() {
  for (std::size_t i = 0; i < kCacheProfiles.size(); ++i) {
    const CacheProfile& p = kCacheProfiles[i];
    if (TrackBar2.position() == p.minimum && TrackBar3.position() == p.maximum && TrackBar4.position() == p.chunk) {
      ComboBox1.setItemIndex(static_cast<int>(i) + 1);
      return;
    }
  }
  ComboBox1.setItemIndex(0);
}

void DiskCachePage::read(settings::Stores& stores) {
  // A guarded read: whatever fails reads as a missing entry.
  auto entry = [&stores](const char* name) {
    try {
      return stores.profile(settings::kSystemIni).readText(kSection, name, "0");
    } catch (const settings::StoreError&) {
      return std::string("0");
    }
  };
  TrackBar2.setPosition(positionOf(entry("MinFileCache"), 1024));
  TrackBar3.setPosition(positionOf(entry("MaxFileCache"), 1024));
  TrackBar4.setPosition(positionOf(entry("CHUNKSIZE"), 32));
  setValueLabels();
  selectMatchingProfile();
}

void DiskCachePage::write(settings::Stores& stores) {
  // Every pass, whatever changed: the labels are the page's state.
  settings::ProfileStore ini = stores.profile(settings::kSystemIni);
  ini.writeText(kSection, "MinFileCache", Label22.caption);
  ini.writeText(kSection, "MaxFileCache", Label23.caption);
  ini.writeText(kSection, "CHUNKSIZE", Label24.caption);
}

void DiskCachePage::ComboBox1Change() {
  const int chosen = ComboBox1.itemIndex();
  if (chosen >= 1 && chosen <= static_cast<int>(kCacheProfiles.size())) {
    const CacheProfile& p = kCacheProfiles[static_cast<std::size_t>(chosen - 1)];
    // Each move selects "User Defined"; the chosen profile is selected again after them.
    TrackBar2.setPosition(p.minimum);
    TrackBar3.setPosition(p.maximum);
    TrackBar4.setPosition(p.chunk);
    ComboBox1.setItemIndex(chosen);
  }
  placeLabels();
  setValueLabels();
  // The value labels may have changed width since they were placed.
  placeLabels();
}

void DiskCachePage::TrackBar2Change() {
  ComboBox1.setItemIndex(0);
  setCaption(Label22, std::to_string(TrackBar2.position() * 1024));
  placeAfter(Label11, Label22);
}

void DiskCachePage::TrackBar3Change() {
  ComboBox1.setItemIndex(0);
  setCaption(Label23, std::to_string(TrackBar3.position() * 1024));
  placeAfter(Label12, Label23);
}

void DiskCachePage::TrackBar4Change() {
  ComboBox1.setItemIndex(0);
  setCaption(Label24, std::to_string(TrackBar4.position() * 32));
  placeAfter(Label13, Label24);
}

void DiskCachePage::restoreDefaults() {
  for (ui::TrackBar* slider : {&TrackBar2, &TrackBar3, &TrackBar4}) slider->setPosition(0);
  for (ui::Label* value : {&Label22, &Label23, &Label24}) setCaption(*value, "0");
  placeLabels();
  ComboBox1.setItemIndex(0);
}

}  // namespace varnex::pages
