#pragma once
// System functions that only some commands need (the file dialogs, the shell, the component
// system, the compressed-file copy), looked up when first called instead of bound when the
// program loads. The loader maps every library of the import table before WinMain runs, and
// the window needs none of these four to show.
//
//   static const auto open = win32::lateBound<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
//   if (open && open(&dialog)) ...
#include <windows.h>

namespace varnex::win32 {

// Null when the library or the function is missing; the library stays loaded once found.
template <class Function>
Function* lateBound(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadLibraryA(library);
  if (!module) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace varnex::win32
