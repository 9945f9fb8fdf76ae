#pragma once
// "Back to Windows Default" on Yes: every page puts its options and pending values in their
// default state, a few settings are written at once, then "Apply" writes and re-reads the rest.
#include "app/main_window.h"
#include "app/page.h"
#include "pages/internet_values.h"
#include "pages/program_page.h"

namespace varnex::pages {

struct DefaultTargets {
  ProgramPage& program;
  app::Page& boot;
  app::Page& system;
  app::Page& windows;
  app::Page& startMenu;
  app::Page& fileCache;
  app::Page& diskCache;
  app::Page& internet1;
  app::Page& internet2;
  const InternetValues& internet;
};

// The steps in order. A write that fails ends them where it happens; its error is shown, and the
// controls already changed keep their new state.
void backToWindowsDefault(app::MainWindow& window, const DefaultTargets& targets);

}  // namespace varnex::pages
