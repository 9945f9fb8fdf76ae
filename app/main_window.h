#pragma once
// The main window as a model: its pages, panes, editor groups, commands and close query. The
// Win32 view shows it; tests drive it directly.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/backup_pass.h"
#include "app/page.h"
#include "app/platform_services.h"
#include "settings/rows.h"
#include "settings/stores.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/form.h"
#include "ui/pages.h"
#include "ui/ranges.h"

namespace varnex::settings {
class Backups;
}

namespace varnex::app {

inline constexpr int kClientWidth = 533;
inline constexpr int kClientHeight = 456;

inline const std::string kRestartQuestion =
    "You must restart your computer before the new settings will take effect. Do you want to "
    "restart your computer now?";
inline const std::string kCountdownQuestion =
    "If you exit now, AutoShutdown process will be canceled. Do you want to exit?";
inline const std::string kConfirmTitle = "Confirm";

// One tab of the main window, in tab order.
struct PageInfo {
  const char* sheet;    // "TabSheet1"
  const char* tab;      // "Boot"
  const char* heading;  // "Boot Optimizer", or "" for a page that shows a title of its own
  const char* pane;     // "Memo1", or "" without a description pane
  const char* frame;    // the pane's frame, "GroupBox1"
  const char* frameCaption;
  const char* editorFrame;  // "GroupBox2", or ""
};
const std::vector<PageInfo>& pageTable();

class MainWindow {
 public:
  MainWindow(PlatformServices& platform, settings::StoreApis stores);

  ui::Form& form() { return form_; }
  settings::Stores& stores() { return stores_; }
  PlatformServices& platform() { return platform_; }
  // The journal behind the stores, when the program keeps backups (stores given its apis()).
  void setBackups(settings::Backups* backups) { backups_ = backups; }
  settings::Backups* backups() { return backups_; }

  // Window creation, once, with the records start-up read (kept if the re-read fails).
  void FormCreate(const Records& startRecords);

  // The pages in tab order, and the rows of both passes in the order the catalogue declares.
  void setPages(std::vector<Page*> pages) { pages_ = std::move(pages); }
  void setPasses(std::vector<settings::Row*> readPass, std::vector<settings::Row*> writePass);
  const std::vector<settings::Row*>& readPass() const { return readPass_; }
  const std::vector<settings::Row*>& writePass() const { return writePass_; }
  // Both return false when an error ended the pass (the error has been shown). A write pass
  // nobody watches (Reporting::Log) writes what went wrong with its backup to the log instead,
  // and returns true when the backup stopped it: what follows (a shutdown) goes on.
  bool BacaData();
  bool TulisData(Reporting reporting = Reporting::Box);

  void HidePage(const std::string& name) { form_.hideGroup(name); }
  // The description pane rule: show puts the text in as the only line, clear empties it.
  void showHelp(ui::Memo& pane, const std::string& text);
  void clearHelp(ui::Memo& pane);
  // A left press on an option hides its page's editor group (if any), marks the caption navy,
  // then runs `then` with the state before the press.
  void attachOption(ui::CheckBox& box, const std::string& editorGroup,
                    std::function<void(bool wasChecked)> then = {});
  // An option whose caption "Apply" turns black again; attachOption adds its box itself.
  void addOption(ui::CheckBox& box) { options_.push_back(&box); }
  // Shows an error in the program's message box (a failed pass, a failed write).
  void reportError(const std::string& message);
  // After settings changed by other means than the pages (an undo): the editor groups hidden,
  // the marks cleared and the read pass run, so every page shows the machine as it now is; the
  // Add/Remove list is filled again when the window is next active.
  void showMachineAsItIs();
  // The restart question of "OK" without closing: Yes locks MSDOS.SYS again and restarts the
  // computer; No and Cancel leave everything as it is.
  void offerRestart();

  // Window timers: what runs when the timer of that id fires.
  void onTimer(int id, std::function<void()> handler) { timers_[id] = std::move(handler); }
  void timerFired(int id);

  // Commands and events.
  void PageControl1Change();
  void Button5Click();  // "Apply"
  void Button1Click();  // "OK"
  void Button4Click();  // "Cancel"
  void Button7Click();  // "Hide"
  void FormActivate();
  bool FormCloseQuery();
  // Runs the close query; when it lets the window close, the window is closed.
  bool close();
  void hideWindow();
  void showWindow();
  void restoreRequest();  // WM_USER from a second instance
  // The tray icon: a left double click restores; the right button's release opens its menu
  // PopupMenu1 with "Restore" (Restore1) and "Exit" (Exit1).
  void trayDoubleClick() { showWindow(); }
  void trayRightButtonUp();
  void Restore1Click() { showWindow(); }
  // Asks the countdown question while a countdown runs; Yes (or no countdown) closes, and the
  // close query asks it once more.
  void Exit1Click();

  bool closed() const { return closed_; }
  bool shown() const { return shown_; }
  const Records& records() const { return records_; }
  const std::string& programDirectory() const { return programDirectory_; }

  // Flags of the main window, cleared at creation.
  bool restartFlag = false;
  bool countdownRunning = false;
  bool programsRefreshFlag = false;
  // False while a window opened from this one (help, information, command editor) is shown;
  // the view follows it.
  bool enabled = true;

  // The view closes the native window when the model has closed.
  std::function<void()> onClosed;

 private:
  void build();
  void hideEditorGroups();
  void lockBootFile();
  ui::Memo* pane(const char* name) { return dynamic_cast<ui::Memo*>(form_.find(name)); }

  PlatformServices& platform_;
  settings::Stores stores_;
  settings::Backups* backups_ = nullptr;
  ui::Form form_;
  std::vector<Page*> pages_;
  std::vector<settings::Row*> readPass_;
  std::vector<settings::Row*> writePass_;
  std::vector<ui::CheckBox*> options_;
  std::map<int, std::function<void()>> timers_;
  Records records_{};
  std::string programDirectory_;
  bool closed_ = false;
  bool shown_ = true;
};

}  // namespace varnex::app
