#pragma once
// The operating-system operations behind the stores, one interface per store. Each call mirrors
// the Win32 function named beside it: same arguments, same results and error codes, so that the
// in-memory backend and the Win32 backend are interchangeable under the same store code.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnex::settings {

using RegHandle = std::uintptr_t;
inline constexpr RegHandle kHkeyClassesRoot = 0x80000000u;
inline constexpr RegHandle kHkeyCurrentUser = 0x80000001u;
inline constexpr RegHandle kHkeyLocalMachine = 0x80000002u;
inline constexpr RegHandle kHkeyUsers = 0x80000003u;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;
inline constexpr long kErrorKeyDeleted = 1018;

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  // RegOpenKeyExA with KEY_ALL_ACCESS.
  virtual long openKey(RegHandle base, const std::string& subKey, RegHandle& result) = 0;
  // RegCreateKeyExA, non-volatile, KEY_ALL_ACCESS; creates missing parents.
  virtual long createKey(RegHandle base, const std::string& subKey, RegHandle& result) = 0;
  virtual long closeKey(RegHandle key) = 0;
  // RegQueryValueExA: data may be null to ask only for type and size; *size is the buffer size
  // on entry and the data size on return (kErrorMoreData when the buffer is too small).
  virtual long queryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExA.
  virtual long setValue(RegHandle key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) = 0;
  virtual long deleteValue(RegHandle key, const std::string& name) = 0;  // RegDeleteValueA
  // RegDeleteKeyA: only a key without subkeys is removed (as on NT; 98 would take the subtree).
  virtual long deleteKey(RegHandle key, const std::string& subKey) = 0;
  // RegQueryInfoKeyA: number of subkeys and the length of the longest subkey name.
  virtual long queryInfoKey(RegHandle key, std::uint32_t& subKeys, std::uint32_t& maxNameLength) = 0;
  // RegEnumKeyExA: nameLength is the buffer size in characters on entry (room for the NUL),
  // the name's length without the NUL on return.
  virtual long enumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t& nameLength) = 0;
  // RegEnumValueA: the value at an index, its name as stored, type and data; kErrorNoMoreItems
  // past the last. The backup needs it to keep a key's values before the key is deleted.
  virtual long enumValue(RegHandle key, std::uint32_t index, std::string& name, std::uint32_t& type,
                         std::vector<std::uint8_t>& data) = 0;
};

class ProfileApi {
 public:
  virtual ~ProfileApi() = default;
  // GetPrivateProfileStringA. With entry null: the section's entry names, each NUL-terminated,
  // ended by an empty name. A file name without a directory lies in the Windows directory.
  virtual std::uint32_t getString(const std::string& section, const std::string* entry,
                                  const std::string& defaultText, char* buffer,
                                  std::uint32_t size, const std::string& file) = 0;
  // WritePrivateProfileStringA; value null deletes the entry.
  virtual bool writeString(const std::string& section, const std::string& entry,
                           const std::string* value, const std::string& file) = 0;
};

inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

inline constexpr std::uint16_t kOfRead = 0x0000;
inline constexpr std::uint16_t kOfCreate = 0x1000;

class FileApi {
 public:
  virtual ~FileApi() = default;
  virtual std::uint32_t getFileAttributes(const std::string& path) = 0;  // GetFileAttributesA
  virtual bool setFileAttributes(const std::string& path, std::uint32_t attributes) = 0;
  // FindFirstFileA (and FindClose): the attributes of the first entry of that name.
  virtual bool findFirstFile(const std::string& path, std::uint32_t& attributes) = 0;
  virtual bool createDirectory(const std::string& path) = 0;  // CreateDirectoryA
  virtual bool removeDirectory(const std::string& path) = 0;  // RemoveDirectoryA
  virtual bool deleteFile(const std::string& path) = 0;       // DeleteFileA
  // LZOpenFileA / LZCopy / LZClose; a negative handle or result is a failure.
  virtual int lzOpenFile(const std::string& path, std::uint16_t style) = 0;
  virtual long lzCopy(int source, int destination) = 0;
  virtual void lzClose(int handle) = 0;
  virtual std::string windowsDirectory() = 0;  // GetWindowsDirectoryA, 144-byte buffer
  virtual std::string currentDirectory() = 0;  // GetCurrentDirectoryA
};

// IPersistFile of a shell-link object.
class PersistFile {
 public:
  virtual ~PersistFile() = default;  // Release
  // IPersistFile::Save, the name converted from the ANSI code page to UTF-16 by the backend.
  virtual long save(const std::string& fileName, bool remember) = 0;
};

// IShellLinkA of a shell-link object.
class ShellLink {
 public:
  virtual ~ShellLink() = default;  // Release
  virtual long setPath(const std::string& target) = 0;
  virtual long setWorkingDirectory(const std::string& directory) = 0;
  virtual std::unique_ptr<PersistFile> queryPersistFile() = 0;  // null when not offered
};

class ShellApi {
 public:
  virtual ~ShellApi() = default;
  // CoCreateInstance(CLSID_ShellLink, in-process, IID_IShellLinkA); null on failure.
  virtual std::unique_ptr<ShellLink> createShellLink() = 0;
};

// Everything the stores reach, from one backend.
struct StoreApis {
  RegistryApi& registry;
  ProfileApi& profiles;
  FileApi& files;
  ShellApi& shell;
};

}  // namespace varnex::settings
