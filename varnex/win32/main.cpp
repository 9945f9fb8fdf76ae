// varnex.exe: start-up, the main window and the message loop; or, given /save or /apply and a
// profile, the same program with no window (pages/unattended.h).
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "pages/catalogue.h"
#include "pages/unattended.h"
#include "settings/backup/backups.h"
#include "settings/win32/win32_backend.h"
#include "settings/win32/win32_backup_platform.h"
#include "varnex/win32/main_window_view.h"
#include "varnex/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const varnex::app::Command command = varnex::app::parseCommandLine(commandLine ? commandLine : "");
  const bool unattended = command.kind != varnex::app::Command::Kind::Window;
  // With nobody at the machine, a drive that is not ready fails instead of asking in a box.
  if (unattended) SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  else InitCommonControls();
  varnex::settings::Win32Backend backend;
  varnex::settings::Win32BackupPlatform backupFiles;
  varnex::settings::Backups backups(backend.apis(), backupFiles);
  varnex::ui::win32::Win32Platform platform;
  if (unattended) return varnex::pages::runUnattended(command, platform, backups.apis(), &backups);
  std::optional<varnex::app::Records> records = varnex::app::startProgram(platform, backend.apis());
  if (!records) return 0;

  varnex::app::MainWindow model(platform, backups.apis());
  model.setBackups(&backups);
  std::unique_ptr<varnex::pages::Catalogue> catalogue = varnex::pages::buildCatalogue(model);
  varnex::ui::win32::MainWindowView view(model, *records);
  platform.setTrayCallbackMessage(varnex::ui::win32::kTrayMessage);
  platform.setTrayIconResource(varnex::ui::win32::kProgramIconId);
  // Message boxes of window creation already belong to the main window.
  view.onWindowCreated = [&platform](HWND created) { platform.setMainWindow(created); };
  platform.beforeQuestion = [&view] {
    if (view.formView()) view.formView()->sync();
  };
  HWND window = view.create();
  if (!window || !IsWindow(window)) return 1;  // closed while it was being made
  if (!model.closed()) {
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
  }
  // The other windows once the main one is painted: none can open before the message loop runs.
  auto secondary =
      varnex::ui::win32::createSecondaryWindows(catalogue->about, catalogue->help, catalogue->commandEditor, view);
  secondary->addUndoWindow(catalogue->undo);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The window procedures catch what their handlers throw; this is for what escapes the
    // toolkit's own dispatch, so that no error ends the program without a word.
    try {
      if (varnex::ui::win32::FormWindow::preTranslate(message)) continue;
      if (IsWindow(window) && IsDialogMessageA(window, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } catch (const std::exception& e) {
      varnex::ui::win32::showUnexpectedError(window, e.what());
    }
  }
  return 0;
}
