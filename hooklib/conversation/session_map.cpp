#include "hooklib/conversation/session_map.h"

#include <memory>
#include <new>
#include <string>

#include "common/capacities.h"
#include "common/history_naming.h"
#include "hooklib/core/system_clock.h"
#include "hooklib/core/window_subclass.h"

namespace corvane {
namespace {

// Each record rides on its window in a property, as the saved procedures
// do: it goes with the window whichever thread owns it.
const char* SessionProperty() {
  static const std::string kName = OwnPropertyName("session", &kName);
  return kName.c_str();
}

}  // namespace

SessionRecord* FindSession(HWND window) {
  return static_cast<SessionRecord*>(GetPropA(window, SessionProperty()));
}

// The window goes without a record when out of memory: its history is not kept.
SessionRecord* InsertSession(HWND window) {
  if (SessionRecord* found = FindSession(window)) return found;
  auto record = std::unique_ptr<SessionRecord>(new (std::nothrow) SessionRecord());
  if (!record || !SetPropA(window, SessionProperty(), record.get())) return nullptr;
  return record.release();
}

void EraseSession(HWND window) {
  delete static_cast<SessionRecord*>(RemovePropA(window, SessionProperty()));
}

void MakeSessionKey(SessionRecord& record, HWND window) {
  const LocalClockTime now = LocalTimeNow();
  const std::string key = MakeSessionKey(now.hour, now.minute, now.second,
                                         static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(window)));
  CopyBounded(record.SessionKey, kSessionKeyCapacity, key.c_str());
}

}  // namespace corvane
