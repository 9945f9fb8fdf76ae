#pragma once
// A main window over an in-memory machine with the catalogue built on it, as varnex.exe starts.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "app/main_window.h"
#include "settings/memory/ini_text.h"
#include "settings/memory/memory_machine.h"
#include "pages/catalogue.h"
#include "settings/profile_store.h"
#include "tests/support/fake_platform.h"

namespace varnex::pages {

#ifdef VARNEX_FIXTURES  // the native suites; the runners under Wine read no fixture files
// A file of tests/fixtures, named below it ("help/internet.txt"), byte for byte.
inline std::string fixtureText(const std::string& name) {
  std::ifstream in(std::string(VARNEX_FIXTURES) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
#endif

// Plain so that a table of cases can make a fresh one per case.
struct PageHarness {
  // Every Windows 98 machine has the file system templates key; without it the File-Cache row
  // ends every write pass.
  PageHarness() { loadReg("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates]\n"); }

  settings::MemoryMachine machine;
  varnex::testing::FakePlatform platform{machine.files};
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
    return settings::IniText::valueIn(*text, "Options", entry);
  }

  void loadReg(const std::string& body) { machine.loadRegedit4("REGEDIT4\n\n" + body, "test.reg"); }
  void loadSystemIni(const std::string& text) { machine.loadIni(settings::kSystemIni, text, "SYSTEM.INI"); }
  std::optional<std::string> systemIni(const std::string& section, const std::string& entry) {
    auto text = machine.files.readFile(machine.profiles.resolve(settings::kSystemIni));
    if (!text) return std::nullopt;
    return settings::IniText::valueIn(*text, section, entry);
  }
  bool keyExists(settings::RegHandle root, const std::string& key) {
    settings::RegHandle h = 0;
    if (machine.registry.openKey(root, key, h) != settings::kErrorSuccess) return false;
    machine.registry.closeKey(h);
    return true;
  }
  // A stored registry value as "sz:text", "dword:decimal", "hex:bd,00,00,00", or "<absent>".
  std::string stored(settings::RegHandle root, const std::string& key, const std::string& name);

  void read() { ASSERT_TRUE(window.BacaData()); }
  void write() { ASSERT_TRUE(window.TulisData()); }
};

inline std::string PageHarness::stored(settings::RegHandle root, const std::string& key,
                                      const std::string& name) {
  settings::RegHandle h = 0;
  if (machine.registry.openKey(root, key, h) != settings::kErrorSuccess) return "<absent>";
  std::uint32_t type = 0;
  std::uint8_t data[512];
  std::uint32_t size = sizeof data;
  const long error = machine.registry.queryValue(h, name, &type, data, &size);
  machine.registry.closeKey(h);
  if (error != settings::kErrorSuccess) return "<absent>";
  if (type == settings::kRegSz) return "sz:" + std::string(reinterpret_cast<char*>(data), size ? size - 1 : 0);
  if (type == settings::kRegDword && size == 4)
    return "dword:" + std::to_string(data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t{data[3]} << 24);
  std::string hex = "hex:";
  const char* digits = "0123456789abcdef";
  for (std::uint32_t i = 0; i < size; ++i) {
    if (i) hex += ',';
    hex += digits[data[i] >> 4];
    hex += digits[data[i] & 15];
  }
  return type == settings::kRegBinary ? hex : "type" + std::to_string(type) + ":" + hex;
}

class PageTest : public ::testing::Test, public PageHarness {};

}  // namespace varnex::pages
