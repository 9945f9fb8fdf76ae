#include "pages/windows_default.h"

#include <functional>
#include <string>
#include <variant>

#include "app/backup_pass.h"
#include "settings/profile_store.h"
#include "settings/registry_store.h"
#include "settings/store_error.h"

namespace varnex::pages {

namespace {

// A setting written at once, through a store object of its own; registry keys are created.
struct DirectWrite {
  enum class Action { WriteText, WriteInteger, DeleteEntry };
  settings::Location at;
  Action action;
  settings::Value value;
};

using A = DirectWrite::Action;
using settings::kHkeyCurrentUser;
using settings::kHkeyLocalMachine;
const char kCdfs[] = "System\\CurrentControlSet\\Control\\FileSystem\\CDFS";

const DirectWrite W1{settings::msdosSys("BootMenuDelay"), A::WriteText, std::string("30")};
const DirectWrite W2{settings::registryValue(kHkeyCurrentUser, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon BPP"),
                     A::WriteText, std::string("16")};
const DirectWrite W3{
    settings::registryValue(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer", "Max Cached Icons"),
    A::WriteText, std::string("512")};
const DirectWrite W4{settings::registryValue(kHkeyLocalMachine, kCdfs, "CacheSize"), A::WriteInteger, 620u};
const DirectWrite W5{settings::registryValue(kHkeyLocalMachine, kCdfs, "PreFetch"), A::WriteInteger, 228u};
const DirectWrite W6{settings::registryValue(kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay"), A::WriteText,
                     std::string("400")};
const DirectWrite W7{
    settings::registryValue(kHkeyCurrentUser, "Software\\Microsoft\\Internet Explorer\\Toolbar", "BackBitmapShell"),
    A::WriteText, std::string()};
const DirectWrite W8{settings::systemIni("vcache", "MinFileCache"), A::DeleteEntry, {}};
const DirectWrite W9{settings::systemIni("vcache", "MaxFileCache"), A::DeleteEntry, {}};
const DirectWrite W10{settings::systemIni("vcache", "CHUNKSIZE"), A::DeleteEntry, {}};
// W11 writes the keep-alive time the Internet #2 defaults have just set.
DirectWrite W11(const InternetValues& internet) {
  return {settings::registryValue(kHkeyLocalMachine, kMstcp, "SessionKeepAlive"), A::WriteText,
          internet.keepAlive.value};
}

void write(settings::Stores& stores, const DirectWrite& w) {
  if (w.at.store == settings::StoreKind::Registry) {
    settings::RegistryStore registry = stores.registry();
    registry.setRoot(w.at.root);
    registry.openKey(w.at.key, true);
    if (w.action == A::WriteInteger)
      registry.writeInteger(w.at.name, std::get<std::uint32_t>(w.value));
    else
      registry.writeText(w.at.name, std::get<std::string>(w.value));
    return;
  }
  settings::ProfileStore profile =
      stores.profile(w.at.store == settings::StoreKind::MsdosSys ? settings::kMsdosSys : settings::kSystemIni);
  if (w.action == A::DeleteEntry)
    profile.deleteEntry(w.at.section, w.at.name);
  else
    profile.writeText(w.at.section, w.at.name, std::get<std::string>(w.value));
}

}  // namespace

void backToWindowsDefault(app::MainWindow& window, const DefaultTargets& t) {
  app::BackupPass backup(window);  // one backup for the direct writes and the "Apply" inside
  settings::Stores& stores = window.stores();
  auto direct = [&stores](std::initializer_list<DirectWrite> writes) {
    for (const DirectWrite& w : writes) write(stores, w);
  };
  const std::function<void()> steps[] = {
      /*  1 */ [&] { t.program.releaseBackToWindowsDefault(); },
      /*  2 */ [&] { t.boot.restoreDefaults(); },
      /*  3 */ [&] { direct({W1}); },
      /*  4 */ [&] { t.system.restoreDefaults(); },
      /*  5 */ [&] { direct({W2, W3, W4, W5}); },
      /*  6 */ [&] { t.windows.restoreDefaults(); },
      /*  7 */ [&] { direct({W6, W7}); },  // the Start Menu's menu delay, the Windows toolbar bitmap
      /*  8 */ [&] { t.startMenu.restoreDefaults(); },
      /*  9 */ [&] { t.fileCache.restoreDefaults(); },
      /* 10 */ [&] { t.diskCache.restoreDefaults(); },
      /* 11 */ [&] { direct({W8, W9, W10}); },
      /* 12 */ [&] { t.internet1.restoreDefaults(); },
      /* 13 */ [&] { t.internet2.restoreDefaults(); },
      /* 14 */ [&] { direct({W11(t.internet)}); },
      /* 15 */ [&] { t.program.restoreDefaults(); },
      /* 16 */ [&] { window.Button5Click(); },
  };
  try {
    for (const auto& step : steps) step();
  } catch (const settings::StoreError& e) {
    window.reportError(e.what());
  }
}

}  // namespace varnex::pages
