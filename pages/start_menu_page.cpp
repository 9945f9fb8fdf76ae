#include "pages/start_menu_page.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

#include "pages/layout.h"

namespace varnex::pages {

namespace {

using settings::kHkeyCurrentUser;
using settings::kHkeyLocalMachine;
using settings::registryValue;
using settings::Value;
using settings::ValueKind;
using W = settings::WriteAction;

constexpr int kMinDelay = 0, kMaxDelay = 500, kDefaultDelay = 400;

const char* const kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const kMenuOrder = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";

Value text(const char* t) { return std::string(t); }
Value number(std::uint32_t n) { return n; }

struct StartMenuOption {
  const char* control;
  const char* caption;
  const char* help;
  settings::CheckRowDefinition row;
};

// A policy that removes or restricts something: on as binary 1, off as 0 only where the value
// already is, absent or unreadable as off.
settings::CheckRowDefinition policy(const char* name) {
  settings::CheckRowDefinition d;
  d.at = registryValue(kHkeyCurrentUser, kPolicies, name);
  d.kind = ValueKind::Binary;
  d.read.defaultValue = number(0);
  d.read.checkedWhen = number(1);
  d.read.ifPresent = true;
  d.whenChecked = {W::write(number(1))};
  d.whenUnchecked = {W::writeIfPresent(number(0))};
  return d;
}

// A special folder of the start menu. A folder that is missing leaves the box as it is, so a
// folder that could not be made keeps its box checked; one that could not be removed (it holds
// something) reads checked again.
settings::CheckRowDefinition startMenuFolder(const char* tail) {
  settings::CheckRowDefinition d;
  d.at = settings::folderBelowWindows(tail);
  d.kind = ValueKind::ValuePresence;
  d.read.defaultValue = number(0);
  d.read.checkedWhen = number(1);
  d.read.onlyChecks = true;
  d.whenChecked = {W::makeFolders()};
  d.whenUnchecked = {W::removeFolder()};
  return d;
}

settings::CheckRowDefinition singleColumn() {
  settings::CheckRowDefinition d;
  d.at = registryValue(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Advanced",
                       "StartMenuScrollPrograms");
  d.kind = ValueKind::Text;
  d.read.defaultValue = text("TRUE");
  d.read.checkedWhen = text("FALSE");
  d.read.ignoreCase = true;
  d.read.ifPresent = true;
  d.whenChecked = {W::write(text("FALSE"))};
  d.whenUnchecked = {W::writeIfPresent(text("TRUE"))};
  return d;
}

// Deleting a menu's stored order makes the shell sort it again; only the write pass visits it,
// and a clear box opens no key.
settings::CheckRowDefinition sortMenu(const char* orderKey) {
  settings::CheckRowDefinition d;
  d.at = registryValue(kHkeyCurrentUser, kMenuOrder, "");
  d.whenChecked = {W::deleteKey(orderKey)};
  d.whenUnchecked = {W::nothing()};
  return d;
}

// In the order of the passes (the two menu-order options come last in the write pass).
std::vector<StartMenuOption> toggleOptions() {
  return {
      {"CheckBox50", "Remove the Find Menu", "Use this option to remove the find menu from your start menu settings.",
       policy("NoFind")},
      {"CheckBox51", "Remove the Run Menu", "Use this option to remove the run menu from your start menu settings.",
       policy("NoRun")},
      {"CheckBox52", "Remove the Shutdown Menu",
       "Use this option to remove the shutdown menu from your start menu settings.", policy("NoClose")},
      {"CheckBox53", "Remove the Favorites Menu",
       "Use this option to remove the favorites menu from your start menu settings.", policy("NoFavoritesMenu")},
      {"CheckBox54", "Remove the Documents Menu",
       "Use this option to remove the documents menu from your start menu settings.", policy("NoRecentDocsMenu")},
      {"CheckBox55", "Remove the Log Off Menu",
       "Use this option to remove the log off menu from your start menu settings.", policy("NoLogOff")},
      {"CheckBox56", "Clear Recent Documents on Exit",
       "Use this option to clear the recent documents when you exit Windows.", policy("ClearRecentDocsOnExit")},
      {"CheckBox57", "Disable Recent Documents History",
       "Use this option to prevent Win98 to create recent documents history in the documents folder.",
       policy("NoRecentDocsHistory")},
      {"CheckBox58", "Put Control Panel in Start Menu", "Use this option to put control panel folder in your start menu.",
       startMenuFolder("\\Start Menu\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}")},
      {"CheckBox60", "Put Recycle Bin in Start Menu", "Use this option to put recycle bin folder in your start menu.",
       startMenuFolder("\\Start Menu\\Recycle Bin.{645FF040-5081-101B-9F08-00AA002F954E}")},
      {"CheckBox59", "Use Multiple Column for Start Menu",
       "Use this option to switch back to multiple column instead of a single colomn with scroll arrow lists for the "
       "long list.",
       singleColumn()},
  };
}

// The field's value for a stored text: its number (the field clamps it), 400 when the text is
// empty or no whole number.
int delayOf(const std::string& text) { return ui::integerOf(text).value_or(kDefaultDelay); }

}  // namespace

StartMenuPage::StartMenuPage(app::MainWindow& window)
    : OptionPage(window, "TabSheet9", "Memo7", "Page4"),
      GroupBox19(form_.get<ui::GroupBox>("GroupBox19")),
      Label5(form_.add<ui::Label>("Label5", &GroupBox19, {12, 22, 100, 16}, "Menu Show Delay")),
      SpinEdit2(form_.add<ui::SpinEdit>("SpinEdit2", &GroupBox19, {116, 18, 72, 21})),
      Label6(form_.add<ui::Label>("Label6", &GroupBox19, {196, 22, 80, 16}, "milliseconds")) {
  SpinEdit2.setRange(kMinDelay, kMaxDelay);
  fitToRange(SpinEdit2, &Label6);
  SpinEdit2.maxLength = 3;
  SpinEdit2.setValue(kDefaultDelay);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label5, &SpinEdit2, &Label6})
    form_.addToGroup("Page4", *c);
  form_.hideGroup("Page4");
  // A typed number beyond the range is only brought into it when the field loses the focus; what
  // is written is always within it.
  SpinEdit2.onChange = [this] { delay_.value = std::to_string(std::clamp(SpinEdit2.value(), kMinDelay, kMaxDelay)); };

  // Their place on the page: the policies down the first column, then the rest.
  int slot = 0;
  for (StartMenuOption& option : toggleOptions()) {
    addOption({.control = option.control,
               .caption = option.caption,
               .help = option.help,
               .slot = slot++,
               .row = std::move(option.row),
               .byDefault = false});
  }

  addOption({.control = "CheckBox30",
             .caption = "Configure Menu Show Delay",
             .help = "Use this option to set how long Windows must wait before shows the menu. Suggestion: Try 10 "
                     "or less",
             .slot = slot++,
             .row = settings::PendingRowDefinition{
                 .at = registryValue(kHkeyCurrentUser, "Control Panel\\Desktop", ""),
                 .fields = {{"MenuShowDelay", &delay_, text("400")}},
                 .loaded =
                     [this] {
                       SpinEdit2.setValue(delayOf(delay_.asLoaded));
                       delay_.value = std::to_string(SpinEdit2.value());
                     },
             },
             .editor = std::bind_front(&StartMenuPage::CheckBox30MouseDown, this)});
  addOption({.control = "CheckBox31",
             .caption = "Sort Programs Menu Order",
             .help = "Use this option to sort programs menu items into alphabetical order.",
             .slot = slot++,
             .row = sortMenu("Start Menu")});
  addOption({.control = "CheckBox61",
             .caption = "Sort Favorites Menu Order",
             .help = "Use this option to sort favorites menu items into alphabetical order.",
             .slot = slot++,
             .row = sortMenu("Favorites")});
}

void StartMenuPage::CheckBox30MouseDown(bool wasChecked) {
  if (wasChecked) {
    // Clearing the option drops the edits: the field goes back to the delay as loaded.
    SpinEdit2.setValue(delayOf(delay_.asLoaded));
    return;
  }
  form_.showGroup("Page4");
}

}  // namespace varnex::pages
