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

// The backup's own file work, timed: how long its journal appends (each flushed to the disk
// before the change it guards), its copies and its reads take.
class TimedBackupPlatform : public varnex::settings::BackupPlatform {
 public:
  struct Total {
    int calls = 0;
    double ms = 0;
  };
  Total reads, flushes, writes, appends, listings;
  void reset() { reads = flushes = writes = appends = listings = Total{}; }

  explicit TimedBackupPlatform(varnex::settings::BackupPlatform& inner) : inner_(inner) {}
  template <class Action>
  static auto timed(Total& total, Action action) {
    const double t = now();
    auto result = action();
    total.ms += now() - t;
    ++total.calls;
    return result;
  }
  std::optional<std::string> readFile(const std::string& path) override {
    return timed(reads, [&] { return inner_.readFile(path); });
  }
  void flushProfile(const std::string& path) override {
    timed(flushes, [&] { inner_.flushProfile(path); return 0; });
  }
  bool writeFile(const std::string& path, const std::string& bytes) override {
    return timed(writes, [&] { return inner_.writeFile(path, bytes); });
  }
  bool appendFile(const std::string& path, const std::string& bytes) override {
    return timed(appends, [&] { return inner_.appendFile(path, bytes); });
  }
  std::vector<varnex::settings::FolderEntry> listFolder(const std::string& folder) override {
    return timed(listings, [&] { return inner_.listFolder(folder); });
  }
  varnex::settings::LocalTime localTime() override { return inner_.localTime(); }

 private:
  varnex::settings::BackupPlatform& inner_;
};

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
  varnex::settings::Win32BackupPlatform win32BackupFiles;
  TimedBackupPlatform backupFiles(win32BackupFiles);
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
    // Where the pass without backup spends its time: from each call to the next, so the call
    // and the stores' own work after it.
    std::map<varnex::bench::Op, double> msByOp;
    double msBeforeFirstCall = 0;
    std::map<std::string, std::pair<int, double>> fileWork;  // the backup's own, calls and ms
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
      const double end = now();
      without.push_back(end - t);
      const std::vector<varnex::bench::Call>& calls = plainCalls.calls();
      callsWithout = calls.size();
      msBeforeFirstCall += (calls.empty() ? end : calls.front().at) - t;
      for (std::size_t i = 0; i < calls.size(); ++i)
        msByOp[calls[i].op] += (i + 1 < calls.size() ? calls[i + 1].at : end) - calls[i].at;
      for (const varnex::bench::Call& c : plainCalls.calls()) ++byOp[static_cast<int>(c.op)].first;
    };
    auto timeBackedUp = [&] {
      reset();
      setOptions(backedUp, to);
      backedUpCalls.clear();
      backupFiles.reset();
      // An outer pass around the one "Apply" makes, so that saving is timed apart from recording.
      double t = now();
      backups.begin(folder);
      backedUp.TulisData();
      const double recorded = now();
      const varnex::settings::BackupResult made = backups.end();
      const double saved = now();
      with.push_back(saved - t);
      saving.push_back(saved - recorded);
      for (auto [name, total] : {std::pair{"journal appends", backupFiles.appends},
                                 {"copies and ending files written", backupFiles.writes},
                                 {"files read", backupFiles.reads},
                                 {"profiles flushed", backupFiles.flushes},
                                 {"folders listed", backupFiles.listings}}) {
        fileWork[name].first += total.calls;
        fileWork[name].second += total.ms;
      }
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
    for (const auto& [op, n] : byOp)
      std::printf(" %s %d, %d;", varnex::bench::opName(static_cast<varnex::bench::Op>(op)), n.first / runs,
                  n.second / runs);
    std::printf("\n");
    std::vector<std::pair<double, varnex::bench::Op>> slowest;
    for (const auto& [op, ms] : msByOp) slowest.emplace_back(ms / runs, op);
    std::sort(slowest.rbegin(), slowest.rend());
    std::printf("the backup's own file work, per pass with backup (calls, ms):\n ");
    for (const auto& [name, work] : fileWork)
      std::printf(" %s %d, %.2f;", name.c_str(), work.first / runs, work.second / runs);
    std::printf("\n");
    std::printf("where the pass without backup goes, ms per pass (each call until the next):\n ");
    std::printf(" before its first call %.2f;", msBeforeFirstCall / runs);
    for (std::size_t i = 0; i < slowest.size() && i < 8; ++i)
      std::printf(" %s %.2f;", varnex::bench::opName(slowest[i].second), slowest[i].first);
    std::printf("\n");
  };
  measure(first, toggled, "every option toggled");
  measure(toggled, first, "every option toggled back");
  return 0;
}
