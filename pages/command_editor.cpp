#include "pages/command_editor.h"

#include "app/backup_pass.h"
#include "settings/registry_store.h"
#include "settings/store_error.h"

namespace varnex::pages {

CommandEditor::CommandEditor(app::MainWindow& main)
    : main_(main),
      Label2(form_.add<ui::Label>("Label2", nullptr, {8, 8, 120, 16}, "Description")),
      Edit2(form_.add<ui::Edit>("Edit2", nullptr, {8, 26, 361, 21})),
      Label1(form_.add<ui::Label>("Label1", nullptr, {8, 56, 120, 16}, "Command")),
      Edit1(form_.add<ui::Edit>("Edit1", nullptr, {8, 74, 361, 21})),
      Button1(form_.add<ui::Button>("Button1", nullptr, {214, 108, 75, 25}, "OK")),
      Button2(form_.add<ui::Button>("Button2", nullptr, {294, 108, 75, 25}, "Cancel")) {
  Button1.onClick = [this] { Button1Click(); };
  Button2.onClick = [this] { Button2Click(); };
}

void CommandEditor::show(std::string entryKey) {
  entryKey_ = std::move(entryKey);
  shown_ = true;
}

void CommandEditor::Button1Click() {
  if (main_.platform().messageBox(kAreYouSure, app::kConfirmTitle, app::kMbYesNo | app::kMbIconQuestion) ==
      app::kIdYes) {
    app::BackupPass backup(main_);
    settings::RegistryStore registry = main_.stores().registry();
    registry.setRoot(settings::kHkeyLocalMachine);
    registry.openKey(entryKey_, false);
    try {
      registry.writeText("UninstallString", Edit1.text());
      registry.writeText("DisplayName", Edit2.text());
    } catch (const settings::StoreError& e) {
      // The entry is gone or cannot be written: the user is told and the editor stays open, so
      // the text typed is not lost and "Cancel" still closes it.
      main_.reportError(e.what());
      return;
    }
    main_.programsRefreshFlag = true;
  }
  close();
}

void CommandEditor::Button2Click() { close(); }

void CommandEditor::close() {
  main_.enabled = true;
  shown_ = false;
}

}  // namespace varnex::pages
