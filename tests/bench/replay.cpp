#include "tests/bench/replay.h"

#include <windows.h>
#include <lzexpand.h>
#include <objbase.h>
#include <shlobj.h>

namespace varnex::bench {

namespace {

const CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

union Slot {
  HKEY key;
  INT lz;
  IShellLinkA* link;
  IPersistFile* file;
};

const char* orNull(const std::string& text, bool present) { return present ? text.c_str() : nullptr; }

}  // namespace

void replay(const std::vector<Call>& calls, int slots) {
  std::vector<Slot> slot(static_cast<size_t>(slots));
  slot[0].key = HKEY_CLASSES_ROOT;
  slot[1].key = HKEY_CURRENT_USER;
  slot[2].key = HKEY_LOCAL_MACHINE;
  slot[3].key = HKEY_USERS;
  static char buffer[16384];
  static WCHAR wide[MAX_PATH * 2];
  for (const Call& c : calls) {
    HKEY key = c.in >= 0 ? slot[c.in].key : nullptr;
    switch (c.op) {
      case Op::OpenKey:
        RegOpenKeyExA(key, c.text1.c_str(), 0, KEY_ALL_ACCESS, &slot[c.out].key);
        break;
      case Op::CreateKey:
        RegCreateKeyExA(key, c.text1.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &slot[c.out].key, nullptr);
        break;
      case Op::CloseKey:
        RegCloseKey(key);
        break;
      case Op::QueryValue: {
        DWORD type = 0, size = c.number;
        RegQueryValueExA(key, c.text1.c_str(), nullptr, &type,
                         c.wantData ? reinterpret_cast<BYTE*>(buffer) : nullptr,
                         c.wantSize ? &size : nullptr);
        break;
      }
      case Op::SetValue:
        RegSetValueExA(key, c.text1.c_str(), 0, c.number, c.data.data(),
                       static_cast<DWORD>(c.data.size()));
        break;
      case Op::DeleteValue:
        RegDeleteValueA(key, c.text1.c_str());
        break;
      case Op::DeleteKey:
        RegDeleteKeyA(key, c.text1.c_str());
        break;
      case Op::QueryInfoKey: {
        DWORD count = 0, longest = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr);
        break;
      }
      case Op::EnumKey: {
        DWORD length = static_cast<DWORD>(c.data.size());
        FILETIME written;
        RegEnumKeyExA(key, c.number, buffer, &length, nullptr, nullptr, nullptr, &written);
        break;
      }
      case Op::ReadProfile:
        GetPrivateProfileStringA(c.text1.c_str(), orNull(c.text2, c.has2), c.text3.c_str(), buffer,
                                 c.number, c.text4.c_str());
        break;
      case Op::WriteProfile:
        WritePrivateProfileStringA(c.text1.c_str(), c.text2.c_str(), orNull(c.text3, c.has3),
                                   c.text4.c_str());
        break;
      case Op::GetAttributes:
        GetFileAttributesA(c.text1.c_str());
        break;
      case Op::SetAttributes:
        SetFileAttributesA(c.text1.c_str(), c.number);
        break;
      case Op::FindFile: {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(c.text1.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        break;
      }
      case Op::MakeFolder:
        CreateDirectoryA(c.text1.c_str(), nullptr);
        break;
      case Op::RemoveFolder:
        RemoveDirectoryA(c.text1.c_str());
        break;
      case Op::RemoveFile:
        DeleteFileA(c.text1.c_str());
        break;
      case Op::LzOpen: {
        OFSTRUCT info = {};
        lstrcpynA(buffer, c.text1.c_str(), sizeof buffer);
        slot[c.out].lz = LZOpenFileA(buffer, &info, static_cast<WORD>(c.number));
        break;
      }
      case Op::LzCopy:
        LZCopy(slot[c.in].lz, slot[c.in2].lz);
        break;
      case Op::LzClose:
        LZClose(slot[c.in].lz);
        break;
      case Op::WindowsDirectory:
        GetWindowsDirectoryA(buffer, 144);
        break;
      case Op::CurrentDirectory:
        GetCurrentDirectoryA(MAX_PATH + 1, buffer);
        break;
      case Op::CreateShellLink:
        slot[c.out].link = nullptr;
        CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                         reinterpret_cast<void**>(&slot[c.out].link));
        break;
      case Op::SetPath:
        slot[c.in].link->SetPath(c.text1.c_str());
        break;
      case Op::SetWorkingDirectory:
        slot[c.in].link->SetWorkingDirectory(c.text1.c_str());
        break;
      case Op::QueryPersistFile:
        if (c.out >= 0)
          slot[c.in].link->QueryInterface(kIidPersistFile, reinterpret_cast<void**>(&slot[c.out].file));
        break;
      case Op::Save:
        MultiByteToWideChar(CP_ACP, 0, c.text1.c_str(), -1, wide, MAX_PATH * 2);
        slot[c.in].file->Save(wide, c.number ? TRUE : FALSE);
        break;
      case Op::ReleaseShellLink:
        slot[c.in].link->Release();
        break;
      case Op::ReleasePersistFile:
        slot[c.in].file->Release();
        break;
    }
  }
}

}  // namespace varnex::bench
