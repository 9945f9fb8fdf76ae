#pragma once
// The machine as the end-to-end drivers compare it: the parts of the registry the catalogue
// writes, read value for value through the API, and the profile files entry for entry.
#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "tests/app/wine/driver.h"

namespace varnex::e2e {

// The parts of the registry the catalogue writes, read through the API.
struct Branch {
  HKEY root;
  const char* name;
  const char* path;
};
inline const Branch kBranches[] = {
    {HKEY_CLASSES_ROOT, "HKCR", ""},
    {HKEY_CURRENT_USER, "HKCU", "Control Panel"},
    {HKEY_CURRENT_USER, "HKCU", "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
    {HKEY_CURRENT_USER, "HKCU", "Software\\Microsoft\\Internet Explorer"},
    {HKEY_LOCAL_MACHINE, "HKLM", "System\\CurrentControlSet\\Services"},
    {HKEY_LOCAL_MACHINE, "HKLM", "System\\CurrentControlSet\\Control\\Update"},
    {HKEY_LOCAL_MACHINE, "HKLM", "System\\CurrentControlSet\\Control\\FileSystem"},
    {HKEY_LOCAL_MACHINE, "HKLM", "Network"},
    {HKEY_LOCAL_MACHINE, "HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
    {HKEY_LOCAL_MACHINE, "HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\explorer"},
    {HKEY_USERS, "HKU", ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"},
};

// One line per key and per value, upper-cased key names (the registry ignores case), the
// values with their type and bytes; a set, so that the order values were written in is no
// difference.
inline void readTree(HKEY key, const std::string& path, std::set<std::string>& out) {
  char keyName[1024];
  std::string upper = path;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  out.insert("[" + upper + "]");
  for (DWORD i = 0;; ++i) {
    char name[16384];
    DWORD nameLength = sizeof name, type = 0, size = 0;
    if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::vector<unsigned char> data(size + 1);
    nameLength = sizeof name;
    DWORD got = size;
    RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.data(), &got);
    std::string line = "[" + upper + "] \"" + name + "\" type " + std::to_string(type) + ":";
    char byte[4];
    for (DWORD b = 0; b < got; ++b) {
      std::snprintf(byte, sizeof byte, " %02x", data[b]);
      line += byte;
    }
    out.insert(line);
  }
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof keyName;
    if (RegEnumKeyExA(key, i, keyName, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub;
    if (RegOpenKeyExA(key, keyName, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    readTree(sub, path + "\\" + keyName, out);
    RegCloseKey(sub);
  }
}

inline std::set<std::string> readRegistry() {
  std::set<std::string> lines;
  for (const Branch& branch : kBranches) {
    HKEY key;
    const std::string path = std::string(branch.name) + (*branch.path ? std::string("\\") + branch.path : "");
    if (RegOpenKeyExA(branch.root, branch.path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      lines.insert("[" + path + "] missing");
      continue;
    }
    readTree(key, path, lines);
    RegCloseKey(key);
  }
  return lines;
}

// Lines of a that b lacks, at most a few.
template <class Lines>
void printMissing(const Lines& a, const Lines& b, const char* label) {
  int shown = 0;
  for (const std::string& line : a)
    if (!b.count(line) && shown++ < 20) std::printf("  %s %s\n", label, line.c_str());
}

inline std::string windowsDirectory() {
  char dir[MAX_PATH] = {};
  GetWindowsDirectoryA(dir, sizeof dir);
  return dir;
}

// A profile file as its section headers and its lines, each line under its section, in no order:
// an entry the profile functions write back goes to the end of its section.
inline std::multiset<std::string> profileEntries(const std::string& path) {
  const std::vector<unsigned char> bytes = readFile(path);
  const std::string text(bytes.begin(), bytes.end());
  std::multiset<std::string> lines;
  std::string section;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line[0] == '[') {
      section = line;
      lines.insert(section);
    } else {
      lines.insert(section + " " + line);
    }
  }
  return lines;
}

}  // namespace varnex::e2e
