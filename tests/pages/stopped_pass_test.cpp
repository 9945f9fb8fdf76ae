// A write pass stopped at any moment, as by a crash or a power cut: "Apply" with every option
// turned, over the sample machine, stopped after its N-th platform call for every N. When the
// program starts again, undoing the newest backup gives back the whole machine (registry,
// profile files, files, shortcuts, attributes), compared as a whole. Profile files compare entry
// for entry: one the pass deleted comes back at the end of its section.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "pages/catalogue.h"
#include "settings/backup/backups.h"
#include "settings/backup/undo.h"
#include "settings/memory/memory_backup_platform.h"
#include "settings/memory/memory_machine.h"
#include "tests/pages/backed_up_machine.h"
#include "tests/support/fake_platform.h"
#include "tests/support/machine_dump.h"
#include "tests/support/sample_machine.h"
#include "tests/support/stopping_apis.h"

namespace varnex::pages {
namespace {

const std::string kProgram = settings::kSampleProgramFolder;

std::string dumpMachine(settings::MemoryMachine& machine) {
  return varnex::testing::dumpRegistry(machine.registry) +
         varnex::testing::dumpFilesByEntry(machine.files, {settings::kMsdosSys, machine.profiles.resolve(settings::kSystemIni)},
                                           kBackupRoot);
}

// The program started again: the newest backup undone, as its window does it.
void undoNewestBackup(settings::MemoryMachine& machine, settings::MemoryBackupPlatform& disk, std::size_t n) {
  const std::vector<settings::BackupSummary> list = settings::listBackups(kProgram, disk);
  if (list.empty()) return;
  ASSERT_EQ(list.front().problem, std::nullopt) << "stopped after call " << n;
  settings::Backups restarted(machine.apis(), disk);
  restarted.begin(kProgram);
  const settings::UndoResult result = settings::undoBackups(restarted, kProgram, list.front().name);
  restarted.end();
  ASSERT_EQ(result.error, std::nullopt) << "stopped after call " << n;
}

struct StoppedPass : ::testing::Test {
  StoppedPass() {
    settings::loadSampleMachine(machine);
    window.setBackups(&backups);
    window.FormCreate(app::Records{});
  }

  // Every option of the pages turned with the mouse, the shortcuts of the "Varnex" page among them.
  void turnEveryOption() {
    pressEveryOption(window, {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet9", "TabSheet5", "TabSheet11", "TabSheet6"});
  }

  // The write pass stopped after its first call, its second, and so on until it runs to its end;
  // after each, the newest backup undone and the machine compared with before.
  void stopEverywhere() {
    const std::string before = dumpMachine(machine);
    for (std::size_t n = 0;; ++n) {
      stopping.stopAfter(n);
      window.TulisData();  // the form stays as turned: after a stop no read pass follows
      const bool finished = !stopping.stopped();
      stopping.runUnlimited();
      if (finished) {
        ASSERT_NE(dumpMachine(machine), before) << "the pass changes the machine";
      }
      undoNewestBackup(machine, disk, n);
      if (HasFatalFailure()) return;
      const std::string after = dumpMachine(machine);
      ASSERT_TRUE(after == before) << "stopped after call " << n << ":\n" << varnex::testing::differences(before, after);
      settings::removeFolderTree(kBackupRoot, machine.files, disk);
      platform.clearCalls();
      if (finished) return;
    }
  }

  settings::MemoryMachine machine;
  settings::MemoryBackupPlatform disk{machine.files};
  varnex::testing::StoppingApis stopping{machine.apis(), disk};
  settings::Backups backups{stopping.apis(), stopping.platform()};
  varnex::testing::FakePlatform platform{machine.files};
  app::MainWindow window{platform, backups.apis()};
  std::unique_ptr<Catalogue> catalogue = buildCatalogue(window);
};

// Values and keys made, profile entries added, folders and shortcuts made, a shortcut replaced.
TEST_F(StoppedPass, EveryOptionTurned) {
  turnEveryOption();
  stopEverywhere();
}

// From the machine with every option turned: keys, values and entries deleted, shortcuts deleted,
// folders removed.
TEST_F(StoppedPass, EveryOptionTurnedBack) {
  turnEveryOption();
  window.Button5Click();
  ASSERT_EQ(platform.count("messageBox"), 0u) << platform.calls()[0];
  settings::removeFolderTree(kBackupRoot, machine.files, disk);
  turnEveryOption();
  stopEverywhere();
}

}  // namespace
}  // namespace varnex::pages
