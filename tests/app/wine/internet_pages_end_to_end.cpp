// Drives the real varnex.exe under Wine on a machine with one network card: "Automatic" on both
// Internet pages then "Apply" writes the tuned values to the adapter entry, MSTCP and NWLink;
// "Windows Default" on both then "Apply" writes the default set. Read back with reg query.
// Usage: internet_pages_end_to_end Z:\path\to\Varnex.exe
#include "tests/app/wine/driver.h"

using namespace varnex::e2e;

namespace {

const std::string kNet0 = "HKLM\\System\\CurrentControlSet\\Services\\Class\\Net\\0000";
const std::string kTcp = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const std::string kParams = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\";

void add(const std::string& key, const char* name, const char* data) {
  run("reg add \"" + key + "\" /v " + name + " /t REG_SZ /d \"" + data + "\" /f");
}

// The string data of one value as reg query prints it, or "<absent>".
std::string query(const std::string& key, const char* name) {
  const std::string out = run("reg query \"" + key + "\" " + (*name ? std::string("/v ") + name : "/ve"));
  const std::size_t type = out.find("REG_SZ");
  if (type == std::string::npos) return "<absent>";
  std::size_t from = out.find_first_not_of(' ', type + 6);
  if (from == std::string::npos) return "";
  const std::size_t end = out.find_first_of("\r\n", from);
  return out.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

void expect(const std::string& key, const char* name, const char* want) {
  const std::string got = query(key, name);
  const std::string what = key.substr(key.rfind('\\') + 1) + " " + (*name ? name : "(default)") + " = " + want;
  check(got == want, what.c_str());
  if (got != want) std::printf("      reg query gave: %s\n", got.c_str());
}

// A push button of that caption (radio buttons share some captions) on the visible page.
struct PushSearch {
  const char* caption;
  HWND found;
};
BOOL CALLBACK findPush(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<PushSearch*>(param);
  char text[256] = {};
  char cls[32] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  GetClassNameA(hwnd, cls, sizeof cls);
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  if (std::strcmp(text, search->caption) == 0 && lstrcmpiA(cls, "Button") == 0 && IsWindowVisible(hwnd) &&
      (style & BS_TYPEMASK) == BS_PUSHBUTTON) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
HWND pushButton(HWND window, const char* caption) {
  PushSearch search{caption, nullptr};
  EnumChildWindows(window, findPush, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Selects the tab and presses the button on it. The first click after start-up may only
// activate the window, so the tab is clicked again until its page shows.
bool press(HANDLE process, HWND window, int tab, const char* caption) {
  HWND button = nullptr;
  for (int attempt = 0; attempt < 5 && !button; ++attempt) {
    clickTab(process, window, tab);
    Sleep(500);
    button = pushButton(window, caption);
  }
  if (button) leftClick(button);
  return button != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: internet_pages_end_to_end Varnex.exe\n");
    return 2;
  }
  const std::string exe = argv[1];
  const std::string folder = "C:\\Varnex Internet";
  prepareProgramFolder(folder);

  // One network card with a custom MTU; the stack and the transport as a user may have tuned them.
  run("reg delete \"HKLM\\System\\CurrentControlSet\\Services\\Class\\Net\" /f");
  add(kNet0, "DriverDesc", "NE2000 Compatible");
  add(kNet0, "IPMTU", "576");
  add(kTcp, "DefaultTTL", "64");
  add(kTcp, "PMTUDiscovery", "0");
  add(kTcp, "PMTUBlackHoleDetect", "1");
  add(kTcp, "SessionKeepAlive", "100");
  add(kParams + "maxconnect", "min", "4");
  add(kParams + "maxconnect", "max", "32");
  check(query(kNet0, "IPMTU") == "576", "the adapter entry is in the registry");

  PROCESS_INFORMATION program = start(exe, folder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "Varnex 2000 is shown");
  if (window) {
    // What the first read pass found shows on the page: the card's MTU, the stack's time to live.
    HWND mtu = nullptr;
    for (int attempt = 0; attempt < 5 && !mtu; ++attempt) {
      clickTab(program.hProcess, window, 4);
      Sleep(500);
      mtu = childByCaption(window, "576");
    }
    HWND ttl = childByCaption(window, "64");
    check(mtu && SendMessageA(mtu, BM_GETCHECK, 0, 0) == BST_CHECKED, "Internet #1 shows the MTU 576 checked");
    check(ttl && SendMessageA(ttl, BM_GETCHECK, 0, 0) == BST_CHECKED, "and the time to live 64");
    check(press(program.hProcess, window, 4, "Automatic"), "Internet #1 has an Automatic button");
    check(press(program.hProcess, window, 5, "Automatic"), "Internet #2 has an Automatic button");
    HWND apply = pushButton(window, "Apply");
    check(apply != nullptr, "Apply is found");
    leftClick(apply);
    Sleep(1500);
    expect(kNet0, "IPMTU", "1500");
    expect(kTcp, "DefaultRcvWindow", "8760");
    expect(kTcp, "DefaultTTL", "128");
    expect(kTcp, "SessionKeepAlive", "600");
    expect(kTcp, "PMTUDiscovery", "1");
    expect(kTcp, "PMTUBlackHoleDetect", "0");
    expect(kParams + "maxconnect", "max", "128");
    expect(kParams + "maxconnect", "min", "2");
    expect(kParams + "maxsockets", "max", "1020");
    expect(kParams + "maxsockets", "min", "32");
    expect(kParams + "cachesize", "", "16");

    check(press(program.hProcess, window, 4, "Windows Default"), "Internet #1 has a Windows Default button");
    check(press(program.hProcess, window, 5, "Windows Default"), "Internet #2 has a Windows Default button");
    leftClick(apply);
    Sleep(1500);
    expect(kNet0, "IPMTU", "0");
    expect(kTcp, "DefaultRcvWindow", "8192");
    expect(kTcp, "DefaultTTL", "32");
    expect(kTcp, "SessionKeepAlive", "3600");
    expect(kTcp, "PMTUDiscovery", "1");
    expect(kTcp, "PMTUBlackHoleDetect", "0");
    expect(kParams + "maxconnect", "max", "64");
    expect(kParams + "maxconnect", "min", "1");
    expect(kParams + "maxsockets", "max", "255");
    expect(kParams + "maxsockets", "min", "2");
    expect(kParams + "cachesize", "", "0");

    if (HWND cancel = pushButton(window, "Cancel")) leftClick(cancel);
    check(exited(program, 30000), "Cancel closes the program");
  }
  stop(program);

  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
