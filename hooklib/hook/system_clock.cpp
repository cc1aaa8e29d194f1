#include "system_clock.h"

#include <windows.h>

namespace corvane {
namespace {

uint64_t RealSystemTime() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME ft;
  SystemTimeToFileTime(&now, &ft);
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

TimeSource g_source = nullptr;

}  // namespace

uint64_t SystemTimeNow() { return g_source != nullptr ? g_source() : RealSystemTime(); }

void SetSystemTimeSource(TimeSource source) { g_source = source; }

}  // namespace corvane
