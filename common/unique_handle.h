// One owner for every kind of system handle: it is closed when its owner
// goes, on every path.  A kind is a small traits type saying how it is
// closed and which value means none.
#pragma once

#include <cstdint>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

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

// What a call that makes a handle gives when it fails: null, or all bits
// set (INVALID_HANDLE_VALUE).  Neither is ever a handle of any kind, so
// both count as none whichever an owner starts with.
enum class NoHandle { kNull, kAllBits };

// A kind of handle that the one function `kRelease` closes.
template <typename HandleType, auto kRelease, NoHandle kNone = NoHandle::kNull>
struct ReleasedBy {
  using Handle = HandleType;
  static Handle None() { return kNone == NoHandle::kNull ? Handle() : AllBits(); }
  static bool IsValid(Handle h) { return h != Handle() && h != AllBits(); }
  static void Close(Handle h) { kRelease(h); }

 private:
  static Handle AllBits() { return reinterpret_cast<Handle>(~std::uintptr_t{0}); }
};

#ifdef _WIN32

// Kernel objects: files (whose failure is INVALID_HANDLE_VALUE), mappings,
// processes, threads, mutexes, events.
using KernelHandle = UniqueHandle<ReleasedBy<HANDLE, CloseHandle>>;

// A listing of FindFirstFile.
using FindHandle = UniqueHandle<ReleasedBy<HANDLE, FindClose, NoHandle::kAllBits>>;

// Memory the system allocated for the caller with LocalAlloc (security
// descriptors, SID texts).
using LocalMemory = UniqueHandle<ReleasedBy<void*, LocalFree>>;

using RegistryKey = UniqueHandle<ReleasedBy<HKEY, RegCloseKey>>;

// Fonts, pens and brushes made for the caller (never a stock object).  One
// selected into a device context is selected out before its owner goes.
using OwnedFont = UniqueHandle<ReleasedBy<HFONT, DeleteObject>>;
using OwnedPen = UniqueHandle<ReleasedBy<HPEN, DeleteObject>>;

// Icons loaded at a size of the caller's (not shared ones).
using OwnedIcon = UniqueHandle<ReleasedBy<HICON, DestroyIcon>>;

// A menu that no window's bar or other menu holds: once inserted there, it
// is the bar's, and its owner lets go of it (Release).
using OwnedMenu = UniqueHandle<ReleasedBy<HMENU, DestroyMenu>>;

#endif

}  // namespace corvane
