// The write pass over the real Windows stores with and without its backup, every pass changing
// many settings, and the undo of that backup. Prints numbers; asserts nothing.
// Usage: backup_bench [runs]
//
// Both programs write the same form over the same machine: before each timed pass an untimed
// plain pass writes the boxes as first read, then the timed one writes every option toggled, so
// that each timed pass makes the same changes. The undo of the backed-up pass (itself a pass
// with a backup) puts the machine back where the pass found it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "pages/catalogue.h"
#include "settings/backup/backups.h"
#include "settings/backup/undo.h"
#include "settings/win32/win32_backend.h"
#include "settings/win32/win32_backup_platform.h"
#include "tests/bench/bench_support.h"
#include "tests/bench/recorded_calls.h"
#include "varnex/win32/win32_platform.h"

namespace {

using varnex::bench::now;

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

std::vector<varnex::ui::CheckBox*> options(varnex::app::MainWindow& window) {
  std::vector<varnex::ui::CheckBox*> boxes;
  for (varnex::ui::Control* control : window.form().controls()) {
    auto* box = dynamic_cast<varnex::ui::CheckBox*>(control);
    if (box && box->name() != "CheckBox48" && box->name() != "CheckBox64") boxes.push_back(box);
  }
  return boxes;
}

void setOptions(varnex::app::MainWindow& window, const std::vector<bool>& checked) {
  std::vector<varnex::ui::CheckBox*> boxes = options(window);
  for (std::size_t i = 0; i < boxes.size() && i < checked.size(); ++i) boxes[i]->setChecked(checked[i]);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::string folder = "C:\\Varnex Backup Bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  SetCurrentDirectoryA(folder.c_str());

  varnex::settings::Win32Backend backend;
  varnex::bench::Recording plainCalls(backend.apis()), backedUpCalls(backend.apis());
  varnex::settings::Win32BackupPlatform backupFiles;
  varnex::settings::Backups backups(backedUpCalls.apis(), backupFiles);
  varnex::ui::win32::Win32Platform platform;
  varnex::app::MainWindow plain(platform, plainCalls.apis());
  auto plainPages = varnex::pages::buildCatalogue(plain);
  varnex::app::MainWindow backedUp(platform, backups.apis());
  backedUp.setBackups(&backups);
  auto backedUpPages = varnex::pages::buildCatalogue(backedUp);

  plain.BacaData();
  backedUp.BacaData();
  std::vector<bool> first, toggled;
  for (varnex::ui::CheckBox* box : options(plain)) {
    first.push_back(box->checked());
    toggled.push_back(!box->checked());
  }

  std::printf("%-44s %10s %10s\n", "under Wine, milliseconds", "median", "best");
  // Both ways: every option toggled from how the machine was, and toggled back.
  auto measure = [&](const std::vector<bool>& from, const std::vector<bool>& to, const char* label) {
    std::vector<double> without, with, saving, undoing;
    std::size_t callsWithout = 0, callsWith = 0;
    std::map<int, std::pair<int, int>> byOp;
    auto reset = [&] {
      setOptions(plain, from);
      plain.TulisData();
    };
    auto timePlain = [&] {
      reset();
      setOptions(plain, to);
      plainCalls.clear();
      double t = now();
      plain.TulisData();
      without.push_back(now() - t);
      callsWithout = plainCalls.calls().size();
      for (const varnex::bench::Call& c : plainCalls.calls()) ++byOp[static_cast<int>(c.op)].first;
    };
    auto timeBackedUp = [&] {
      reset();
      setOptions(backedUp, to);
      backedUpCalls.clear();
      // An outer pass around the one "Apply" makes, so that saving is timed apart from recording.
      double t = now();
      backups.begin(folder);
      backedUp.TulisData();
      const double recorded = now();
      const varnex::settings::BackupResult made = backups.end();
      const double saved = now();
      with.push_back(saved - t);
      saving.push_back(saved - recorded);
      callsWith = backedUpCalls.calls().size();
      for (const varnex::bench::Call& c : backedUpCalls.calls()) ++byOp[static_cast<int>(c.op)].second;
      // The undo of that backup, as "Undo" runs it: read and checked, then applied with a
      // backup of its own.
      const std::string name = made.folder.substr(made.folder.find_last_of('\\') + 1);
      t = now();
      backups.begin(folder);
      const varnex::settings::UndoResult undone = varnex::settings::undoBackups(backups, folder, name);
      backups.end();
      undoing.push_back(now() - t);
      if (undone.error) std::printf("the undo failed: %s\n", undone.error->c_str());
    };
    for (int i = 0; i < runs; ++i) {
      if (i % 2 == 0) {
        timePlain();
        timeBackedUp();
      } else {
        timeBackedUp();
        timePlain();
      }
    }
    setOptions(plain, first);
    plain.TulisData();

    const double a = median(without), b = median(with);
    std::printf("%s:\n", label);
    std::printf("%-44s %10.2f %10.2f\n", "write pass (TulisData), no backup", a, best(without));
    std::printf("%-44s %10.2f %10.2f\n", "write pass (TulisData), with backup", b, best(with));
    std::printf("%-44s %10.2f %10.2f\n", "  of which ending it (Restore.reg, Changes.txt)", median(saving),
                best(saving));
    std::printf("%-44s %10.2f %10.2f\n", "undo of that backup, with its own backup", median(undoing), best(undoing));
    std::printf("backup adds %.2f ms, %.1f%% (median), %.1f%% (best); %d runs each, each program in turn first\n",
                b - a, (b - a) * 100.0 / a, (best(with) - best(without)) * 100.0 / best(without), runs);
    std::printf("the write pass with its backup is to stay under 50 ms on the sample machine: %.2f ms (median)\n", b);
    std::printf("platform calls of one pass: %zu without, %zu with backup; by operation (without, with):\n ",
                callsWithout, callsWith);
    for (const auto& [op, n] : byOp) std::printf(" %d: %d, %d;", op, n.first / runs, n.second / runs);
    std::printf("\n");
  };
  measure(first, toggled, "every option toggled");
  measure(toggled, first, "every option toggled back");
  return 0;
}
