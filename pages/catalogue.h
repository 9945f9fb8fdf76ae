#pragma once
// The option pages of the main window, built in pass order: each page appends its rows to the
// window's row list as it is constructed, so member order here is the order of both passes.
#include <memory>

#include "app/main_window.h"
#include "pages/boot_page.h"
#include "pages/system_page.h"

namespace varnex::pages {

struct Catalogue {
  BootPage boot;
  SystemPage system;
};

// Builds every page on the window's form. The window keeps pointers to the pages' rows, so the
// catalogue must outlive the passes.
std::unique_ptr<Catalogue> buildCatalogue(app::MainWindow& window);

}  // namespace varnex::pages
