#pragma once
// A row whose setting is the existence of the program's shortcut files below the Windows
// directory: the read pass only ever checks its box, the write pass makes or deletes the files.
#include <string>
#include <utility>
#include <vector>

#include "settings/rows.h"

namespace varnex::pages {

struct ProgramShortcut {
  const char* file;    // in the row's folder
  const char* target;  // tail after the program directory, "\Varnex.exe"
  // Copied from the target first (a compressed file is expanded), then made a shortcut over the
  // copy, so the copy stays only if the shortcut cannot be saved.
  bool copiedFirst = false;
};

struct ShortcutRowDefinition {
  const char* folder;  // tail after the Windows directory, "\Desktop"
  // The first one's existence is the setting; they are made and deleted in this order.
  std::vector<ProgramShortcut> shortcuts;
  // The folder is the program's own: made before the shortcuts, removed (when empty) after them.
  bool ownFolder = false;
};

class ShortcutRow : public settings::Row {
 public:
  ShortcutRow(ShortcutRowDefinition definition, settings::Toggle& box)
      : def_(std::move(definition)), box_(box) {}
  void read(settings::Stores& stores) override;
  void write(settings::Stores& stores) override;

 private:
  std::string folder(settings::Stores& stores) const { return stores.windowsDirectory() + def_.folder; }
  std::string fileOf(settings::Stores& stores, const ProgramShortcut& s) const {
    return folder(stores) + "\\" + s.file;
  }

  ShortcutRowDefinition def_;
  settings::Toggle& box_;
};

}  // namespace varnex::pages
