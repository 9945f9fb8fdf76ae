// Drives the real varnex.exe under Wine on the sample machine through the "Varnex" page: the
// information window, then "Back to Windows Default" answered Yes, with real mouse input.
// Usage: program_page_end_to_end "C:\Program Files\Varnex 2000\Varnex.exe"
#include <shlobj.h>
#include <shobjidl.h>

#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

namespace {

const char kProgramFolder[] = "C:\\Program Files\\Varnex 2000";

// Prints "shot NAME" for the runner to take a screenshot, and waits while it does.
void shot(const char* name) {
  char wanted[8] = {};
  if (!GetEnvironmentVariableA("VARNEX_SHOTS", wanted, sizeof wanted)) return;
  Sleep(800);
  std::printf("shot %s\n", name);
  Sleep(2500);
}

// The text of the window's visible static that begins with prefix.
struct FindPrefix {
  const char* prefix;
  std::string found;
};
BOOL CALLBACK findPrefix(HWND hwnd, LPARAM param) {
  auto* f = reinterpret_cast<FindPrefix*>(param);
  const std::string text = textOf(hwnd);
  if (IsWindowVisible(hwnd) && text.rfind(f->prefix, 0) == 0) {
    f->found = text;
    return FALSE;
  }
  return TRUE;
}
std::string lineStartingWith(HWND window, const char* prefix) {
  FindPrefix find{prefix, ""};
  EnumChildWindows(window, findPrefix, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

std::string systemIni(const char* entry) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  char value[64] = {};
  GetPrivateProfileStringA("vcache", entry, "<absent>", value, sizeof value, (std::string(windows) + "\\SYSTEM.INI").c_str());
  return value;
}

// "type:number" of a registry value, or "<absent>".
std::string cdfs(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\FileSystem\\CDFS", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return "<absent>";
  BYTE data[64] = {};
  DWORD size = sizeof data, type = 0;
  LONG error = RegQueryValueExA(key, name, nullptr, &type, data, &size);
  RegCloseKey(key);
  if (error != ERROR_SUCCESS) return "<absent>";
  if (type == REG_DWORD) return "dword:" + std::to_string(*reinterpret_cast<DWORD*>(data));
  return "type " + std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data));
}

// "target | working directory" as the shell's own link object reads the file, or why not.
std::string resolved(const std::string& file) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return "<no shell link object>";
  std::string result = "<not a shortcut>";
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
      char target[MAX_PATH] = {}, directory[MAX_PATH] = {};
      link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
      link->GetWorkingDirectory(directory, MAX_PATH);
      result = std::string(target) + " | " + directory;
    }
    persist->Release();
  }
  link->Release();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);  // the runner reacts to "shot" lines as they come
  if (argc != 2) {
    std::printf("usage: program_page_end_to_end Varnex.exe\n");
    return 2;
  }
  CoInitialize(nullptr);
  PROCESS_INFORMATION program = start(argv[1], kProgramFolder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the main window is shown");
  if (!window) {
    stop(program);
    return 1;
  }

  check(selectTab(program.hProcess, window, 10) && childByCaption(window, "Back to Windows Default"),
        "the Varnex page is shown");
  check(childByCaption(window, "Home Page") && childByCaption(window, "Send Email") &&
            childByCaption(window, "Enable Start Menu Icon"),
        "with its links and shortcut options");
  shot("program-page");

  // "About": the operating-system line as this Windows 98 reports itself.
  leftClick(childByCaption(window, "About"));
  HWND about = waitForVisible("TAboutBox", "About", 10000);
  check(about != nullptr, "About opens the information window");
  check(!IsWindowEnabled(window), "the main window waits while it is open");
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  std::string expected = "Windows 98 4.10 (Build " + std::to_string(version.dwBuildNumber & 0xFFFF);
  expected += version.szCSDVersion[0] ? std::string(": ") + version.szCSDVersion + ")" : std::string(")");
  const std::string os = about ? lineStartingWith(about, "Windows") : "";
  check(version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && os == expected,
        "it shows the Windows 98 line, the build's high word left out");
  std::printf("      OS line: '%s' (expected '%s')\n", os.c_str(), expected.c_str());
  check(about && !lineStartingWith(about, "Total physical Memory : ").empty(), "and the memory figures' captions");
  shot("about");
  leftClick(childByCaption(about, "OK"));
  check(waitUntil([](HWND w) { return !IsWindowVisible(w); }, about, 5000), "OK hides it");
  check(waitUntil([](HWND w) { return IsWindowEnabled(w) != FALSE; }, window, 5000), "and enables the main window");

  // The close box closes it the same way.
  leftClick(childByCaption(window, "About"));
  check(waitForVisible("TAboutBox", "About", 10000) != nullptr, "About opens it again");
  PostMessageA(about, WM_CLOSE, 0, 0);
  check(waitUntil([](HWND w) { return !IsWindowVisible(w); }, about, 5000), "the close box hides it");
  check(waitUntil([](HWND w) { return IsWindowEnabled(w) != FALSE; }, window, 5000), "and enables the main window");

  // "Back to Windows Default", Yes.
  HWND back = childByCaption(window, "Back to Windows Default");
  leftClick(back);
  HWND confirm = waitForVisible("#32770", "Confirm", 10000);
  check(confirm != nullptr, "the press asks for confirmation");
  check(confirm && childByCaption(confirm, "Are you sure ?"), "\"Are you sure ?\"");
  check(SendMessageA(back, BM_GETCHECK, 0, 0) == BST_CHECKED, "the box is checked while it asks");
  if (confirm) leftClick(childByCaption(confirm, "&Yes"));
  check(waitUntil([](HWND w) { return FindWindowA("#32770", "Confirm") == nullptr && IsWindowEnabled(w) != FALSE; },
                  window, 30000),
        "Yes runs the steps and Apply");
  Sleep(1000);
  check(SendMessageA(back, BM_GETCHECK, 0, 0) == BST_UNCHECKED, "the box is back to rest");
  check(captureOf(program.dwThreadId) == nullptr, "the press that asked left no control holding the mouse");
  check(FindWindowA("#32770", nullptr) == nullptr || !IsWindowVisible(FindWindowA("#32770", nullptr)),
        "no error was shown");
  shot("after-default");

  for (const char* entry : {"MinFileCache", "MaxFileCache", "CHUNKSIZE"})
    check(systemIni(entry) == "0", (std::string("SYSTEM.INI [vcache] ") + entry + "=0").c_str());
  check(cdfs("CacheSize") == "dword:620", "CDFS CacheSize is REG_DWORD 620");
  check(cdfs("PreFetch") == "dword:228", "CDFS PreFetch is REG_DWORD 228");
  std::printf("      CDFS: %s, %s\n", cdfs("CacheSize").c_str(), cdfs("PreFetch").c_str());

  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  const std::string menu = std::string(windows) + "\\Start Menu\\Programs\\Varnex 2000\\";
  const std::string folder = kProgramFolder;
  const std::pair<const char*, std::string> links[] = {
      {"Varnex 2000.lnk", folder + "\\Varnex.exe"},
      {"Readme.lnk", folder + "\\Readme.txt"},
      {"Uninstall.lnk", folder + "\\Uninstall.lnk"},
  };
  for (const auto& [name, target] : links) {
    const std::string got = resolved(menu + name);
    check(lstrcmpiA(got.c_str(), (target + " | " + folder).c_str()) == 0,
          (std::string("the start menu's ") + name + " is a shortcut to " + target).c_str());
    std::printf("      %s: %s\n", name, got.c_str());
  }

  leftClick(childByCaption(window, "Cancel"));
  check(exited(program, 30000), "Cancel closes the program");
  stop(program);
  CoUninitialize();
  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
