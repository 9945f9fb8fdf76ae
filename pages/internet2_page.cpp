#include "pages/internet2_page.h"

#include "pages/layout.h"
#include "settings/registry_store.h"

namespace varnex::pages {

namespace {

using Open = TextSettingDefinition::Open;

const char* const kConnectHelp =
    "Use this option to increase you Internet connection performance. Suggestion: Try 2 and 128";
const char* const kSocketsHelp =
    "Use this option to increase you Internet connection performance. Suggestion: Try 32 and 1020";
const char* const kCacheHelp = "Use this option to increase the NDI cache size. Suggestion: Try 16.";
const char* const kKeepAliveHelp =
    "Use this option to keep your download session from timing out. Suggestion: Try 600.";
const char* const kDiscoveryHelp =
    "Use this option to disable TCP to discover the Maximum MTU over the path to a remote host.";
const char* const kBlackHoleHelp = "Use this option to enable TCP to try to detect Black Hole routers.";

// A switch of the TCP/IP stack: checked when the string equals `on`; checked writes `on`,
// unchecked writes `off` only where the value already exists.
settings::CheckRowDefinition stackSwitch(const char* control, const char* name, const char* on, const char* off) {
  settings::CheckRowDefinition d;
  d.control = control;
  d.at = settings::registryValue(settings::kHkeyLocalMachine, kMstcp, name);
  d.kind = settings::ValueKind::Text;
  d.read.defaultValue = std::string("1");  // what a value of another type than text reads as
  d.read.checkedWhen = std::string(on);
  d.whenChecked = {settings::WriteAction::write(std::string(on))};
  d.whenUnchecked = {settings::WriteAction::writeIfPresent(std::string(off))};
  d.openWithoutCreate = true;
  return d;
}

}  // namespace

Internet2Page::Internet2Page(app::MainWindow& window, InternetValues& values)
    : window_(window),
      form_(window.form()),
      values_(values),
      TabSheet11(form_.get<ui::TabSheet>("TabSheet11")),
      GroupBox24(form_.add<ui::GroupBox>("GroupBox24", &TabSheet11, {8, 44, 250, 76}, "Optimize Max Connect")),
      Label60(form_.add<ui::Label>("Label60", &GroupBox24, {12, 24, 90, 14}, "Minimal value :")),
      Edit7(form_.add<ui::Edit>("Edit7", &GroupBox24, {108, 20, 60, 21})),
      Label61(form_.add<ui::Label>("Label61", &GroupBox24, {12, 50, 90, 14}, "Maximal value :")),
      Edit8(form_.add<ui::Edit>("Edit8", &GroupBox24, {108, 46, 60, 21})),
      GroupBox25(form_.add<ui::GroupBox>("GroupBox25", &TabSheet11, {266, 44, 250, 76}, "Optimize Max Sockets")),
      Label62(form_.add<ui::Label>("Label62", &GroupBox25, {12, 24, 90, 14}, "Minimal value :")),
      Edit10(form_.add<ui::Edit>("Edit10", &GroupBox25, {108, 20, 60, 21})),
      Label63(form_.add<ui::Label>("Label63", &GroupBox25, {12, 50, 90, 14}, "Maximal value :")),
      Edit11(form_.add<ui::Edit>("Edit11", &GroupBox25, {108, 46, 60, 21})),
      GroupBox26(form_.add<ui::GroupBox>("GroupBox26", &TabSheet11, {8, 128, 250, 96}, "Optimize NDI Cache Size")),
      RadioButton4(form_.add<ui::RadioButton>("RadioButton4", &GroupBox26, {12, 20, 118, 17}, "Disable (default)")),
      RadioButton6(form_.add<ui::RadioButton>("RadioButton6", &GroupBox26, {12, 44, 100, 17}, "16")),
      RadioButton22(form_.add<ui::RadioButton>("RadioButton22", &GroupBox26, {12, 68, 100, 17}, "32")),
      RadioButton23(form_.add<ui::RadioButton>("RadioButton23", &GroupBox26, {136, 20, 100, 17}, "64")),
      RadioButton24(form_.add<ui::RadioButton>("RadioButton24", &GroupBox26, {136, 44, 100, 17}, "Custom")),
      Edit9(form_.add<ui::Edit>("Edit9", &GroupBox26, {136, 66, 60, 21})),
      GroupBox27(form_.add<ui::GroupBox>("GroupBox27", &TabSheet11, {266, 128, 250, 96})),
      Label64(form_.add<ui::Label>("Label64", &GroupBox27, {10, 20, 112, 14}, "Session Keep Alive")),
      SpinEdit8(form_.add<ui::SpinEdit>("SpinEdit8", &GroupBox27, {124, 16, 72, 21})),
      Label65(form_.add<ui::Label>("Label65", &GroupBox27, {202, 20, 44, 14}, "seconds")),
      CheckBox43(form_.add<ui::CheckBox>("CheckBox43", &GroupBox27, {10, 46, 230, 17}, "Disable MTU Auto Discovery")),
      CheckBox44(form_.add<ui::CheckBox>("CheckBox44", &GroupBox27, {10, 70, 230, 17}, "Enable Black Hole Detect")),
      RxSpeedButton6(form_.add<ui::Button>("RxSpeedButton6", &TabSheet11, {354, 232, 160, 23}, "Windows Default")),
      RxSpeedButton7(form_.add<ui::Button>("RxSpeedButton7", &TabSheet11, {354, 260, 160, 23}, "Automatic")),
      Memo8(form_.get<ui::Memo>("Memo8")) {
  SpinEdit8.setRange(60, 3600);
  fitToRange(SpinEdit8, &Label65);
  SpinEdit8.setValue(3600);
  SpinEdit8.maxLength = 4;
  SpinEdit8.onChange = [this] { SpinEdit8Change(); };

  const std::pair<ui::Edit*, settings::PendingText*> edits[] = {
      {&Edit7, &values_.maxConnectMin}, {&Edit8, &values_.maxConnectMax}, {&Edit10, &values_.maxSocketsMin},
      {&Edit11, &values_.maxSocketsMax}, {&Edit9, &values_.cacheSize}};
  for (const auto& [edit, pending] : edits) edit->onChange = [edit, pending] { applyEditRule(*edit, *pending); };

  const std::pair<ui::RadioButton*, const char*> sizes[] = {
      {&RadioButton4, "0"}, {&RadioButton6, "16"}, {&RadioButton22, "32"}, {&RadioButton23, "64"}};
  for (const auto& [button, size] : sizes) {
    button->onClick = [this, size] {
      values_.cacheSize.value = size;
      Edit9.enabled = false;
    };
  }
  RadioButton24.onClick = [this] { RadioButton24Click(); };
  RxSpeedButton6.onClick = [this] { RxSpeedButton6Click(); };
  RxSpeedButton7.onClick = [this] { RxSpeedButton7Click(); };

  // The two switches are the page's only options that a press marks as changed.
  window_.attachOption(CheckBox43, "");
  window_.attachOption(CheckBox44, "");
  const std::pair<ui::Control*, const char*> helps[] = {
      {&GroupBox24, kConnectHelp},  {&GroupBox25, kSocketsHelp}, {&GroupBox26, kCacheHelp},
      {&Label64, kKeepAliveHelp},   {&SpinEdit8, kKeepAliveHelp}, {&Label65, kKeepAliveHelp},
      {&CheckBox43, kDiscoveryHelp}, {&CheckBox44, kBlackHoleHelp}};
  for (const auto& [control, text] : helps) {
    const std::string help = text;
    control->onMouseMove = [this, help] { window_.showHelp(Memo8, help); };
  }
  GroupBox27.onMouseMove = [this] { window_.clearHelp(Memo8); };

  auto whenFound = [this] { return values_.anyFound; };
  addRow("CheckBox43", std::make_unique<WritesOnlyWhen>(
                           std::make_unique<settings::CheckRow>(stackSwitch("CheckBox43", "PMTUDiscovery", "0", "1"),
                                                                discoveryToggle_),
                           whenFound));
  addRow("CheckBox44", std::make_unique<WritesOnlyWhen>(
                           std::make_unique<settings::CheckRow>(
                               stackSwitch("CheckBox44", "PMTUBlackHoleDetect", "1", "0"), blackHoleToggle_),
                           whenFound));
  // The spin edit clamps what it shows; the pending value keeps what was read until the shown
  // number changes, so a stored 7200 is written back as it is while 30 becomes 60.
  addRow("SpinEdit8", std::make_unique<TextSettingRow>(TextSettingDefinition{
                          .key = kMstcp,
                          .name = "SessionKeepAlive",
                          .fallback = "3600",
                          .pending = &values_.keepAlive,
                          .open = Open::WithoutCreate,
                          .writes = whenFound,
                          .loaded = [this] { SpinEdit8.setValue(ui::integerOf(values_.keepAlive.value).value_or(3600)); },
                      }));
  auto limit = [this, whenFound](const char* key, const char* name, const char* fallback,
                                 settings::PendingText& pending, ui::Edit& edit) {
    return std::make_unique<TextSettingRow>(TextSettingDefinition{
        .key = kNdiParams + key,
        .name = name,
        .fallback = fallback,
        .pending = &pending,
        .open = Open::WithCreate,
        .writes = whenFound,
        .loaded = [&edit, &pending] { edit.setText(pending.value); },
    });
  };
  addRow("Edit11", limit("maxsockets", "max", "255", values_.maxSocketsMax, Edit11));
  addRow("Edit10", limit("maxsockets", "min", "2", values_.maxSocketsMin, Edit10));
  addRow("Edit8", limit("maxconnect", "max", "64", values_.maxConnectMax, Edit8));
  addRow("Edit7", limit("maxconnect", "min", "1", values_.maxConnectMin, Edit7));
  // The cache size is written whatever the scan found.
  addRow("Edit9", std::make_unique<TextSettingRow>(TextSettingDefinition{
                      .key = kNdiParams + "cachesize",
                      .name = "",
                      .fallback = "0",
                      .pending = &values_.cacheSize,
                      .open = Open::WithCreate,
                      .loaded = [this] { showCacheSize(); },
                  }));
}

void Internet2Page::addRow(const char* control, std::unique_ptr<settings::Row> row) {
  named_.push_back({control, row.get()});
  rows_.push_back(std::move(row));
}

std::vector<app::NamedRow> Internet2Page::rows() { return named_; }

void Internet2Page::showCacheSize() {
  settings::PendingText& size = values_.cacheSize;
  if (!ui::integerOf(size.value)) size.value = size.asLoaded = "0";
  switch (*ui::integerOf(size.value)) {
    case 0: RadioButton4.setChecked(true); break;
    case 16: RadioButton6.setChecked(true); break;
    case 32: RadioButton22.setChecked(true); break;
    case 64: RadioButton23.setChecked(true); break;
    default: RadioButton24.setChecked(true); break;
  }
  if (RadioButton24.checked()) {
    values_.enable(Edit9);
    Edit9.setText(size.value);
  }
}

void Internet2Page::RadioButton24Click() {
  values_.enable(Edit9);
  Edit9.setText(values_.cacheSize.value);
}

void Internet2Page::apply(const Preset& p) {
  InternetValues& v = values_;
  v.cacheSize.value = p.cacheSize;
  v.keepAlive.value = std::to_string(p.keepAlive);
  v.maxConnectMax.value = p.maxConnectMax;
  v.maxConnectMin.value = p.maxConnectMin;
  v.maxSocketsMax.value = p.maxSocketsMax;
  v.maxSocketsMin.value = p.maxSocketsMin;
  p.cacheButton->setChecked(true);
  CheckBox43.setChecked(false);
  CheckBox44.setChecked(false);
  SpinEdit8.setValue(p.keepAlive);
  Edit7.setText(v.maxConnectMin.value);
  Edit8.setText(v.maxConnectMax.value);
  Edit10.setText(v.maxSocketsMin.value);
  Edit11.setText(v.maxSocketsMax.value);
}

void Internet2Page::RxSpeedButton6Click() { apply({"0", &RadioButton4, 3600, "64", "1", "255", "2"}); }

void Internet2Page::RxSpeedButton7Click() { apply({"16", &RadioButton6, 600, "128", "2", "1020", "32"}); }

void Internet2Page::restoreDefaults() {
  InternetValues& v = values_;
  v.cacheSize.value = "0";
  v.keepAlive.value = "3600";
  v.maxConnectMax.value = "64";
  v.maxConnectMin.value = "1";
  v.maxSocketsMax.value = "255";
  v.maxSocketsMin.value = "2";
  RadioButton4.setChecked(true);
  CheckBox43.setChecked(false);
  CheckBox44.setChecked(false);
}

}  // namespace varnex::pages
