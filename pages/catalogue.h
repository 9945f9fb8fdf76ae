#pragma once
// The pages of the main window and the one declaration of the order of both passes.
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/page.h"
#include "pages/about_box.h"
#include "pages/add_remove_page.h"
#include "pages/auto_shutdown_page.h"
#include "pages/boot_page.h"
#include "pages/command_editor.h"
#include "pages/disk_cache_page.h"
#include "pages/file_cache_page.h"
#include "pages/help_window.h"
#include "pages/start_menu_page.h"
#include "pages/internet1_page.h"
#include "pages/internet2_page.h"
#include "pages/internet_values.h"
#include "pages/program_page.h"
#include "pages/settings_profile.h"
#include "pages/system_page.h"
#include "pages/undo_window.h"
#include "pages/windows_page.h"

namespace varnex::pages {

// The read pass and the write pass, by the control name each row goes by.
const std::vector<std::string>& readPassOrder();
const std::vector<std::string>& writePassOrder();

// The rows named by order, in that order. A declared name that no row has is left out (its page
// may not be built yet); a row that no name declares, or two rows of one name, is a fault of the
// catalogue and throws LogicError.
std::vector<settings::Row*> inPassOrder(const std::vector<std::string>& order,
                                        const std::vector<app::NamedRow>& rows);

class Catalogue {
 public:
  // Builds every page on the window's form and hands the window its pages and both passes. The
  // window keeps pointers into the catalogue, which must outlive them.
  explicit Catalogue(app::MainWindow& window);
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;

  // In tab order.
  std::vector<app::Page*> pages();
  std::vector<app::NamedRow> rows();

  // The windows opened from the main window come first: pages hold references to them.
  AboutBox about;
  HelpWindow help;
  CommandEditor commandEditor;
  UndoWindow undo;

  BootPage boot;
  SystemPage system;
  WindowsPage windows;
  StartMenuPage startMenu;
  InternetValues internet;  // shared by both Internet pages
  Internet1Page internet1;
  Internet2Page internet2;
  AddRemovePage addRemove;
  FileCachePage fileCache;
  DiskCachePage diskCache;
  AutoShutdownPage autoShutdown;
  ProgramPage program;
  // Built last: its options hold the pages' controls and pending values.
  std::unique_ptr<SettingsProfile> profile;
};

std::unique_ptr<Catalogue> buildCatalogue(app::MainWindow& window);

}  // namespace varnex::pages
