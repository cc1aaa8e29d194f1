#include <windows.h>

#include <cstring>

#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/hook/exports.h"

using corvane::HistoryMutex;
using corvane::Shared;
using corvane::UpdateShared;

// A second call keeps the handle the first one got; only a missing one is
// made again.
extern "C" int WINAPI Init(HHOOK hook) {
  corvane::KernelHandle& mutex = HistoryMutex();
  if (!mutex) mutex.Reset(CreateMutexA(nullptr, FALSE, corvane::kHistoryMutexName));
  UpdateShared([hook](corvane::SharedSettings& s) { s.HookHandle = hook; });
  return 0;
}

extern "C" int WINAPI Shutdown() {
  HistoryMutex().Reset();
  UpdateShared([](corvane::SharedSettings& s) { s.HookHandle = nullptr; });
  return 0;
}

// strncpy semantics on purpose: the rest is NUL-padded and the copy is
// unterminated when the path is as long as the buffer.
extern "C" char* __cdecl GetAppPath(char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return buffer;
  const corvane::SharedSettings settings = corvane::CurrentSettings();
  const size_t field = strnlen(settings.AppPath, corvane::kPathCapacity);
  const size_t n = field < static_cast<size_t>(size) ? field : static_cast<size_t>(size);
  std::memcpy(buffer, settings.AppPath, n);
  std::memset(buffer + n, 0, static_cast<size_t>(size) - n);
  return buffer;
}

extern "C" int __cdecl GetAllowCloning() { return Shared().AllowCloning; }

// The field keeps its terminator even for a path of 260 characters or more.
extern "C" char* __cdecl SetCurDir(const char* path) {
  size_t n = 0;
  if (path != nullptr) n = strnlen(path, corvane::kPathCapacity - 1);
  UpdateShared([path, n](corvane::SharedSettings& s) {
    if (n > 0) std::memcpy(s.CurDir, path, n);
    std::memset(s.CurDir + n, 0, corvane::kPathCapacity - n);
  });
  return Shared().CurDir;
}
