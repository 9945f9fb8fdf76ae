#include "pages/catalogue.h"

#include <map>
#include <set>
#include "base/error.h"

#include "pages/windows_default.h"

namespace varnex::pages {

namespace {

// Both passes visit the pages in this order, not in tab order. The Windows and Start Menu rows
// interleave; File-Cache comes after the Internet pages; the two menu-order rows only write, the
// installed-programs lists only read.
const std::vector<std::string> kBoot = {
    "CheckBox1", "CheckBox2", "SpinEdit1", "CheckBox3",  "CheckBox4",  "CheckBox5",  "CheckBox6", "CheckBox7",
    "CheckBox8", "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14"};
const std::vector<std::string> kSystem = {
    "CheckBox15", "CheckBox16", "CheckBox17", "CheckBox18", "CheckBox19", "CheckBox20", "CheckBox21",
    "CheckBox22", "CheckBox23", "CheckBox24", "CheckBox25", "CheckBox26", "CheckBox27", "CheckBox28"};
const std::vector<std::string> kWindowsAndStartMenu = {
    "CheckBox29", "CheckBox30", "CheckBox32", "CheckBox33", "CheckBox34", "CheckBox35", "CheckBox36",
    "CheckBox37", "CheckBox38", "CheckBox39", "CheckBox40", "CheckBox41", "CheckBox42", "CheckBox62",
    "CheckBox63", "CheckBox50", "CheckBox51", "CheckBox52", "CheckBox53", "CheckBox54", "CheckBox55",
    "CheckBox56", "CheckBox57", "CheckBox58", "CheckBox60", "CheckBox59"};
const std::vector<std::string> kMenuOrder = {"CheckBox31", "CheckBox61"};
const std::vector<std::string> kDiskCache = {"ComboBox1"};
const std::vector<std::string> kInternet1 = {"ComboBox2", "Edit4", "Edit5"};
const std::vector<std::string> kInternet2 = {"CheckBox43", "CheckBox44", "SpinEdit8", "Edit11",
                                             "Edit10",     "Edit8",      "Edit7",     "Edit9"};
const std::vector<std::string> kFileCache = {"ComboBox3"};
const std::vector<std::string> kShortcuts = {"CheckBox45", "CheckBox46", "CheckBox47"};
const std::vector<std::string> kInstalledPrograms = {"ListBox2"};

std::vector<std::string> joined(std::initializer_list<const std::vector<std::string>*> parts) {
  std::vector<std::string> all;
  for (const auto* part : parts) all.insert(all.end(), part->begin(), part->end());
  return all;
}

}  // namespace

const std::vector<std::string>& readPassOrder() {
  static const std::vector<std::string> order =
      joined({&kBoot, &kSystem, &kWindowsAndStartMenu, &kDiskCache, &kInternet1, &kInternet2, &kFileCache,
              &kShortcuts, &kInstalledPrograms});
  return order;
}

const std::vector<std::string>& writePassOrder() {
  static const std::vector<std::string> order =
      joined({&kBoot, &kSystem, &kWindowsAndStartMenu, &kMenuOrder, &kDiskCache, &kInternet1, &kInternet2,
              &kFileCache, &kShortcuts});
  return order;
}

std::vector<settings::Row*> inPassOrder(const std::vector<std::string>& order,
                                        const std::vector<app::NamedRow>& rows) {
  std::map<std::string, settings::Row*> byName;
  for (const app::NamedRow& named : rows)
    if (!byName.emplace(named.control, named.row).second)
      throw LogicError("two rows go by " + named.control);
  std::set<std::string> declared(readPassOrder().begin(), readPassOrder().end());
  declared.insert(writePassOrder().begin(), writePassOrder().end());
  for (const app::NamedRow& named : rows)
    if (!declared.count(named.control)) throw LogicError("no pass declares the row " + named.control);
  std::vector<settings::Row*> ordered;
  for (const std::string& name : order) {
    auto it = byName.find(name);
    if (it != byName.end()) ordered.push_back(it->second);
  }
  return ordered;
}

Catalogue::Catalogue(app::MainWindow& window)
    : about(window),
      help(window),
      commandEditor(window),
      undo(window),
      boot(window),
      system(window),
      windows(window),
      startMenu(window),
      internet1(window, internet, help),
      internet2(window, internet),
      addRemove(window, commandEditor),
      fileCache(window, help),
      diskCache(window, help),
      autoShutdown(window),
      program(window, about, undo) {
  program.backToWindowsDefault = [this, &window] {
    backToWindowsDefault(window, {program, boot, system, windows, startMenu, fileCache, diskCache, internet1,
                                  internet2, internet});
  };
  profile = std::make_unique<SettingsProfile>(window, *this);
  program.saveSettings = [this] { profile->saveWithDialog(); };
  program.loadSettings = [this] { profile->loadWithDialog(); };
  window.setPages(pages());
  const std::vector<app::NamedRow> all = rows();
  window.setPasses(inPassOrder(readPassOrder(), all), inPassOrder(writePassOrder(), all));
}

std::vector<app::Page*> Catalogue::pages() {
  return {&boot,      &system,    &windows,   &startMenu,    &internet1, &internet2,
          &addRemove, &fileCache, &diskCache, &autoShutdown, &program};
}

std::vector<app::NamedRow> Catalogue::rows() {
  std::vector<app::NamedRow> all;
  for (app::Page* page : pages()) {
    std::vector<app::NamedRow> some = page->rows();
    all.insert(all.end(), some.begin(), some.end());
  }
  return all;
}

std::unique_ptr<Catalogue> buildCatalogue(app::MainWindow& window) { return std::make_unique<Catalogue>(window); }

}  // namespace varnex::pages
