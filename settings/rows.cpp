#include "settings/rows.h"

#include "base/error.h"

#include "settings/store_error.h"

namespace varnex::settings {

Location msdosSys(const std::string& entry) {
  return Location{StoreKind::MsdosSys, "Options", kHkeyCurrentUser, "", entry};
}

Location systemIni(const std::string& section, const std::string& entry) {
  return Location{StoreKind::SystemIni, section, kHkeyCurrentUser, "", entry};
}

Location registryValue(RegHandle root, const std::string& key, const std::string& name) {
  return Location{StoreKind::Registry, "", root, key, name};
}

Location folderBelowWindows(const std::string& tail) {
  Location at{StoreKind::Folder, "", kHkeyCurrentUser, "", tail};
  at.belowWindows = true;
  return at;
}

namespace {

bool acts(const std::vector<WriteAction>& actions) {
  for (const WriteAction& a : actions)
    if (a.kind != WriteAction::Kind::Nothing) return true;
  return false;
}

bool isProfile(StoreKind s) { return s == StoreKind::MsdosSys || s == StoreKind::SystemIni; }
const std::string& profileFile(StoreKind s) { return s == StoreKind::MsdosSys ? kMsdosSys : kSystemIni; }
Value presence(bool present) { return std::uint32_t{present ? 1u : 0u}; }

}  // namespace

CheckRow::CheckRow(CheckRowDefinition definition, Toggle& box) : def_(std::move(definition)), box_(box) {
  if (def_.kind == ValueKind::Text) cell_ = std::string();
  else cell_ = std::uint32_t{0};
}

bool CheckRow::checks(const Value& read) const {
  if (const auto* expected = std::get_if<std::string>(&def_.read.checkedWhen)) {
    const auto* text = std::get_if<std::string>(&read);
    if (!text) return false;
    return def_.read.ignoreCase ? upperCase(*text) == *expected : *text == *expected;
  }
  const auto* number = std::get_if<std::uint32_t>(&read);
  return number && *number == std::get<std::uint32_t>(def_.read.checkedWhen);
}

std::string CheckRow::path(Stores& stores) const {
  return def_.at.belowWindows ? stores.windowsDirectory() + def_.at.name : def_.at.name;
}

Value CheckRow::readValue(Stores& stores) {
  const Location& at = def_.at;
  const ReadRule& rule = def_.read;
  if (isProfile(at.store)) {
    ProfileStore profile = stores.profile(profileFile(at.store));
    if (def_.kind == ValueKind::ValuePresence) return presence(profile.entryExists(at.section, at.name));
    if (rule.ifPresent && !profile.entryExists(at.section, at.name)) return rule.defaultValue;
    return profile.readText(at.section, at.name, std::get<std::string>(rule.defaultValue));
  }
  if (at.store == StoreKind::File) return presence(stores.files().fileExists(path(stores)));
  if (at.store == StoreKind::Folder) return presence(stores.files().folderExists(path(stores)));

  RegistryStore registry = stores.registry();
  registry.setRoot(at.root);
  if (def_.kind == ValueKind::KeyPresence) return presence(registry.keyExists(at.key));
  registry.openKey(at.key, false);
  if (def_.kind == ValueKind::ValuePresence) return presence(registry.valueExists(at.name));
  if (rule.ifPresent && !registry.valueExists(at.name)) return rule.defaultValue;
  switch (def_.kind) {
    case ValueKind::Text:
      return registry.readText(at.name);
    case ValueKind::Integer:
      return registry.readInteger(at.name);
    case ValueKind::Binary: {
      std::uint32_t cell = std::get<std::uint32_t>(cell_);
      registry.readBinary(at.name, cell);
      return cell;
    }
    default:
      throw LogicError("unhandled value kind");
  }
}

void CheckRow::read(Stores& stores) {
  Value value;
  try {
    value = readValue(stores);
  } catch (const StoreError&) {
    if (def_.read.unguarded) throw;
    value = def_.read.defaultValue;
  }
  if (def_.kind == ValueKind::Text || def_.kind == ValueKind::Binary) cell_ = value;
  const bool checked = checks(value);
  if (checked || !def_.read.onlyChecks) box_.setChecked(checked);
}

void CheckRow::writeProfile(Stores& stores, const std::vector<WriteAction>& actions) {
  ProfileStore profile = stores.profile(profileFile(def_.at.store));
  const std::string& section = def_.at.section;
  for (const WriteAction& action : actions) {
    const std::string& entry = action.otherName ? *action.otherName : def_.at.name;
    switch (action.kind) {
      case WriteAction::Kind::WriteIfPresent:
        if (!profile.entryExists(section, entry)) break;
        [[fallthrough]];
      case WriteAction::Kind::Write:
        profile.writeText(section, entry, std::get<std::string>(action.value));
        if (def_.kind == ValueKind::Text) cell_ = action.value;
        break;
      case WriteAction::Kind::DeleteEntry:
        profile.deleteEntry(section, entry);
        break;
      case WriteAction::Kind::Nothing:
        break;
      default:
        throw LogicError("registry action on a profile row " + def_.control);
    }
    if (action.cellAfter) cell_ = *action.cellAfter;
  }
}

void CheckRow::writeRegistry(Stores& stores, const std::vector<WriteAction>& actions) {
  if (!acts(actions)) return;  // a row that writes nothing opens no key either
  RegistryStore registry = stores.registry();
  registry.setRoot(def_.at.root);
  if (!def_.writeOpensOwnKeys) registry.openKey(def_.at.key, !def_.openWithoutCreate);
  for (const WriteAction& action : actions) {
    if (action.openSubKey) registry.openKey(*action.openSubKey, true);
    const std::string& name = action.otherName ? *action.otherName : def_.at.name;
    switch (action.kind) {
      case WriteAction::Kind::WriteIfPresent:
        if (!registry.valueExists(name)) break;
        [[fallthrough]];
      case WriteAction::Kind::Write:
        // A presence row writes whatever kind its action gives: "IsShortcut" is written as a text.
        if (const auto* text = std::get_if<std::string>(&action.value)) {
          registry.writeText(name, *text);
        } else if (def_.kind == ValueKind::Integer) {
          registry.writeInteger(name, std::get<std::uint32_t>(action.value));
        } else {
          registry.writeBinary(name, std::get<std::uint32_t>(action.value));
        }
        if (def_.kind == ValueKind::Text || def_.kind == ValueKind::Binary) cell_ = action.value;
        break;
      case WriteAction::Kind::DeleteValue:
        registry.deleteValue(name);
        break;
      case WriteAction::Kind::DeleteKey:
        registry.deleteKey(action.path);
        break;
      case WriteAction::Kind::Nothing:
        break;
      default:
        throw LogicError("profile action on a registry row " + def_.control);
    }
    if (action.cellAfter) cell_ = *action.cellAfter;
  }
}

void CheckRow::writeFolder(Stores& stores, const std::vector<WriteAction>& actions) {
  FileStore files = stores.files();
  const std::string folder = path(stores);
  for (const WriteAction& action : actions) {
    switch (action.kind) {
      case WriteAction::Kind::MakeFolders:
        if (!files.folderExists(folder)) files.makeFolders(folder);
        break;
      case WriteAction::Kind::RemoveFolder:
        files.removeFolder(folder);  // only an empty folder goes; the next read shows what stayed
        break;
      case WriteAction::Kind::Nothing:
        break;
      default:
        throw LogicError("store action on a folder row " + def_.control);
    }
  }
}

void CheckRow::write(Stores& stores) {
  const std::vector<WriteAction>& actions = box_.checked() ? def_.whenChecked : def_.whenUnchecked;
  if (isProfile(def_.at.store)) {
    writeProfile(stores, actions);
  } else if (def_.at.store == StoreKind::Registry) {
    writeRegistry(stores, actions);
  } else if (def_.at.store == StoreKind::Folder) {
    writeFolder(stores, actions);
  } else if (acts(actions)) {
    throw LogicError("file rows write through their page: " + def_.control);
  }
}

std::optional<std::string> runReadPass(std::span<Row* const> rows, Stores& stores) {
  try {
    for (Row* row : rows) row->read(stores);
  } catch (const StoreError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

std::optional<std::string> runWritePass(std::span<Row* const> rows, Stores& stores) {
  try {
    for (Row* row : rows) row->write(stores);
  } catch (const StoreError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

}  // namespace varnex::settings
