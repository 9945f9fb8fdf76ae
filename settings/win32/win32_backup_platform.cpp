#include <windows.h>

#include "settings/win32/win32_backup_platform.h"
#include "win32/handles.h"

namespace varnex::settings {

std::optional<std::string> Win32BackupPlatform::readFile(const std::string& path) {
  win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (true) {
    if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  return bytes;
}

void Win32BackupPlatform::flushProfile(const std::string& path) {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

bool Win32BackupPlatform::writeFile(const std::string& path, const std::string& bytes) {
  win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                     nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && FlushFileBuffers(file.get());
}

bool appendToFile(const std::string& path, const std::string& bytes) {
  win32::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_ARCHIVE, nullptr));
  if (!file || SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && FlushFileBuffers(file.get());
}

bool Win32BackupPlatform::appendFile(const std::string& path, const std::string& bytes) {
  return appendToFile(path, bytes);
}

std::vector<FolderEntry> Win32BackupPlatform::listFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAA found;
  win32::UniqueFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!search) return entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search.get(), &found));
  return entries;
}

LocalTime Win32BackupPlatform::localTime() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace varnex::settings
