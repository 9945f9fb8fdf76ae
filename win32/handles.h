#pragma once
// Move-only owners of Windows handles and COM interface pointers, one kind per closing function.
// No owner is copyable, so nothing is closed or released twice; no handle leaves a function bare.
//
//   win32::UniqueKey key;
//   if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
//   win32::ComPtr<IShellLinkA> link;
//   CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, link.putVoid());
#include <windows.h>

#include <utility>

namespace varnex::win32 {

template <class Handle, class Traits>
class Owner {
 public:
  Owner() = default;
  explicit Owner(Handle handle) : handle_(handle) {}
  Owner(Owner&& other) noexcept : handle_(other.release()) {}
  Owner& operator=(Owner&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  ~Owner() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::invalid(); }
  Handle release() { return std::exchange(handle_, Traits::invalid()); }
  void reset(Handle handle = Traits::invalid()) {
    if (handle_ != Traits::invalid()) Traits::close(handle_);
    handle_ = handle;
  }
  // For functions that hand a new handle back through a pointer: closes the old one first.
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::invalid();
};

struct KeyTraits {
  static HKEY invalid() { return nullptr; }
  static void close(HKEY key) { RegCloseKey(key); }
};
// Files, whose failed open is INVALID_HANDLE_VALUE.
struct FileTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE handle) { CloseHandle(handle); }
};
// Threads, processes, events, job objects: a failed creation is null.
struct KernelTraits {
  static HANDLE invalid() { return nullptr; }
  static void close(HANDLE handle) { CloseHandle(handle); }
};
struct FindTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE handle) { FindClose(handle); }
};
template <class Object>
struct GdiTraits {
  static Object invalid() { return nullptr; }
  static void close(Object object) { DeleteObject(object); }
};
struct IconTraits {
  static HICON invalid() { return nullptr; }
  static void close(HICON icon) { DestroyIcon(icon); }
};

struct MenuTraits {
  static HMENU invalid() { return nullptr; }
  static void close(HMENU menu) { DestroyMenu(menu); }
};

using UniqueKey = Owner<HKEY, KeyTraits>;
using UniqueFile = Owner<HANDLE, FileTraits>;
using UniqueHandle = Owner<HANDLE, KernelTraits>;
using UniqueFind = Owner<HANDLE, FindTraits>;
template <class Object>
using UniqueGdi = Owner<Object, GdiTraits<Object>>;
using UniqueIcon = Owner<HICON, IconTraits>;
using UniqueMenu = Owner<HMENU, MenuTraits>;  // a menu no window owns

// A COM interface pointer that releases what it holds.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(Interface* pointer) : pointer_(pointer) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  void reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }
  // For CoCreateInstance and QueryInterface.
  void** putVoid() {
    reset();
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace varnex::win32
