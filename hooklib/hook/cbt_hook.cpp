#include "hooklib/hook/exports.h"

#include "common/capacities.h"
#include "common/exception_boundary.h"
#include "hooklib/buddylist/buddy_list_proc.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/core/subclass_rows.h"
#include "hooklib/core/system_clock.h"
#include "hooklib/core/window_subclass.h"
#include "hooklib/hook/subclass_table.h"
#include "hooklib/settings/settings_store.h"

#include <cstring>

namespace corvane {
namespace {

// A missing window or a failed query gives an empty name.
void ReadClassName(HWND window, char (&name)[kClassNameCapacity]) {
  name[0] = '\0';
  if (window != nullptr && GetClassNameA(window, name, kClassNameCapacity - 1) == 0) {
    name[0] = '\0';
  }
}

// Windows we subclassed call into this module until they are destroyed, so
// it must outlive the hook: take one extra reference, once per process.
void KeepModuleLoaded() {
  static bool kept = false;
  if (kept) return;
  HMODULE self = nullptr;
  if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&CBTProc),
                         &self)) {
    kept = true;
  }
}

void Subclass(HWND window, SubclassRow row) {
  KeepModuleLoaded();
  SubclassWindow(window, row, kRowProcedures[row].procedure);
}

void SubclassMatchingRows(SubclassPhase phase, HWND window, const char* cls, const char* parent,
                          const char* grandparent) {
  for (const RowPattern& pattern : kRowPatterns) {
    if (pattern.phase == phase && PatternMatches(pattern, cls, parent, grandparent)) {
      Subclass(window, pattern.row);
    }
  }
}

// True when the pop-up must not be created.
bool RefusePopup(PopupKind kind) {
  BuddyListPresence& buddyList = ProcessBuddyListPresence();
  PopupFacts facts{Shared().AllowAIMTodayPopup != 0, buddyList.aimTodayAsked, buddyList.created,
                   buddyList.createdAt, 0};
  // The clock is read only when the rule needs it.
  if (kind == PopupKind::kMiniBrowser && !facts.allowSetting && !facts.todayAsked) {
    facts.now = SystemTimeNow();
  }
  const PopupVerdict verdict = JudgePopup(kind, facts);
  if (verdict.clearTodayAsked) buddyList.aimTodayAsked = false;
  return verdict.refuse;
}

// Returns true when the creation is refused.
bool OnCreateWindow(HWND window, const CBT_CREATEWNDA* create) {
  HWND parent = create != nullptr && create->lpcs != nullptr ? create->lpcs->hwndParent : nullptr;
  HWND grandparent = parent != nullptr ? GetParent(parent) : nullptr;
  char cls[kClassNameCapacity], parentCls[kClassNameCapacity], grandCls[kClassNameCapacity];
  ReadClassName(window, cls);
  ReadClassName(parent, parentCls);
  ReadClassName(grandparent, grandCls);

  SubclassMatchingRows(SubclassPhase::kBeforePopupRules, window, cls, parentCls, grandCls);
  if (std::strcmp(cls, kTodayClass) == 0 && RefusePopup(PopupKind::kToday)) return true;
  if (std::strcmp(cls, kMiniBrowserClass) == 0 && RefusePopup(PopupKind::kMiniBrowser)) {
    return true;
  }
  SubclassMatchingRows(SubclassPhase::kAfterPopupRules, window, cls, parentCls, grandCls);
  return false;
}

}  // namespace
}  // namespace corvane

// A hook call whose handling failed lets the window be created as asked.
extern "C" LRESULT CALLBACK CBTProc(int code, WPARAM wParam, LPARAM lParam) {
  using namespace corvane;
  bool refused = false;
  RunContained([&] {
    refused = code == HCBT_CREATEWND && OnCreateWindow(reinterpret_cast<HWND>(wParam),
                                                       reinterpret_cast<CBT_CREATEWNDA*>(lParam));
  });
  if (refused) return 1;
  HHOOK hook = Shared().HookHandle;
  return hook != nullptr ? CallNextHookEx(hook, code, wParam, lParam) : 0;
}
