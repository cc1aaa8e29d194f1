// One owner for every kind of system handle: it is closed when its owner
// goes, on every path.  A kind is a small traits type saying how it is
// closed and which value means none.
#pragma once

#include <windows.h>

#include <utility>

namespace corvane {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }

  // Where a function that makes the handle puts it; any handle held is
  // closed first.
  Handle* Out() {
    Reset();
    return &handle_;
  }

  void Reset(Handle handle = Traits::None()) {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }

  Handle Release() { return std::exchange(handle_, Traits::None()); }

 private:
  Handle handle_ = Traits::None();
};

// Kernel objects: files (whose failure is INVALID_HANDLE_VALUE), mappings,
// processes, threads, mutexes, events.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle None() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A listing of FindFirstFile.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { FindClose(h); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

// Memory the system allocated for the caller with LocalAlloc (security
// descriptors, SID texts).
struct LocalMemoryTraits {
  using Handle = void*;
  static Handle None() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { LocalFree(h); }
};
using LocalMemory = UniqueHandle<LocalMemoryTraits>;

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle None() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// Fonts, pens and brushes made for the caller (never a stock object).  One
// selected into a device context is selected out before its owner goes.
template <typename GdiObject>
struct GdiObjectTraits {
  using Handle = GdiObject;
  static Handle None() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
using OwnedFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using OwnedPen = UniqueHandle<GdiObjectTraits<HPEN>>;

// Icons loaded at a size of the caller's (not shared ones).
struct IconTraits {
  using Handle = HICON;
  static Handle None() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DestroyIcon(h); }
};
using OwnedIcon = UniqueHandle<IconTraits>;

// A menu that no window's bar or other menu holds: once inserted there, it
// is the bar's, and its owner lets go of it (Release).
struct MenuTraits {
  using Handle = HMENU;
  static Handle None() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};
using OwnedMenu = UniqueHandle<MenuTraits>;

}  // namespace corvane
