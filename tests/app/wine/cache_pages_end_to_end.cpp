// Drives the real varnex.exe under Wine through the Disk-Cache and File-Cache pages and the help
// window with real mouse and keyboard input.
// Usage: cache_pages_end_to_end Z:\path\to\Varnex.exe
#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

namespace {

const char kTemplates[] = "Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates";

std::string systemIniPath() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  return std::string(windows) + "\\SYSTEM.INI";
}

std::string systemIni(const char* entry) {
  char value[64] = {};
  GetPrivateProfileStringA("vcache", entry, "<absent>", value, sizeof value, systemIniPath().c_str());
  return value;
}

// The default value of FS Templates, or of one of its subkeys; "<absent>" without the key.
std::string templateValue(const std::string& subkey) {
  std::string path = kTemplates;
  if (!subkey.empty()) path += "\\" + subkey;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<absent>";
  char value[256] = {};
  DWORD size = sizeof value - 1, type = 0;
  LONG error = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return error == ERROR_SUCCESS ? value : "<no value>";
}

void setTemplate(const char* name) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTemplates, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), static_cast<DWORD>(std::strlen(name) + 1));
  RegCloseKey(key);
}

// The visible drop-down list of a combo box, once the click on the box has opened it.
HWND droppedList() {
  for (int i = 0; i < 30; ++i, Sleep(100))
    for (HWND w = FindWindowExA(nullptr, nullptr, "ComboLBox", nullptr); w; w = FindWindowExA(nullptr, w, "ComboLBox", nullptr))
      if (IsWindowVisible(w)) return w;
  return nullptr;
}

// Enumeration callbacks are stdcall on 32-bit Windows, which a lambda cannot be.
struct FindCombo {
  int wanted, seen;
  HWND found;
};
BOOL CALLBACK findCombo(HWND hwnd, LPARAM param) {
  auto* f = reinterpret_cast<FindCombo*>(param);
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "ComboBox") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  if (f->seen++ == f->wanted) {
    f->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Chooses an item of the visible combo box at index `combo` among the window's visible combo
// boxes, with two clicks: one opens the list, one picks the item.
bool choose(HWND window, int combo, int item) {
  FindCombo find{combo, 0, nullptr};
  EnumChildWindows(window, findCombo, reinterpret_cast<LPARAM>(&find));
  if (!find.found) return false;
  leftClick(find.found);
  HWND list = droppedList();
  if (!list) return false;
  clickListItem(list, item);
  return true;
}

// A visible control showing exactly that text.
struct FindText {
  const char* wanted;
  bool found;
};
BOOL CALLBACK findText(HWND hwnd, LPARAM param) {
  auto* f = reinterpret_cast<FindText*>(param);
  if (IsWindowVisible(hwnd) && textOf(hwnd) == f->wanted) f->found = true;
  return f->found ? FALSE : TRUE;
}
bool showsText(HWND window, const char* wanted) {
  FindText find{wanted, false};
  EnumChildWindows(window, findText, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

// The text of the help window's visible text box.
struct VisibleText {
  std::string text;
  int visible = 0;
};
BOOL CALLBACK visibleEdit(HWND hwnd, LPARAM param) {
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  auto* f = reinterpret_cast<VisibleText*>(param);
  f->text = textOf(hwnd);
  ++f->visible;
  return TRUE;
}
std::string visibleText(HWND help) {
  VisibleText found;
  EnumChildWindows(help, visibleEdit, reinterpret_cast<LPARAM>(&found));
  return found.visible == 1 ? found.text : "<" + std::to_string(found.visible) + " visible>";
}

bool waitFor(bool (*condition)(HWND), HWND w) {
  for (int i = 0; i < 50; ++i, Sleep(100))
    if (condition(w)) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: cache_pages_end_to_end Varnex.exe\n");
    return 2;
  }
  const std::string exe = argv[1];
  const std::string folder = "C:\\Varnex Cache";
  prepareProgramFolder(folder);
  setTemplate("Desktop");
  WritePrivateProfileStringA("vcache", "MinFileCache", "2048", systemIniPath().c_str());
  WritePrivateProfileStringA("vcache", "MaxFileCache", "8192", systemIniPath().c_str());
  WritePrivateProfileStringA("vcache", "CHUNKSIZE", "512", systemIniPath().c_str());

  PROCESS_INFORMATION program = start(exe, folder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the main window is shown");
  if (!window) {
    stop(program);
    return 1;
  }

  // Disk-Cache: "CD Writer", then "Apply".
  check(showPage(program.hProcess, window, 8, "Your system profiles is :"), "the Disk-Cache page is shown");
  check(showsText(window, "Standard System") && showsText(window, "8192"),
        "the read pass found the Standard System profile in SYSTEM.INI");
  check(choose(window, 0, 5), "CD Writer is chosen from the profile list");
  Sleep(300);
  check(showsText(window, "12288"), "the page shows 12288");
  leftClick(childByCaption(window, "Apply"));
  Sleep(1000);
  check(systemIni("MinFileCache") == "12288", "SYSTEM.INI [vcache] MinFileCache=12288");
  check(systemIni("MaxFileCache") == "12288", "SYSTEM.INI [vcache] MaxFileCache=12288");
  check(systemIni("CHUNKSIZE") == "256", "SYSTEM.INI [vcache] CHUNKSIZE=256");
  std::printf("      vcache: %s %s %s\n", systemIni("MinFileCache").c_str(), systemIni("MaxFileCache").c_str(),
              systemIni("CHUNKSIZE").c_str());

  // File-Cache: "Network Server", then "Apply": only the active template's name is written.
  check(showPage(program.hProcess, window, 7, "Typical role of this computer:"), "the File-Cache page is shown");
  check(choose(window, 0, 3), "Network Server is chosen from the role list");
  Sleep(300);
  check(showsText(window, "2560"), "the name cache shows 2560 (the slider moved from 0)");
  leftClick(childByCaption(window, "Apply"));
  Sleep(1000);
  check(templateValue("") == "Server", "FS Templates names the Server template");
  check(templateValue("Varnex") == "<absent>", "and the program's own template was not written");
  std::printf("      FS Templates: %s, Varnex: %s\n", templateValue("").c_str(), templateValue("Varnex").c_str());

  // Help on the Disk-Cache page: the disk-cache text, the main window disabled until "Close".
  check(showPage(program.hProcess, window, 8, "Your system profiles is :"), "back on the Disk-Cache page");
  leftClick(childByCaption(window, "Help"));
  HWND help = waitForWindow("TForm4", "Help", 10000);
  check(help != nullptr && waitUntilVisible(help, 10000), "Help opens the help window");
  check(!IsWindowEnabled(window), "the main window refuses input while it is open");
  const std::string text = visibleText(help);
  check(text.rfind("How to Configure Disk-Cache ?\r\n", 0) == 0, "only the disk-cache text is visible");
  if (text.rfind("How to Configure Disk-Cache ?", 0) != 0) std::printf("      visible: %.60s\n", text.c_str());
  leftClick(childByCaption(window, "Cancel"));  // refused: the window is disabled
  check(!exited(program, 500), "a click on the disabled main window does nothing");
  leftClick(childByCaption(help, "Close"));
  check(waitFor([](HWND w) { return !IsWindowVisible(w); }, help), "Close hides the help window");
  check(IsWindowEnabled(window) != FALSE, "and the main window takes input again");

  // Escape and the system's close keystroke close it the same way, and Enter presses "Close".
  const struct {
    WORD key;
    bool alt;
    const char* what;
  } keys[] = {{VK_ESCAPE, false, "Escape closes it"}, {VK_RETURN, false, "Enter closes it"},
              {VK_F4, true, "Alt+F4 closes it"}};
  for (const auto& k : keys) {
    leftClick(childByCaption(window, "Help"));
    check(waitUntilVisible(help, 10000), "Help opens the help window again");
    SetForegroundWindow(help);
    pressKey(k.key, k.alt);
    check(waitFor([](HWND w) { return !IsWindowVisible(w); }, help), k.what);
    check(IsWindowEnabled(window) != FALSE, "and the main window is enabled again");
    check(IsWindow(help) != FALSE, "the help window is hidden, not destroyed");
  }

  leftClick(childByCaption(window, "Cancel"));
  check(exited(program, 30000), "Cancel closes the program");
  stop(program);

  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
