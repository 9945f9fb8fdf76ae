#include "pages/shortcut_row.h"

#include <exception>

namespace varnex::pages {

void ShortcutRow::read(settings::Stores& stores) {
  // A missing file leaves the box as it is: a shortcut the system could not make stays ticked.
  try {
    if (stores.files().fileExists(fileOf(stores, def_.shortcuts.front()))) box_.setChecked(true);
  } catch (const std::exception&) {
    box_.setChecked(false);
  }
}

void ShortcutRow::write(settings::Stores& stores) {
  settings::FileStore files = stores.files();
  const bool present = files.fileExists(fileOf(stores, def_.shortcuts.front()));
  // The results of these file operations are not looked at: the next read pass shows them.
  if (box_.checked()) {
    const std::string program = stores.programDirectory();
    if (present) return;  // whatever it points to
    if (def_.ownFolder) files.makeFolders(folder(stores));
    for (const ProgramShortcut& s : def_.shortcuts) {
      const std::string target = program + s.target;
      if (s.copiedFirst) files.copyFile(target, fileOf(stores, s));
      files.CreateShellLink(target, fileOf(stores, s), program);
    }
    return;
  }
  if (!present) return;  // even if the other shortcuts or the folder are there
  for (const ProgramShortcut& s : def_.shortcuts) files.deleteFile(fileOf(stores, s));
  if (def_.ownFolder) files.removeFolder(folder(stores));
}

}  // namespace varnex::pages
