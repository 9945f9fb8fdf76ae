// Prints the target and working directory of a shortcut as the system's own shell-link object
// reads them, one per line. Usage: link_target file.lnk
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: link_target file.lnk\n");
    return 2;
  }
  if (FAILED(CoInitialize(nullptr))) return 3;
  int rc = 1;
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      WCHAR wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, argv[1], -1, wide, MAX_PATH);
      char target[MAX_PATH] = "", directory[MAX_PATH] = "";
      if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
          SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
          SUCCEEDED(link->GetWorkingDirectory(directory, MAX_PATH))) {
        std::printf("%s\n%s\n", target, directory);
        rc = 0;
      } else {
        std::printf("the shell could not load %s\n", argv[1]);
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return rc;
}
