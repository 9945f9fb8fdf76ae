#pragma once
// What the benchmark programs share: a millisecond clock and a count of native windows.
#include <windows.h>

namespace varnex::bench {

inline double now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline BOOL CALLBACK countChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

inline BOOL CALLBACK countWindowAndChildren(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, countChild, count);
  return TRUE;
}

// Every window a thread owns: top-level ones, shown or not, and all their descendants.
inline int windowsOf(DWORD thread) {
  int count = 0;
  EnumThreadWindows(thread, countWindowAndChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace varnex::bench
