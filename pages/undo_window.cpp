#include "pages/undo_window.h"

#include "app/backup_pass.h"
#include "settings/backup/backups.h"

namespace varnex::pages {

UndoWindow::UndoWindow(app::MainWindow& main)
    : main_(main),
      Label1(form_.add<ui::Label>("Label1", nullptr, {8, 8, 300, 16}, "Backups, the newest first:")),
      ListBox1(form_.add<ui::ListBox>("ListBox1", nullptr, {8, 26, 504, 108})),
      Label2(form_.add<ui::Label>("Label2", nullptr, {8, 142, 300, 16}, "Changes in the chosen backup:")),
      Memo1(form_.add<ui::Memo>("Memo1", nullptr, {8, 160, 504, 154})),
      Button1(form_.add<ui::Button>("Button1", nullptr, {356, 321, 75, 25}, "Undo")),
      Button2(form_.add<ui::Button>("Button2", nullptr, {437, 321, 75, 25}, "Close")) {
  Memo1.readOnly = true;
  Memo1.verticalScrollBar = true;
  Memo1.bordered = true;
  ListBox1.onChange = [this] { ListBox1Change(); };
  Button1.onClick = [this] { Button1Click(); };
  Button2.onClick = [this] { Button2Click(); };
}

void UndoWindow::fill() {
  settings::Backups* backups = main_.backups();
  backups_ = backups ? settings::listBackups(main_.platform().currentDirectory(), backups->platform())
                     : std::vector<settings::BackupSummary>{};
  std::vector<std::string> lines;
  for (const settings::BackupSummary& backup : backups_) lines.push_back(settings::listLine(backup));
  ListBox1.setItems(std::move(lines));
  ListBox1.setItemIndex(0);  // the newest; none when there is none
  showChanges();
}

void UndoWindow::showChanges() {
  const int chosen = ListBox1.itemIndex();
  Button1.enabled = chosen >= 0;
  if (chosen < 0) {
    Memo1.setText(backups_.empty() ? kNoBackupsText + "\n" : "");
    return;
  }
  const settings::BackupSummary& backup = backups_[static_cast<std::size_t>(chosen)];
  std::string text;
  if (backup.problem) text += settings::fillIn(kDamagedText, *backup.problem) + "\n";
  if (backup.stopped) text += kStoppedPassText + "\n";
  for (const std::string& line : backup.lines) text += line + "\n";
  Memo1.setText(text);
}

void UndoWindow::open() {
  for (const char* group : {"Page1", "Page2", "Page3", "Page4"}) main_.HidePage(group);
  main_.enabled = false;
  fill();
  shown_ = true;
}

void UndoWindow::ListBox1Change() { showChanges(); }

void UndoWindow::Button1Click() {
  const int chosen = ListBox1.itemIndex();
  settings::Backups* backups = main_.backups();
  if (chosen < 0 || !backups) return;
  const settings::BackupSummary backup = backups_[static_cast<std::size_t>(chosen)];
  if (main_.platform().messageBox(settings::fillIn(kUndoQuestion, backup.time), app::kConfirmTitle,
                                  app::kMbYesNo | app::kMbIconQuestion) != app::kIdYes)
    return;
  settings::UndoResult result;
  {
    app::BackupPass pass(main_);  // ends after the undo's own error box
    result = settings::undoBackups(*backups, main_.platform().currentDirectory(), backup.name);
    if (result.error) main_.reportError(*result.error);
  }
  if (result.undone == 0) return;  // refused before its first write: the pages still hold the machine
  main_.showMachineAsItIs();
  fill();
  if (result.settingsBack) main_.offerRestart();
}

void UndoWindow::Button2Click() {
  main_.enabled = true;
  shown_ = false;
}

}  // namespace varnex::pages
