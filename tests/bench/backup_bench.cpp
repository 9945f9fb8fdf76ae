// The write pass over the real Windows stores with and without its backup, every pass changing
// many settings (each option of the setting pages toggled before it). Prints numbers; asserts
// nothing. Usage: backup_bench [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "pages/catalogue.h"
#include "settings/backup/backups.h"
#include "settings/win32/win32_backend.h"
#include "tests/bench/bench_support.h"
#include "settings/win32/win32_backup_platform.h"
#include "varnex/win32/win32_platform.h"

namespace {

using varnex::bench::now;

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void toggleEveryOption(varnex::app::MainWindow& window) {
  for (varnex::ui::Control* control : window.form().controls()) {
    auto* box = dynamic_cast<varnex::ui::CheckBox*>(control);
    if (!box || box->name() == "CheckBox48" || box->name() == "CheckBox64") continue;
    box->setChecked(!box->checked());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::string folder = "C:\\Varnex Backup Bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  SetCurrentDirectoryA(folder.c_str());

  varnex::settings::Win32Backend backend;
  varnex::settings::Win32BackupPlatform backupFiles;
  varnex::settings::Backups backups(backend.apis(), backupFiles);
  varnex::ui::win32::Win32Platform platform;
  varnex::app::MainWindow plain(platform, backend.apis());
  auto plainPages = varnex::pages::buildCatalogue(plain);
  varnex::app::MainWindow backedUp(platform, backups.apis());
  backedUp.setBackups(&backups);
  auto backedUpPages = varnex::pages::buildCatalogue(backedUp);

  std::vector<double> without, with;
  // Each pass starts from the stores as they are, so that both change the same settings.
  for (int i = 0; i < runs; ++i) {
    plain.BacaData();
    toggleEveryOption(plain);
    double t = now();
    plain.TulisData();
    without.push_back(now() - t);
    backedUp.BacaData();
    toggleEveryOption(backedUp);
    t = now();
    backedUp.TulisData();
    with.push_back(now() - t);
  }
  const double a = median(without), b = median(with);
  const double bestA = *std::min_element(without.begin(), without.end());
  const double bestB = *std::min_element(with.begin(), with.end());
  std::printf("%-40s %10s %10s\n", "under Wine, milliseconds", "median", "best");
  std::printf("%-40s %10.2f %10.2f\n", "write pass (TulisData), no backup", a, bestA);
  std::printf("%-40s %10.2f %10.2f\n", "write pass (TulisData), with backup", b, bestB);
  std::printf("backup adds %.1f%% (median), %.1f%% (best); %d runs each, alternating, every option\n"
              "toggled before each pass\n",
              (b - a) * 100.0 / a, (bestB - bestA) * 100.0 / bestA, runs);
  return 0;
}
