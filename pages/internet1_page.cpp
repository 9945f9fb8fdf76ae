#include "pages/internet1_page.h"

#include <initializer_list>

#include "settings/store_error.h"

namespace varnex::pages {

namespace {

const char* const kNoConnection = "No Internet connection available";

// Every editor of both Internet pages, as the scan disables them when it finds no adapter.
const char* const kInternetEditors[] = {
    // Internet #1
    "GroupBox9", "GroupBox10", "GroupBox11", "Label48", "ComboBox2", "RadioButton18", "RadioButton7",
    "RadioButton5", "RadioButton8", "RadioButton9", "RadioButton10", "RadioButton11", "RadioButton12",
    "RadioButton13", "RadioButton14", "RadioButton15", "RadioButton16", "RadioButton17", "RadioButton19",
    "Edit3", "Edit4", "Edit5", "RxSpeedButton8", "RxSpeedButton9",
    // Internet #2
    "GroupBox24", "GroupBox25", "GroupBox26", "GroupBox27", "Label60", "Label61", "Label62", "Label63",
    "Label64", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11", "CheckBox43", "CheckBox44", "SpinEdit8",
    "RadioButton6", "RadioButton22", "RadioButton23", "RadioButton4", "RadioButton24", "RxSpeedButton6",
    "RxSpeedButton7"};

ui::Bounds radioAt(int top, int width = 140) { return {10, top, width, 17}; }

}  // namespace

// ComboBox2's row: the adapter scan over Net\0000 to Net\0006 when reading, the IPMTU of every
// adapter entry when writing.
class Internet1Page::AdapterRow : public settings::Row {
 public:
  explicit AdapterRow(Internet1Page& page) : page_(page) {}

  void read(settings::Stores& stores) override {
    InternetValues& v = page_.values_;
    for (int index = 0; index <= 6; ++index) {
      settings::RegistryStore registry = stores.registry();
      registry.setRoot(settings::kHkeyLocalMachine);
      const std::string key = adapterKey(index);
      if (!registry.keyExists(key)) continue;
      registry.openKey(key, false);
      // Unguarded: a description of another type than text ends the read pass.
      const bool dialUp = registry.readText("DriverDesc") == kDialUpAdapter;
      std::string mtu;
      const bool hasMtu = registry.valueExists("IPMTU");
      if (hasMtu) {
        try {
          mtu = registry.readText("IPMTU");
        } catch (const settings::StoreError&) {
          mtu = "0";
        }
      }
      page_.scanned(dialUp, hasMtu ? &mtu : nullptr);
    }
    if (!v.anyFound) {
      page_.ComboBox2.setItem(0, kNoConnection);
      page_.ComboBox2.setItemIndex(0);
      page_.InternetDisable();
    }
  }

  void write(settings::Stores& stores) override {
    const InternetValues& v = page_.values_;
    if (!v.anyFound) return;
    // Like the scan from index 0, but on past index 6 for as long as consecutive entries exist.
    for (int index = 0;; ++index) {
      settings::RegistryStore registry = stores.registry();
      registry.setRoot(settings::kHkeyLocalMachine);
      const std::string key = adapterKey(index);
      if (!registry.keyExists(key)) {
        if (index > 5) break;
        continue;
      }
      registry.openKey(key, true);
      const std::string& mtu =
          registry.readText("DriverDesc") == kDialUpAdapter ? v.dialUpMtu.value : v.lanMtu.value;
      if (registry.valueExists("IPMTU") || !mtu.empty()) registry.writeText("IPMTU", mtu);
    }
  }

 private:
  Internet1Page& page_;
};

Internet1Page::Internet1Page(app::MainWindow& window, InternetValues& values, HelpWindow& help)
    : window_(window),
      form_(window.form()),
      values_(values),
      help_(help),
      TabSheet5(form_.get<ui::TabSheet>("TabSheet5")),
      Label48(form_.add<ui::Label>("Label48", &TabSheet5, {16, 48, 150, 14}, "Your Internet Connection")),
      ComboBox2(form_.add<ui::ComboBox>("ComboBox2", &TabSheet5, {170, 44, 250, 21})),
      GroupBox9(form_.add<ui::GroupBox>("GroupBox9", &TabSheet5, {8, 76, 160, 118}, "Internet Protocol MTU")),
      RadioButton18(form_.add<ui::RadioButton>("RadioButton18", &GroupBox9, radioAt(20), "0 (Default)")),
      RadioButton5(form_.add<ui::RadioButton>("RadioButton5", &GroupBox9, radioAt(42), "576")),
      RadioButton7(form_.add<ui::RadioButton>("RadioButton7", &GroupBox9, radioAt(64), "1500")),
      RadioButton8(form_.add<ui::RadioButton>("RadioButton8", &GroupBox9, radioAt(88, 64), "Custom")),
      Edit3(form_.add<ui::Edit>("Edit3", &GroupBox9, {78, 86, 60, 21})),
      GroupBox10(form_.add<ui::GroupBox>("GroupBox10", &TabSheet5, {176, 76, 170, 162}, "Receive Window")),
      RadioButton9(form_.add<ui::RadioButton>("RadioButton9", &GroupBox10, radioAt(20), "2680")),
      RadioButton10(form_.add<ui::RadioButton>("RadioButton10", &GroupBox10, radioAt(42), "5840")),
      RadioButton11(form_.add<ui::RadioButton>("RadioButton11", &GroupBox10, radioAt(64), "8760")),
      RadioButton12(form_.add<ui::RadioButton>("RadioButton12", &GroupBox10, radioAt(86), "10220")),
      RadioButton13(form_.add<ui::RadioButton>("RadioButton13", &GroupBox10, radioAt(108), "Windows Default")),
      RadioButton14(form_.add<ui::RadioButton>("RadioButton14", &GroupBox10, radioAt(132, 64), "Custom")),
      Edit4(form_.add<ui::Edit>("Edit4", &GroupBox10, {78, 130, 60, 21})),
      GroupBox11(form_.add<ui::GroupBox>("GroupBox11", &TabSheet5, {354, 76, 160, 118}, "Time to Alive")),
      RadioButton15(form_.add<ui::RadioButton>("RadioButton15", &GroupBox11, radioAt(20), "32 (Default)")),
      RadioButton16(form_.add<ui::RadioButton>("RadioButton16", &GroupBox11, radioAt(42), "64")),
      RadioButton17(form_.add<ui::RadioButton>("RadioButton17", &GroupBox11, radioAt(64), "128")),
      RadioButton19(form_.add<ui::RadioButton>("RadioButton19", &GroupBox11, radioAt(88, 64), "Custom")),
      Edit5(form_.add<ui::Edit>("Edit5", &GroupBox11, {78, 86, 60, 21})),
      RxSpeedButton8(form_.add<ui::Button>("RxSpeedButton8", &TabSheet5, {354, 204, 160, 23}, "Windows Default")),
      RxSpeedButton9(form_.add<ui::Button>("RxSpeedButton9", &TabSheet5, {354, 232, 160, 23}, "Automatic")),
      RxSpeedButton10(form_.add<ui::Button>("RxSpeedButton10", &TabSheet5, {354, 260, 160, 23}, "Help")),
      Memo4(form_.get<ui::Memo>("Memo4")) {
  ComboBox2.setItems({"none", "none", ""});
  for (ui::Edit* edit : {&Edit3, &Edit4, &Edit5}) edit->maxLength = 5;

  // No option of this page has a help text: the MTU frame clears the pane like the page does.
  GroupBox9.onMouseMove = [this] { window_.clearHelp(Memo4); };

  ComboBox2.onChange = [this] { ComboBox2Change(); };
  Edit3.onChange = [this] { Edit3Change(); };
  Edit4.onChange = [this] { Edit4Change(); };
  Edit5.onChange = [this] { Edit5Change(); };

  const std::pair<ui::RadioButton*, const char*> mtus[] = {
      {&RadioButton18, "0"}, {&RadioButton5, "576"}, {&RadioButton7, "1500"}};
  for (const auto& [button, value] : mtus) {
    button->onClick = [this, value] {
      if (auto* mtu = selectedMtu()) mtu->value = value;
      Edit3.enabled = false;
    };
  }
  RadioButton8.onClick = [this] { RadioButton8Click(); };
  const std::pair<ui::RadioButton*, const char*> windows[] = {
      {&RadioButton9, "2680"},   {&RadioButton10, "5840"}, {&RadioButton11, "8760"},
      {&RadioButton12, "10220"}, {&RadioButton13, "8192"}};
  for (const auto& [button, value] : windows) {
    button->onClick = [this, value] {
      values_.receiveWindow.value = value;
      Edit4.enabled = false;
    };
  }
  RadioButton14.onClick = [this] { RadioButton14Click(); };
  const std::pair<ui::RadioButton*, const char*> lives[] = {
      {&RadioButton15, "32"}, {&RadioButton16, "64"}, {&RadioButton17, "128"}};
  for (const auto& [button, value] : lives) {
    button->onClick = [this, value] {
      values_.timeToLive.value = value;
      Edit5.enabled = false;
    };
  }
  RadioButton19.onClick = [this] { RadioButton19Click(); };
  RxSpeedButton8.onClick = [this] { RxSpeedButton8Click(); };
  RxSpeedButton9.onClick = [this] { RxSpeedButton9Click(); };
  RxSpeedButton10.onClick = [this] { RxSpeedButton10Click(); };

  auto stackValue = [this](const char* name, const char* fallback, settings::PendingText& pending) {
    return std::make_unique<TextSettingRow>(TextSettingDefinition{
        .key = kMstcp,
        .name = name,
        .fallback = fallback,
        .pending = &pending,
        .open = TextSettingDefinition::Open::WithoutCreate,
        .when = TextSettingDefinition::When::ExistsOrNotEmpty,
        .writes = [this] { return values_.anyFound; },
    });
  };
  rows_.push_back(std::make_unique<AdapterRow>(*this));
  named_.push_back({"ComboBox2", rows_.back().get()});
  rows_.push_back(stackValue("DefaultRcvWindow", "8192", values_.receiveWindow));
  named_.push_back({"Edit4", rows_.back().get()});
  rows_.push_back(stackValue("DefaultTTL", "32", values_.timeToLive));
  named_.push_back({"Edit5", rows_.back().get()});
}

std::vector<app::NamedRow> Internet1Page::rows() { return named_; }

void Internet1Page::scanned(bool dialUp, const std::string* mtu) {
  InternetValues& v = values_;
  if (dialUp) {
    v.dialUpFound = v.anyFound = true;
    ComboBox2.setItem(0, kPhoneLineConnection);
    if (v.lanFound) ComboBox2.setItem(1, kLanConnection);
    if (mtu) v.dialUpMtu.value = v.dialUpMtu.asLoaded = *mtu;
  } else {
    v.lanFound = v.anyFound = true;
    if (v.dialUpFound) {
      ComboBox2.setItem(0, kPhoneLineConnection);
      ComboBox2.setItem(1, kLanConnection);
    } else {
      ComboBox2.setItem(0, kLanConnection);
    }
    if (mtu) v.lanMtu.value = v.lanMtu.asLoaded = *mtu;
  }
}

void Internet1Page::afterFirstRead() {
  ComboBox2.setItemIndex(0);
  IsiDataInternet();
}

settings::PendingText* Internet1Page::selectedMtu() {
  const InternetValues& v = values_;
  if (v.dialUpFound && v.lanFound) {
    if (ComboBox2.itemIndex() == 0) return &values_.dialUpMtu;
    if (ComboBox2.itemIndex() == 1) return &values_.lanMtu;
    return nullptr;
  }
  if (v.dialUpFound) return &values_.dialUpMtu;
  if (v.lanFound) return &values_.lanMtu;
  return nullptr;
}

void Internet1Page::select(const std::vector<Choice>& choices, ui::RadioButton& custom, ui::Edit& field,
                           const std::string& value) {
  for (const Choice& choice : choices) {
    if (value == choice.value) {
      choice.button->setChecked(true);
      return;
    }
  }
  custom.setChecked(true);
  values_.enable(field);
  field.setText(value);
}

void Internet1Page::showMtu(const std::string& mtu) {
  select({{&RadioButton18, "0"}, {&RadioButton5, "576"}, {&RadioButton7, "1500"}}, RadioButton8, Edit3, mtu);
}

void Internet1Page::IsiDataInternet() {
  const InternetValues& v = values_;
  if (v.dialUpFound) showMtu(v.dialUpMtu.value);
  else if (v.lanFound) showMtu(v.lanMtu.value);
  select({{&RadioButton9, "2680"}, {&RadioButton10, "5840"}, {&RadioButton11, "8760"}, {&RadioButton12, "10220"},
          {&RadioButton13, "8192"}},
         RadioButton14, Edit4, v.receiveWindow.value);
  select({{&RadioButton15, "32"}, {&RadioButton16, "64"}, {&RadioButton17, "128"}}, RadioButton19, Edit5,
         v.timeToLive.value);
}

void Internet1Page::ComboBox2Change() {
  // Copied: showing it runs the handlers, which may change the pending value it came from.
  std::string source;
  if (ComboBox2.itemIndex() == 1) source = values_.lanMtu.value;
  else if (ComboBox2.itemIndex() == 0) source = values_.dialUpFound ? values_.dialUpMtu.value : values_.lanMtu.value;
  else return;
  showMtu(source);
}

void Internet1Page::InternetDisable() {
  values_.editorsDisabled = true;
  for (const char* name : kInternetEditors) form_.get<ui::Control>(name).enabled = false;
}

void Internet1Page::RadioButton8Click() {
  values_.enable(Edit3);
  if (auto* mtu = selectedMtu()) Edit3.setText(mtu->value);
}

void Internet1Page::RadioButton14Click() {
  values_.enable(Edit4);
  Edit4.setText(values_.receiveWindow.value);
}

void Internet1Page::RadioButton19Click() {
  values_.enable(Edit5);
  Edit5.setText(values_.timeToLive.value);
}

void Internet1Page::RxSpeedButton8Click() {
  values_.dialUpMtu.value = values_.lanMtu.value = "0";
  values_.receiveWindow.value = "8192";
  values_.timeToLive.value = "32";
  RadioButton18.setChecked(true);
  RadioButton13.setChecked(true);
  RadioButton15.setChecked(true);
}

void Internet1Page::RxSpeedButton9Click() {
  InternetValues& v = values_;
  if (v.dialUpFound && v.lanFound) {
    v.dialUpMtu.value = "576";
    v.lanMtu.value = "1500";
    v.receiveWindow.value = "5840";
    v.timeToLive.value = "128";
    if (ComboBox2.itemIndex() == 0) RadioButton5.setChecked(true);
    if (ComboBox2.itemIndex() == 1) RadioButton7.setChecked(true);
    RadioButton10.setChecked(true);
  } else if (v.dialUpFound) {
    v.dialUpMtu.value = "576";
    v.receiveWindow.value = "2680";
    v.timeToLive.value = "128";
    RadioButton5.setChecked(true);
    RadioButton9.setChecked(true);
  } else if (v.lanFound) {
    v.lanMtu.value = "1500";
    v.receiveWindow.value = "8760";
    v.timeToLive.value = "128";
    RadioButton7.setChecked(true);
    RadioButton11.setChecked(true);
  } else {
    return;
  }
  RadioButton17.setChecked(true);
}

void Internet1Page::restoreDefaults() {
  // The same values and buttons as "Windows Default", in the same order.
  RxSpeedButton8Click();
}

}  // namespace varnex::pages
