#include "hooklib/conversation/session_map.h"

#include <map>
#include <memory>
#include <new>

#include "common/capacities.h"
#include "common/history_naming.h"
#include "hooklib/core/system_clock.h"

namespace corvane {
namespace {

std::map<HWND, std::unique_ptr<SessionRecord>>& Sessions() {
  static std::map<HWND, std::unique_ptr<SessionRecord>> sessions;
  return sessions;
}

}  // namespace

SessionRecord* FindSession(HWND window) {
  auto& sessions = Sessions();
  const auto it = sessions.find(window);
  return it != sessions.end() ? it->second.get() : nullptr;
}

SessionRecord* InsertSession(HWND window) {
  try {
    auto& slot = Sessions()[window];
    if (!slot) slot = std::make_unique<SessionRecord>();
    return slot.get();
  } catch (const std::bad_alloc&) {
    // The window goes without a session record; its history is not kept.
    return nullptr;
  }
}

void EraseSession(HWND window) { Sessions().erase(window); }

void MakeSessionKey(SessionRecord& record, HWND window) {
  const LocalClockTime now = LocalTimeNow();
  const std::string key = MakeSessionKey(now.hour, now.minute, now.second,
                                         static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(window)));
  CopyBounded(record.SessionKey, kSessionKeyCapacity, key.c_str());
}

}  // namespace corvane
