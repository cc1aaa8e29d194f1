#include "common/tick_count_64.h"

#include <cstdint>

#include "common/tick_count_rules.h"

namespace corvane {
namespace {

TickCount64Function KernelTickCount64() {
  HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  if (kernel32 == nullptr) return nullptr;
  return reinterpret_cast<TickCount64Function>(
      reinterpret_cast<void*>(GetProcAddress(kernel32, "GetTickCount64")));
}

// Plain words, each read and written whole with __atomic: constant
// initialised, so they hold before any constructor runs.
TickCount64Lookup g_lookup = nullptr;
TickCountFunction g_tickCountSource = nullptr;
TickCount64Function g_chosen = nullptr;
// The last count given; 8-aligned, which the 64-bit atomic load needs.
alignas(8) uint64_t g_lastCount = 0;

DWORD ReadTickCount() {
  const TickCountFunction source = __atomic_load_n(&g_tickCountSource, __ATOMIC_ACQUIRE);
  return source != nullptr ? source() : GetTickCount();
}

}  // namespace

ULONGLONG WINAPI TickCount64OverTickCount() {
  uint64_t last = __atomic_load_n(&g_lastCount, __ATOMIC_ACQUIRE);
  for (;;) {
    // Read after `last`: a reading older than the kept count would pass for
    // one 49.7 days on.  When another thread kept a count meanwhile, the
    // exchange fails and this one reads again after it.
    const uint64_t next = ExtendTickCount(last, ReadTickCount());
    if (__atomic_compare_exchange_n(&g_lastCount, &last, next, false, __ATOMIC_ACQ_REL,
                                    __ATOMIC_ACQUIRE)) {
      return next;
    }
  }
}

ULONGLONG WINAPI TickCount64() {
  TickCount64Function chosen = __atomic_load_n(&g_chosen, __ATOMIC_ACQUIRE);
  if (chosen == nullptr) {
    // Threads that choose at once all choose the same.
    const TickCount64Lookup lookup = __atomic_load_n(&g_lookup, __ATOMIC_ACQUIRE);
    chosen = lookup != nullptr ? lookup() : KernelTickCount64();
    if (chosen == nullptr) chosen = TickCount64OverTickCount;
    __atomic_store_n(&g_chosen, chosen, __ATOMIC_RELEASE);
  }
  return chosen();
}

void SetTickCount64LookupForTesting(TickCount64Lookup lookup) {
  __atomic_store_n(&g_lookup, lookup, __ATOMIC_RELEASE);
  __atomic_store_n(&g_chosen, nullptr, __ATOMIC_RELEASE);
}

void SetTickCountSourceForTesting(TickCountFunction source) {
  __atomic_store_n(&g_tickCountSource, source, __ATOMIC_RELEASE);
  __atomic_store_n(&g_lastCount, uint64_t{0}, __ATOMIC_RELEASE);
  __atomic_store_n(&g_chosen, nullptr, __ATOMIC_RELEASE);
}

}  // namespace corvane

// The import itself: what "call *__imp__GetTickCount64@0" reads.  Defined
// in an object of the link (not an archive member), it is there before
// winpthreads asks for it, so kernel32's import library is never searched
// for it.
extern "C" {
extern const corvane::TickCount64Function kGetTickCount64Import __asm__(CORVANE_TICK_COUNT_64_IMPORT);
const corvane::TickCount64Function kGetTickCount64Import = corvane::TickCount64;
}
