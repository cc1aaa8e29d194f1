#include "hooklib/core/shared_settings.h"

namespace corvane {

// Constant-initialised so that it lands in the shared section itself (not in
// .bss); these are the values before anything is loaded.
__attribute__((section("Shared"), shared)) SharedSettings Shared = {
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

}  // namespace corvane
