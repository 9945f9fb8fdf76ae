#pragma once
// Which options a profile holds, page by page in the order of their pages and of the window: every
// option the write pass writes from the controls. Not the Add/Remove lists, not AutoShutdown
// (nothing of it is stored), not "Back to Windows Default" (an action of its own).
#include <vector>

#include "app/main_window.h"
#include "pages/profile_option.h"

namespace varnex::pages {

class Catalogue;

// An editor's values follow the option that opens it, so that entering them in this order
// leaves each in the editor its opener opened.
std::vector<ProfileOption> profileOptions(app::MainWindow& window, Catalogue& catalogue);

}  // namespace varnex::pages
