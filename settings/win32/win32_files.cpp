#include <windows.h>
#include <lzexpand.h>

#include <vector>

#include "settings/win32/win32_backend.h"
#include "win32/handles.h"
#include "win32/late_bound.h"

namespace varnex::settings {

using win32::lateBound;

std::uint32_t Win32Files::getFileAttributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

bool Win32Files::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool Win32Files::findFirstFile(const std::string& path, std::uint32_t& attributes) {
  WIN32_FIND_DATAA found;
  win32::UniqueFind search(FindFirstFileA(path.c_str(), &found));
  if (!search) return false;
  attributes = found.dwFileAttributes;
  return true;
}

bool Win32Files::createDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32Files::removeDirectory(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool Win32Files::deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

int Win32Files::lzOpenFile(const std::string& path, std::uint16_t style) {
  OFSTRUCT info = {};
  std::vector<char> name(path.begin(), path.end());
  name.push_back('\0');
  static const auto lzOpen = lateBound<decltype(LZOpenFileA)>("lz32.dll", "LZOpenFileA");
  return lzOpen ? lzOpen(name.data(), &info, style) : LZERROR_BADINHANDLE;
}

long Win32Files::lzCopy(int source, int destination) {
  static const auto lzCopyFile = lateBound<decltype(LZCopy)>("lz32.dll", "LZCopy");
  return lzCopyFile ? lzCopyFile(source, destination) : LZERROR_BADINHANDLE;
}

void Win32Files::lzClose(int handle) {
  static const auto lzCloseFile = lateBound<decltype(LZClose)>("lz32.dll", "LZClose");
  if (lzCloseFile) lzCloseFile(handle);
}

std::string Win32Files::windowsDirectory() {
  char buffer[144] = {};
  UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  return length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string Win32Files::currentDirectory() {
  std::vector<char> buffer(MAX_PATH + 1);
  DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  return std::string(buffer.data(), length < buffer.size() ? length : 0);
}

}  // namespace varnex::settings
