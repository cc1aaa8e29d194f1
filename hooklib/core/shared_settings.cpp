#include "hooklib/core/shared_settings.h"

#include <type_traits>

#include "hooklib/core/record_sequence.h"
#include "hooklib/core/setting_rows.h"
#include "hooklib/core/settings_mapping.h"

namespace corvane {
namespace {

// The values before anything is loaded: the rows' initial values, and
// nothing in the fields that are not settings.
constexpr SharedSettings InitialSettings() {
  SharedSettings record{};
  for (const SettingRow& row : kSettingRows) SetNumber(row, record, row.initial);
  return record;
}

constexpr SharedSettings kInitialSettings = InitialSettings();

// A writer that holds the turn longer than this is taken to hang: the
// others publish regardless rather than hang the messenger with it.
constexpr DWORD kWriterTurnWaitMs = 2000;

SettingsView g_ownView{{1}, kInitialSettings};
SettingsView* volatile g_view = nullptr;
HANDLE volatile g_writers = nullptr;
// A thread-local has no destructor to run at a thread's end: under mingw it
// would run on storage already freed.
static_assert(std::is_trivially_destructible_v<SharedSettings>);
thread_local SharedSettings t_lastWhole = kInitialSettings;

SettingsView& View() {
  if (SettingsView* view = g_view) return *view;
  const MappedSettings mapped = MapSettingsRecord(kInitialSettings);
  SettingsView* view = mapped.view != nullptr ? mapped.view : &g_ownView;
  // Two threads may map at once; both views show the same record and both
  // handles the same mutex, and those not kept stay open for the life of
  // the process.  The mutex is there before the view is.
  InterlockedCompareExchangePointer(&g_writers, mapped.writers, nullptr);
  InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_view), view, nullptr);
  return *g_view;
}

// The writers' turn, as long as this lives.
class WriterTurn {
 public:
  WriterTurn() : mutex_(g_writers) {
    // Abandoned by a writer that was killed: the turn is ours all the same.
    const DWORD waited = mutex_ != nullptr ? WaitForSingleObject(mutex_, kWriterTurnWaitMs) : 0;
    held_ = mutex_ != nullptr && (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED);
  }
  ~WriterTurn() {
    if (held_) ReleaseMutex(mutex_);
  }
  WriterTurn(const WriterTurn&) = delete;
  WriterTurn& operator=(const WriterTurn&) = delete;

 private:
  HANDLE mutex_;
  bool held_;
};

}  // namespace

SharedSettings& Shared() { return View().record; }

SharedSettings CurrentSettings() {
  SettingsView& view = View();
  SharedSettings copy;
  if (ReadSequenced(view.count, &view.record, &copy, sizeof copy)) t_lastWhole = copy;
  return t_lastWhole;
}

void UpdateShared(const std::function<void(SharedSettings&)>& change) {
  SettingsView& view = View();
  const WriterTurn turn;
  SharedSettings next = CurrentSettings();
  change(next);
  PublishSequenced(view.count, &view.record, &next, sizeof next);
  t_lastWhole = next;
}

}  // namespace corvane
