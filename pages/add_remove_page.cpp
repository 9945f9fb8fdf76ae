#include "pages/add_remove_page.h"

#include <algorithm>
#include <cctype>

#include "app/backup_pass.h"
#include "settings/registry_store.h"
#include "settings/store_error.h"

namespace varnex::pages {

namespace {

constexpr ui::Bounds kList{16, 44, 500, 250};

std::string entryKeyOf(const std::string& name) { return kUninstallKey + "\\" + name; }

// A fresh store on HKLM with that key opened without creating it; nothing when it is missing.
std::optional<settings::RegistryStore> openEntry(settings::Stores& stores, const std::string& key) {
  settings::RegistryStore registry = stores.registry();
  registry.setRoot(settings::kHkeyLocalMachine);
  if (!registry.openKey(key, false)) return std::nullopt;
  return registry;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void sortLikeListBox(std::vector<std::string>& texts) {
  std::stable_sort(texts.begin(), texts.end(), lessIgnoringCase);
}

AddRemovePage::AddRemovePage(app::MainWindow& window, CommandEditor& editor)
    : window_(window),
      editor_(editor),
      TabSheet10(window.form().get<ui::TabSheet>("TabSheet10")),
      ListBox1(window.form().add<ui::ListBox>("ListBox1", &TabSheet10, kList)),
      ListBox2(window.form().add<ui::ListBox>("ListBox2", &TabSheet10, kList)),
      Button2(window.form().add<ui::Button>("Button2", &TabSheet10, {16, 302, 75, 25}, "Edit")),
      Button3(window.form().add<ui::Button>("Button3", &TabSheet10, {98, 302, 75, 25}, "Remove")),
      GroupBox15(window.form().add<ui::GroupBox>("GroupBox15", &TabSheet10, {16, 334, 340, 52})),
      // Two lines: the sentence is wider than the frame that must stay left of the command buttons.
      Label43(window.form().add<ui::Label>("Label43", &GroupBox15, {10, 16, 320, 30},
                                           "Removing an entry does not actually uninstal the program.")) {
  ListBox1.visible = false;
  Button2.onClick = [this] { Button2Click(); };
  Button3.onClick = [this] { Button3Click(); };
}

void AddRemovePage::fill() {
  settings::Stores& stores = window_.stores();
  std::vector<std::string> keys;
  if (auto uninstall = openEntry(stores, kUninstallKey)) keys = uninstall->keyNames();
  sortLikeListBox(keys);
  std::vector<std::string> names;
  for (const std::string& key : keys) {
    try {
      auto entry = openEntry(stores, entryKeyOf(key));
      if (entry && entry->valueExists("DisplayName")) names.push_back(entry->readText("DisplayName"));
    } catch (const settings::StoreError&) {
      // An entry that cannot be read is left out; the others are still listed.
    }
  }
  sortLikeListBox(names);
  ListBox1.setItems(std::move(keys));
  ListBox2.setItems(std::move(names));
}

std::optional<std::string> AddRemovePage::matchSelected() {
  const std::vector<std::string>& rows = ListBox2.items();
  if (rows.empty()) return std::nullopt;
  const std::string& selected = rows[ListBox2.itemIndex() < 0 ? 0 : ListBox2.itemIndex()];
  std::optional<std::string> matched;
  for (const std::string& key : ListBox1.items()) {
    try {
      auto entry = openEntry(window_.stores(), entryKeyOf(key));
      // An entry without a name is not listed, so it never stands for a row, not even the
      // empty one.
      if (entry && entry->valueExists("DisplayName") && entry->readText("DisplayName") == selected)
        matched = key;
    } catch (const settings::StoreError&) {
    }
  }
  return matched;
}

void AddRemovePage::Button2Click() {
  const std::optional<std::string> matched = matchSelected();
  if (!matched) return;
  try {
    if (auto entry = openEntry(window_.stores(), entryKeyOf(*matched)))
      editor_.Edit1.setText(entry->readText("UninstallString"));
    else
      editor_.Edit1.setText("");
  } catch (const settings::StoreError&) {
    // A command that is not text leaves the field as it was.
  }
  for (const char* group : {"Page1", "Page2", "Page3", "Page4"}) window_.HidePage(group);
  window_.enabled = false;
  editor_.Edit2.setText(ListBox2.items()[ListBox2.itemIndex() < 0 ? 0 : ListBox2.itemIndex()]);
  editor_.show(entryKeyOf(*matched));
}

void AddRemovePage::Button3Click() {
  if (window_.platform().messageBox(kAreYouSure, app::kConfirmTitle, app::kMbYesNo | app::kMbIconQuestion) !=
      app::kIdYes)
    return;
  if (const std::optional<std::string> matched = matchSelected()) {
    app::BackupPass backup(window_);
    try {
      if (auto uninstall = openEntry(window_.stores(), kUninstallKey))
        if (uninstall->keyExists(*matched)) uninstall->deleteKey(*matched);
    } catch (const settings::StoreError& e) {
      window_.reportError(e.what());  // its backup could not be made: the entry stays
    }
  }
  fill();
}

void AddRemovePage::activated() {
  if (!window_.programsRefreshFlag) return;
  fill();
  window_.programsRefreshFlag = false;
}

}  // namespace varnex::pages
