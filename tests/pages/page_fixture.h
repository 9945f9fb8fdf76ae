#pragma once
// A main window over an in-memory machine with the catalogue built on it, as varnex.exe starts.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "settings/memory/ini_text.h"
#include "settings/memory/memory_machine.h"
#include "settings/pages/catalogue.h"
#include "settings/profile_store.h"
#include "tests/pages/stub_platform.h"

namespace varnex::pages {

// Plain so that a table of cases can make a fresh one per case.
struct PageHarness {
  settings::MemoryMachine machine;
  StubPlatform platform;
  app::MainWindow window{platform, machine.apis()};
  std::unique_ptr<Catalogue> catalogue = buildCatalogue(window);

  template <class T>
  T& control(const std::string& name) { return window.form().get<T>(name); }
  ui::CheckBox& box(const std::string& name) { return control<ui::CheckBox>(name); }

  // A left press as the user makes it: mouse-down, then the toggle.
  void press(const std::string& name) {
    box(name).mouseDown(ui::MouseButton::Left);
    box(name).click();
  }
  void showPage(const std::string& sheet) {
    window.form().get<ui::PageControl>("PageControl1").setActivePage(control<ui::TabSheet>(sheet));
  }

  void loadMsdos(const std::string& options) {
    machine.loadIni(settings::kMsdosSys, "[Options]\n" + options, "MSDOS.SYS");
  }
  std::optional<std::string> msdos(const std::string& entry) {
    auto text = machine.files.readFile(settings::kMsdosSys);
    if (!text) return std::nullopt;
    return settings::IniText(*text).value("Options", entry);
  }

  void read() { ASSERT_TRUE(window.BacaData()); }
  void write() { ASSERT_TRUE(window.TulisData()); }
};

class PageTest : public ::testing::Test, public PageHarness {};

}  // namespace varnex::pages
