#include "pages/internet_values.h"

#include "settings/store_error.h"

namespace varnex::pages {

std::string adapterKey(int index) {
  return "System\\CurrentControlSet\\Services\\Class\\Net\\000" + std::to_string(index);
}

void applyEditRule(ui::Edit& edit, settings::PendingText& pending) {
  if (!edit.text().empty() && !ui::integerOf(edit.text())) {
    edit.setText(pending.value);  // runs this rule again on the pending value, which stands
    edit.caret = 5;
  }
  pending.value = edit.text();
}

void TextSettingRow::read(settings::Stores& stores) {
  settings::RegistryStore registry = stores.registry();
  registry.setRoot(settings::kHkeyLocalMachine);
  registry.openKey(def_.key, false);
  std::string value;
  try {
    value = registry.readText(def_.name);
  } catch (const settings::StoreError&) {
    value = def_.fallback;
  }
  def_.pending->value = def_.pending->asLoaded = value;
  if (def_.loaded) def_.loaded();
}

void TextSettingRow::write(settings::Stores& stores) {
  if (def_.writes && !def_.writes()) return;
  settings::RegistryStore registry = stores.registry();
  registry.setRoot(settings::kHkeyLocalMachine);
  registry.openKey(def_.key, def_.open == TextSettingDefinition::Open::WithCreate);
  // Without an open key the value does not exist, and a write fails in the store.
  if (def_.when == TextSettingDefinition::When::ExistsOrNotEmpty && def_.pending->value.empty() &&
      !registry.valueExists(def_.name))
    return;
  registry.writeText(def_.name, def_.pending->value);
}

}  // namespace varnex::pages
