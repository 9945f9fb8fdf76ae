#pragma once
// The undo window TUndoForm "Undo Changes", opened by "Undo Changes..." on the "Varnex" page
// while the main window waits disabled: the backups, newest first, each with the time of its pass
// and how many changes it holds; below them the chosen backup's changes. "Undo" takes back the
// chosen backup and every newer one as one pass, which leaves a backup of its own.
#include <string>
#include <vector>

#include "app/main_window.h"
#include "settings/backup/undo.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/form.h"
#include "ui/lists.h"

namespace varnex::pages {

// %s: the date and time of the chosen backup.
inline const std::string kUndoQuestion = "Undo the changes made on %s and every change made after them ?";
inline const std::string kNoBackupsText =
    "There is no backup yet. Varnex 2000 keeps one each time it changes your settings.";
inline const std::string kStoppedPassText =
    "Varnex 2000 stopped before this pass ended; these are the changes it had made.";
// %s: what is wrong with it.
inline const std::string kDamagedText = "This backup cannot be undone: %s";

class UndoWindow {
 public:
  static constexpr const char* kClassName = "TUndoForm";
  static constexpr const char* kCaption = "Undo Changes";
  static constexpr int kClientWidth = 520;
  static constexpr int kClientHeight = 354;

 private:
  // Before the controls, which live in the form.
  app::MainWindow& main_;
  ui::Form form_;

 public:
  explicit UndoWindow(app::MainWindow& main);
  UndoWindow(const UndoWindow&) = delete;
  UndoWindow& operator=(const UndoWindow&) = delete;

  ui::Form& form() { return form_; }
  bool shown() const { return shown_; }
  // "Undo", pressed by Enter.
  ui::Button& defaultButton() { return Button1; }
  const std::vector<settings::BackupSummary>& backups() const { return backups_; }

  // Hides the main window's editor groups, disables it, lists the backups with the newest
  // chosen, and shows the window.
  void open();
  // A backup chosen: its changes below the list.
  void ListBox1Change();
  // "Undo": asks first; Yes undoes the chosen backup and every newer one, then every page reads
  // the machine again, the list is filled again, and the restart question comes when a setting
  // went back.
  void Button1Click();
  // "Close", and every other way the window closes.
  void Button2Click();

  ui::Label& Label1;
  ui::ListBox& ListBox1;
  ui::Label& Label2;
  ui::Memo& Memo1;
  ui::Button& Button1;
  ui::Button& Button2;

 private:
  void fill();
  void showChanges();

  std::vector<settings::BackupSummary> backups_;
  bool shown_ = false;
};

}  // namespace varnex::pages
