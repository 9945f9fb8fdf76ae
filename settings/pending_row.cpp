#include "settings/pending_row.h"

#include "base/error.h"

#include "settings/store_error.h"

namespace varnex::settings {

namespace {

const std::string& fileOf(StoreKind store) { return store == StoreKind::MsdosSys ? kMsdosSys : kSystemIni; }

void load(const PendingField& field, const Value& value) {
  if (auto* text = std::get_if<PendingText*>(&field.into)) {
    (*text)->value = (*text)->asLoaded = std::get<std::string>(value);
  } else {
    auto* number = std::get<PendingNumber*>(field.into);
    number->value = number->asLoaded = static_cast<std::int32_t>(std::get<std::uint32_t>(value));
  }
}

}  // namespace

void PendingRow::read(Stores& stores) {
  const Location& at = def_.at;
  if (at.store == StoreKind::MsdosSys || at.store == StoreKind::SystemIni) {
    for (const PendingField& field : def_.fields) {
      Value value = field.fallback;
      try {
        value = stores.profile(fileOf(at.store)).readText(at.section, field.name, std::get<std::string>(field.fallback));
      } catch (const StoreError&) {
      }
      load(field, value);
    }
  } else if (at.store == StoreKind::Registry) {
    RegistryStore registry = stores.registry();
    registry.setRoot(at.root);
    registry.openKey(at.key, false);  // a missing key reads as absent values
    for (const PendingField& field : def_.fields) {
      Value value = field.fallback;
      try {
        if (std::holds_alternative<PendingText*>(field.into))
          value = registry.readText(field.name);
        else
          value = registry.readInteger(field.name);
      } catch (const StoreError&) {
      }
      load(field, value);
    }
  } else {
    throw LogicError("pending values live in profile files and the registry");
  }
  if (def_.loaded) def_.loaded();
}

void PendingRow::write(Stores& stores) {
  if (def_.writes && !def_.writes()) return;
  const Location& at = def_.at;
  if (at.store == StoreKind::MsdosSys || at.store == StoreKind::SystemIni) {
    ProfileStore profile = stores.profile(fileOf(at.store));
    for (const PendingField& field : def_.fields)
      profile.writeText(at.section, field.name, std::get<PendingText*>(field.into)->value);
    return;
  }
  RegistryStore registry = stores.registry();
  registry.setRoot(at.root);
  registry.openKey(at.key, true);
  for (const PendingField& field : def_.fields) {
    if (auto* text = std::get_if<PendingText*>(&field.into))
      registry.writeText(field.name, (*text)->value);
    else
      registry.writeInteger(field.name, static_cast<std::uint32_t>(std::get<PendingNumber*>(field.into)->value));
  }
}

}  // namespace varnex::settings
