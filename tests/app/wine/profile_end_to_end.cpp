// Profiles from one machine to another, with Varnex.exe run as a log-on script runs it.
//   profile_end_to_end save  EXE   on the first sample machine: /save C:\room.ini; the settings
//                                  this test compares go to C:\machine-a.txt
//   profile_end_to_end apply EXE   on a second one, given both files: set otherwise first, then
//                                  /apply C:\room.ini makes its settings those of the first;
//                                  a bad profile changes nothing
// Neither run may show a window. One line per check; the exit code counts the failures.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/wine/driver.h"

namespace {

using namespace varnex::e2e;

const std::string kFolder = "C:\\Program Files\\Varnex 2000";

// A setting the profile decides, and how the second machine holds it before the profile comes.
struct Place {
  enum Kind { Registry, Profile, Folder, File } kind;
  HKEY root;
  const char* where;  // key, profile file or path
  const char* name;   // value or "section/entry"; for a key's presence, nullptr
  // The second machine's setting: REG_SZ text, "dword:N", "hex:aa,bb,..", "-" to remove.
  const char* other;
};

const Place kPlaces[] = {
    {Place::Profile, nullptr, "C:\\MSDOS.SYS", "Options/BootMulti", "0"},
    {Place::Profile, nullptr, "C:\\MSDOS.SYS", "Options/BootGUI", "0"},
    {Place::Profile, nullptr, "C:\\MSDOS.SYS", "Options/DoubleBuffer", "0"},
    {Place::Profile, nullptr, "C:\\MSDOS.SYS", "Options/AutoScan", "0"},
    {Place::Profile, nullptr, "SYSTEM.INI", "386Enh/PageBuffers", "32"},
    {Place::Profile, nullptr, "SYSTEM.INI", "386Enh/LocalLoadHigh", "1"},
    {Place::Profile, nullptr, "SYSTEM.INI", "vcache/MinFileCache", "4096"},
    {Place::Profile, nullptr, "SYSTEM.INI", "vcache/MaxFileCache", "16384"},
    {Place::Profile, nullptr, "SYSTEM.INI", "vcache/CHUNKSIZE", "256"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\FileSystem", "ContigFileAllocSize",
     "dword:512"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "Network\\Logon", "MustBeValidated", "dword:1"},
    {Place::Registry, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoDriveTypeAutoRun", "hex:bd,00,00,00"},
    {Place::Registry, HKEY_CLASSES_ROOT, "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder", "Attributes",
     "hex:70,01,00,20"},
    {Place::Registry, HKEY_CLASSES_ROOT, "lnkfile", "IsShortcut", "-"},
    {Place::Registry, HKEY_CURRENT_USER, "Control Panel\\Desktop", "SmoothScroll", "-"},
    {Place::Registry, HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", "MinAnimate", "0"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\FileSystem",
     "DisableLowDiskSpaceBroadcast", "hex:ff,ff,ff,ff"},
    {Place::Registry, HKEY_CLASSES_ROOT, "Directory\\shell\\DOS\\Command", nullptr, "C:\\Command.com"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\VxD\\MSTCP", "DefaultTTL", "128"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\Net\\0000", "IPMTU", "1500"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\Net\\0001", "IPMTU", "576"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\maxconnect",
     "max", "128"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\maxsockets",
     "min", "32"},
    {Place::Registry, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates", "", "Server"},
    {Place::Folder, nullptr, "C:\\WINDOWS\\Start Menu\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}", nullptr,
     "+"},
    {Place::File, nullptr, "C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", nullptr, "+"},
};

std::string placeName(const Place& p) {
  const char* roots[] = {"HKCR", "HKCU", "HKLM"};
  const int root = p.root == HKEY_CLASSES_ROOT ? 0 : p.root == HKEY_CURRENT_USER ? 1 : 2;
  switch (p.kind) {
    case Place::Registry: return std::string(roots[root]) + "\\" + p.where + (p.name ? std::string(" : ") + p.name : "");
    case Place::Profile: return std::string(p.where) + " [" + p.name + "]";
    default: return p.where;
  }
}

std::string hexOf(const unsigned char* data, DWORD size) {
  std::string out;
  char byte[4];
  for (DWORD i = 0; i < size; ++i) {
    std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", data[i]);
    out += byte;
  }
  return out;
}

std::string read(const Place& p) {
  switch (p.kind) {
    case Place::Registry: {
      HKEY key = nullptr;
      if (RegOpenKeyExA(p.root, p.where, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<absent>";
      if (!p.name) {
        RegCloseKey(key);
        return "<key>";
      }
      unsigned char data[1024];
      DWORD type = 0, size = sizeof data;
      const LONG error = RegQueryValueExA(key, p.name, nullptr, &type, data, &size);
      RegCloseKey(key);
      if (error != ERROR_SUCCESS) return "<absent>";
      if (type == REG_SZ) return "sz:" + std::string(reinterpret_cast<char*>(data), size ? size - 1 : 0);
      return "type" + std::to_string(type) + ":" + hexOf(data, size);
    }
    case Place::Profile: {
      const std::string name = p.name;
      const std::string section = name.substr(0, name.find('/')), entry = name.substr(name.find('/') + 1);
      char text[512];
      GetPrivateProfileStringA(section.c_str(), entry.c_str(), "<absent>", text, sizeof text, p.where);
      return text;
    }
    case Place::Folder:
    case Place::File: {
      const DWORD attributes = GetFileAttributesA(p.where);
      if (attributes == INVALID_FILE_ATTRIBUTES) return "<absent>";
      return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? "<folder>" : "<file>";
    }
  }
  return "";
}

bool setOtherwise(const Place& p) {
  const std::string other = p.other;
  switch (p.kind) {
    case Place::Registry: {
      HKEY key = nullptr;
      if (RegCreateKeyExA(p.root, p.where, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
      LONG error = ERROR_SUCCESS;
      if (other == "-") {
        error = RegDeleteValueA(key, p.name);
      } else if (other.rfind("dword:", 0) == 0) {
        const DWORD value = std::stoul(other.substr(6));
        error = RegSetValueExA(key, p.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
      } else if (other.rfind("hex:", 0) == 0) {
        std::vector<BYTE> bytes;
        for (std::size_t at = 4; at < other.size(); at += 3)
          bytes.push_back(static_cast<BYTE>(std::stoul(other.substr(at, 2), nullptr, 16)));
        error = RegSetValueExA(key, p.name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
      } else {
        error = RegSetValueExA(key, p.name ? p.name : "", 0, REG_SZ, reinterpret_cast<const BYTE*>(other.c_str()),
                               static_cast<DWORD>(other.size() + 1));
      }
      RegCloseKey(key);
      return error == ERROR_SUCCESS;
    }
    case Place::Profile: {
      const std::string name = p.name;
      const std::string section = name.substr(0, name.find('/')), entry = name.substr(name.find('/') + 1);
      // The boot options file is read-only, as setup leaves it.
      const DWORD attributes = GetFileAttributesA(p.where);
      SetFileAttributesA(p.where, FILE_ATTRIBUTE_ARCHIVE);
      const BOOL ok = WritePrivateProfileStringA(section.c_str(), entry.c_str(), other.c_str(), p.where);
      if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(p.where, attributes);
      return ok != FALSE;
    }
    case Place::Folder: return CreateDirectoryA(p.where, nullptr) != FALSE;
    case Place::File: return writeFile(p.where, "not a shortcut", 14);
  }
  return false;
}

std::map<std::string, std::string> settingsNow() {
  std::map<std::string, std::string> now;
  for (const Place& p : kPlaces) now[placeName(p)] = read(p);
  // C:\MSDOS.SYS stays read-only after a run that had to make it writable.
  now["C:\\MSDOS.SYS read-only"] = (GetFileAttributesA("C:\\MSDOS.SYS") & FILE_ATTRIBUTE_READONLY) ? "yes" : "no";
  return now;
}

void saveSettings(const std::map<std::string, std::string>& settings, const std::string& path) {
  std::string text;
  for (const auto& [name, value] : settings) text += name + "\t" + value + "\n";
  writeFile(path, text.data(), static_cast<DWORD>(text.size()));
}

std::map<std::string, std::string> loadSettings(const std::string& path) {
  std::map<std::string, std::string> settings;
  const std::vector<unsigned char> bytes = readFile(path);
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  for (std::string line; std::getline(in, line);)
    settings[line.substr(0, line.find('\t'))] = line.substr(line.find('\t') + 1);
  return settings;
}

std::string textOfFile(const std::string& path) {
  const std::vector<unsigned char> bytes = readFile(path);
  return std::string(bytes.begin(), bytes.end());
}

std::string lastLogLine() {
  const std::string log = textOfFile(kFolder + "\\Apply.log");
  const std::size_t end = log.rfind("\r\n");
  if (end == std::string::npos) return "";
  const std::size_t begin = log.rfind("\r\n", end - 1);
  return log.substr(begin == std::string::npos ? 0 : begin + 2, end - (begin == std::string::npos ? 0 : begin + 2));
}

struct Seen {
  DWORD process;
  std::vector<std::string> windows;
};

BOOL CALLBACK noteVisible(HWND hwnd, LPARAM param) {
  auto* seen = reinterpret_cast<Seen*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process == seen->process && IsWindowVisible(hwnd)) {
    char cls[64] = {}, title[128] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    seen->windows.push_back(std::string(cls) + " \"" + title + "\"");
  }
  return TRUE;
}

// Runs Varnex.exe with the arguments from its folder, as a log-on script does after cd, looking
// for a visible window of it all the while. The exit code, or -1 when it did not end in time.
int runUnattended(const std::string& exe, const std::string& arguments, const char* what) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string command = "\"" + exe + "\" " + arguments;
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, kFolder.c_str(), &si, &pi)) {
    std::printf("cannot start %s: error %lu\n", exe.c_str(), GetLastError());
    return -1;
  }
  Seen seen{pi.dwProcessId, {}};
  DWORD waited = 0;
  while (WaitForSingleObject(pi.hProcess, 10) == WAIT_TIMEOUT && (waited += 10) < 60000)
    EnumWindows(noteVisible, reinterpret_cast<LPARAM>(&seen));
  DWORD code = 0;
  const bool ended = GetExitCodeProcess(pi.hProcess, &code) && code != STILL_ACTIVE;
  if (!ended) TerminateProcess(pi.hProcess, 9);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  for (const std::string& window : seen.windows) std::printf("  %s showed the window %s\n", what, window.c_str());
  check(seen.windows.empty(), (std::string(what) + " shows no window").c_str());
  return ended ? static_cast<int>(code) : -1;
}

// The settings that differ from what is expected, one line each.
int differences(const std::map<std::string, std::string>& expected, const std::map<std::string, std::string>& now,
                bool print) {
  int count = 0;
  for (const auto& [name, value] : expected) {
    auto it = now.find(name);
    const std::string found = it == now.end() ? "<not read>" : it->second;
    if (found == value) continue;
    ++count;
    if (print) std::printf("  %s: %s, not %s\n", name.c_str(), found.c_str(), value.c_str());
  }
  return count;
}

std::size_t backupsMade() {
  std::size_t count = 0;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((kFolder + "\\Backup\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (found.cFileName[0] != '.') ++count;
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return count;
}

void onFirstMachine(const std::string& exe) {
  const std::map<std::string, std::string> before = settingsNow();
  saveSettings(before, "C:\\machine-a.txt");
  check(runUnattended(exe, "/save C:\\room.ini", "/save") == 0, "/save ends with exit code 0");
  const std::string profile = textOfFile("C:\\room.ini");
  check(profile.rfind("[Varnex 2000 Profile]\r\nVersion=1\r\n", 0) == 0, "the profile begins with its version");
  check(profile.find("\r\n[Boot]\r\nDisable Boot Function Keys=off\r\n") != std::string::npos,
        "the profile names the Boot page's options");
  check(differences(before, settingsNow(), true) == 0, "saving changes none of the settings");
  check(lastLogLine().find("/save \"C:\\room.ini\": OK") != std::string::npos, "Apply.log says the save went well");
  std::printf("  log: %s\n", lastLogLine().c_str());
}

void onSecondMachine(const std::string& exe) {
  const std::map<std::string, std::string> first = loadSettings("C:\\machine-a.txt");
  check(first.size() == sizeof kPlaces / sizeof kPlaces[0] + 1, "the first machine's settings are here");
  bool setUp = true;
  for (const Place& p : kPlaces) setUp = setOtherwise(p) && setUp;
  check(setUp, "the second machine is set otherwise");
  check(differences(first, settingsNow(), false) == static_cast<int>(sizeof kPlaces / sizeof kPlaces[0]),
        "it differs from the first in every setting compared");

  check(runUnattended(exe, "/apply C:\\room.ini", "/apply") == 0, "/apply ends with exit code 0");
  check(differences(first, settingsNow(), true) == 0, "its settings are the first machine's now");
  check(lastLogLine().find("/apply \"C:\\room.ini\": OK") != std::string::npos, "Apply.log says the apply went well");
  check(backupsMade() == 1, "the apply left one backup");
  check(runUnattended(exe, "/save C:\\again.ini", "/save") == 0 && textOfFile("C:\\again.ini") == textOfFile("C:\\room.ini"),
        "saved again, it gives the first machine's profile");

  // A bad line: every setting, the boot options file and the backups stay as they are.
  std::string bad = textOfFile("C:\\room.ini");
  const std::string line = "Disable Autoscan on Boot Up=off";
  const std::size_t at = bad.find(line);
  int number = 1;
  for (std::size_t i = 0; i < at; ++i) number += bad[i] == '\n';
  bad.replace(at, line.size(), "Disable Autoscan on Boot Up=maybe");
  writeFile("C:\\bad.ini", bad.data(), static_cast<DWORD>(bad.size()));
  const std::map<std::string, std::string> applied = settingsNow();
  const std::string msdos = textOfFile("C:\\MSDOS.SYS"), systemIni = textOfFile("C:\\WINDOWS\\SYSTEM.INI");
  check(runUnattended(exe, "/apply \"C:\\bad.ini\"", "/apply of a bad profile") == 4,
        "a bad profile ends with exit code 4");
  const std::string logged = lastLogLine();
  std::printf("  log: %s\n", logged.c_str());
  check(logged.find("error 4: line " + std::to_string(number) +
                    ": \"Disable Autoscan on Boot Up\" takes \"on\" or \"off\", not \"maybe\"") != std::string::npos,
        "Apply.log names the bad line");
  check(differences(applied, settingsNow(), true) == 0 && textOfFile("C:\\MSDOS.SYS") == msdos &&
            textOfFile("C:\\WINDOWS\\SYSTEM.INI") == systemIni,
        "the bad profile changed nothing");
  check(backupsMade() == 1, "and left no backup");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: profile_end_to_end save|apply VARNEX.EXE\n");
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "save") onFirstMachine(argv[2]);
  else onSecondMachine(argv[2]);
  return failures;
}
