#pragma once
// The sample machine with a journal in front of its stores and the whole catalogue on it, as
// varnex.exe starts it; and options pressed as a user presses them.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "pages/catalogue.h"
#include "settings/backup/backups.h"
#include "settings/memory/memory_backup_platform.h"
#include "settings/memory/memory_machine.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sample_machine.h"

namespace varnex::pages {

// The pages of settings, in tab order.
inline constexpr std::initializer_list<const char*> kSettingPages = {"TabSheet1", "TabSheet2", "TabSheet3",
                                                                      "TabSheet9", "TabSheet5", "TabSheet11"};

// Every option on these pages pressed once with the left button, as a user would; "Back to
// Windows Default", which asks first, is left alone.
inline void pressEveryOption(app::MainWindow& window, std::initializer_list<const char*> sheets) {
  for (const char* sheet : sheets) {
    auto& tab = window.form().get<ui::TabSheet>(sheet);
    window.form().get<ui::PageControl>("PageControl1").setActivePage(tab);
    for (ui::Control* control : window.form().controls()) {
      auto* box = dynamic_cast<ui::CheckBox*>(control);
      bool onSheet = false;
      for (ui::Control* p = control->parent(); p; p = p->parent()) onSheet = onSheet || p == &tab;
      if (!box || !onSheet || box->name() == "CheckBox64") continue;
      box->mouseDown(ui::MouseButton::Left);
      box->click();
    }
  }
}

inline const std::string kBackupRoot = settings::kSampleProgramFolder + "\\Backup";

struct BackedUpMachine {
  BackedUpMachine() {
    settings::loadSampleMachine(machine);
    window.setBackups(&backups);
    window.FormCreate(app::Records{});
    platform.clearCalls();
  }

  settings::MemoryMachine machine;
  varnex::testing::FakePlatform platform{machine.files};
  settings::MemoryBackupPlatform backupFiles{machine.files};
  settings::Backups backups{machine.apis(), backupFiles};
  app::MainWindow window{platform, backups.apis()};
  std::unique_ptr<Catalogue> catalogue = buildCatalogue(window);

  std::vector<std::string> backupFolders() {
    std::vector<std::string> names;
    for (const settings::FolderEntry& entry : backupFiles.listFolder(kBackupRoot)) names.push_back(entry.name);
    return names;
  }
  std::string backupFile(const std::string& name) {
    const std::vector<std::string> folders = backupFolders();
    if (folders.empty()) return "<no backup>";
    return machine.files.readFile(kBackupRoot + "\\" + folders.back() + "\\" + name).value_or("<no " + name + ">");
  }
  std::string profileFile(const std::string& name) {
    return machine.files.readFile(machine.profiles.resolve(name)).value_or("<missing>");
  }
  void pressEveryOption(std::initializer_list<const char*> sheets = kSettingPages) {
    pages::pressEveryOption(window, sheets);
  }
};

}  // namespace varnex::pages
