// Where the start-up of Varnex.exe goes: the steps of its entry, each timed, then the read pass
// alone. Prints milliseconds; asserts nothing. Run it in the program folder of a prepared
// machine (it reads Config.DAT there).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "app/main_window.h"
#include "app/startup.h"
#include "pages/catalogue.h"
#include "ui/pages.h"
#include "settings/backup/backups.h"
#include "settings/win32/win32_backend.h"
#include "settings/win32/win32_backup_platform.h"
#include "varnex/win32/main_window_view.h"
#include "varnex/win32/win32_platform.h"

#include "tests/bench/bench_support.h"

namespace {

using varnex::bench::now;

struct Clock {
  double last = now();
  void step(const char* what) {
    const double t = now();
    std::printf("  %-44s %8.1f\n", what, t - last);
    last = t;
  }
};

}  // namespace

int main() {
  std::printf("start-up steps of Varnex.exe, ms\n");
  Clock clock;
  InitCommonControls();
  clock.step("common controls");
  varnex::settings::Win32Backend backend;
  varnex::settings::Win32BackupPlatform backupFiles;
  varnex::settings::Backups backups(backend.apis(), backupFiles);
  varnex::ui::win32::Win32Platform platform;
  clock.step("component system, backups, platform services");
  auto records = varnex::app::startProgram(platform, backend.apis());
  clock.step("start-up (Config.DAT, instance check)");
  if (!records) return 1;
  varnex::app::MainWindow model(platform, backups.apis());
  model.setBackups(&backups);
  auto catalogue = varnex::pages::buildCatalogue(model);
  clock.step("models of the window and the eleven pages");
  varnex::ui::win32::MainWindowView view(model, *records);
  view.onWindowCreated = [&platform](HWND created) { platform.setMainWindow(created); };
  HWND window = view.create();
  clock.step("main window: controls, pictures, window creation");
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  clock.step("show and first paint");
  const int windows = varnex::bench::windowsOf(GetCurrentThreadId());
  auto secondary = varnex::ui::win32::createSecondaryWindows(catalogue->about, catalogue->help, catalogue->commandEditor, view);
  secondary->addUndoWindow(catalogue->undo);
  clock.step("secondary windows (after the first paint)");
  model.BacaData();
  clock.step("one more read pass (inside window creation above)");
  std::printf("  native windows when shown: %d\n", windows);
  // What the first showing of each other page costs now that its controls wait for it.
  std::printf("first showing of each page, ms\n");
  auto& pages = model.form().get<varnex::ui::PageControl>("PageControl1");
  for (varnex::ui::TabSheet* sheet : pages.pages()) {
    pages.setActivePage(*sheet);
    view.formView()->sync();
    clock.step(sheet->caption.c_str());
  }
  DestroyWindow(window);
  return 0;
}
