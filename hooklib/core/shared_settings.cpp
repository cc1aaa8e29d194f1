#include "hooklib/core/shared_settings.h"

#include "hooklib/core/settings_mapping.h"

namespace corvane {
namespace {

// The values before anything is loaded.
constexpr SharedSettings kInitialSettings = {
    /*AlphaIM*/ 255,
    /*AlphaBL*/ 255,
    /*AlphaOn*/ 0,
    /*OpaqueOnTop*/ 0,
    /*AlphaFadeDown*/ 0,
    /*CheckVersion*/ 0,
    /*Statistics*/ 0,
    /*RemoveAds*/ 0,
    /*ListButtons*/ 0,
    /*GenButtons*/ 0,
    /*Logging*/ 0,
    /*LogDir*/ "",
    /*AppPath*/ "",
    /*CurDir*/ "",
    /*Version*/ "",
    /*CheckVersionLast*/ "",
    /*ReleaseText*/ "",
    /*HotKey*/ 0,
    /*CorvaneProfileLink*/ 0,
    /*AllowStockTicker*/ 1,
    /*AllowAIMTodayPopup*/ 0,
    /*AllowCloning*/ 0,
    /*ShowBLinTaskbar*/ 0,
    /*Menu*/ 0,
    /*Tabs*/ 0,
    /*CheckVersionLastDay*/ 0,
    /*HookHandle*/ nullptr,
};

SharedSettings g_ownRecord = kInitialSettings;
SharedSettings* volatile g_record = nullptr;

}  // namespace

SharedSettings& Shared() {
  if (SharedSettings* record = g_record) return *record;
  SharedSettings* mapped = MapSettingsRecord(kInitialSettings);
  SharedSettings* record = mapped != nullptr ? mapped : &g_ownRecord;
  // Two threads may map at once; both views show the same record, and the
  // one not kept stays mapped for the life of the process.
  InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_record), record, nullptr);
  return *g_record;
}

}  // namespace corvane
