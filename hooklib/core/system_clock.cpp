#include "hooklib/core/system_clock.h"

#include <windows.h>

#include "common/file_time.h"

namespace corvane {
namespace {

uint64_t RealSystemTime() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME ft;
  SystemTimeToFileTime(&now, &ft);
  return FileTimeTicks(ft);
}

LocalClockTime RealLocalTime() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond};
}

TimeSource g_source = nullptr;
LocalTimeSource g_localSource = nullptr;

}  // namespace

uint64_t SystemTimeNow() { return g_source != nullptr ? g_source() : RealSystemTime(); }

void SetSystemTimeSource(TimeSource source) { g_source = source; }

LocalClockTime LocalTimeNow() {
  return g_localSource != nullptr ? g_localSource() : RealLocalTime();
}

void SetLocalTimeSource(LocalTimeSource source) { g_localSource = source; }

}  // namespace corvane
