#include "hooklib/preferences/preferences_dialog.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

#include "common/bounded_copy.h"
#include "common/capacities.h"
#include "common/exception_boundary.h"
#include "common/maker_site.h"
#include "common/open_web_address.h"
#include "common/path_rules.h"
#include "hooklib/core/center_window.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/preferences/path_browsers.h"
#include "hooklib/preferences/preference_controls.h"
#include "hooklib/settings/broadcasts.h"
#include "hooklib/settings/preference_rules.h"
#include "hooklib/settings/reminder_policy.h"
#include "hooklib/settings/settings_store.h"
#include "hooklib/transparency/transparency.h"
#include "hooklib/upgrade/upgrade_check.h"

namespace corvane {
namespace {

// The host's status window; told 0 before the dialog opens and 1 after.
constexpr char kStatusNotifyClass[] = "_Oscar_StatusNotify";
constexpr UINT kStatusNotifyMessage = WM_USER + 3000;

constexpr char kErrorCaption[] = "Corvane Error";

constexpr char kReminderItems[][16] = {"all versions.", "next version.", "never."};

// The hot-key control refuses a key alone, with Shift alone or with Alt
// alone, and turns it into Ctrl+Alt.
constexpr WPARAM kInvalidHotKeyCombinations = HKCOMB_NONE | HKCOMB_S | HKCOMB_A;  // 11
constexpr WORD kHotKeyReplacementModifiers = HOTKEYF_CONTROL | HOTKEYF_ALT;       // 6

// The settings the dialog previews live; Cancel puts these back.
struct PreviewedSettings {
  BYTE alphaIM, alphaBL;
  int alphaOn, alphaFadeDown, opaqueOnTop, allowStockTicker;
  int genButtons, removeAds, listButtons, menu, tabs;
};

// What the dialog started from, which Cancel puts back.  Its opener owns
// it and hands it over at WM_INITDIALOG; the dialog keeps it in DWLP_USER,
// as every dialog of the library keeps its own state.
PreviewedSettings& RememberedOf(HWND dialog) {
  return *reinterpret_cast<PreviewedSettings*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

PreviewedSettings RememberPreviewed() {
  PreviewedSettings v;
  v.alphaIM = Shared().AlphaIM;
  v.alphaBL = Shared().AlphaBL;
  v.alphaOn = Shared().AlphaOn;
  v.alphaFadeDown = Shared().AlphaFadeDown;
  v.opaqueOnTop = Shared().OpaqueOnTop;
  v.allowStockTicker = Shared().AllowStockTicker;
  v.genButtons = Shared().GenButtons;
  v.removeAds = Shared().RemoveAds;
  v.listButtons = Shared().ListButtons;
  v.menu = Shared().Menu;
  v.tabs = Shared().Tabs;
  return v;
}

void RestorePreviewed(const PreviewedSettings& v) {
  UpdateShared([&v](SharedSettings& s) {
    s.AlphaIM = v.alphaIM;
    s.AlphaBL = v.alphaBL;
    s.AlphaOn = v.alphaOn;
    s.AlphaFadeDown = v.alphaFadeDown;
    s.OpaqueOnTop = v.opaqueOnTop;
    s.AllowStockTicker = v.allowStockTicker;
    s.GenButtons = v.genButtons;
    s.RemoveAds = v.removeAds;
    s.ListButtons = v.listButtons;
    s.Menu = v.menu;
    s.Tabs = v.tabs;
  });
}

// One setting changed by the user, published at once for the previews.
void Store(int SharedSettings::*setting, int value) {
  UpdateShared([setting, value](SharedSettings& s) { s.*setting = value; });
}

int Ticked(HWND dialog, int box) { return IsDlgButtonChecked(dialog, box) == BST_CHECKED ? 1 : 0; }

void Enable(HWND dialog, int control, bool enabled) {
  EnableWindow(GetDlgItem(dialog, control), enabled ? TRUE : FALSE);
}

LRESULT SendItem(HWND dialog, int control, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(dialog, control, message, wParam, lParam);
}

int SliderPosition(HWND dialog, int slider) {
  return static_cast<int>(SendItem(dialog, slider, TBM_GETPOS, 0, 0));
}

// Reads both sliders every time, whichever of them moved.
void TakeOpacitiesFromSliders(HWND dialog, SharedSettings& s) {
  s.AlphaIM = OpacityFromSliderPosition(SliderPosition(dialog, kConversationOpacity));
  s.AlphaBL = OpacityFromSliderPosition(SliderPosition(dialog, kBuddyListOpacity));
}

// ---- check boxes, each as its click handler ----

void OnHistoryClicked(HWND dialog) {
  const bool on = Ticked(dialog, kHistoryOn) != 0;
  Enable(dialog, kHistoryFolder, on);
  Enable(dialog, kBrowseHistoryFolder, on);
}

void OnTransparentClicked(HWND dialog) {
  const int on = Ticked(dialog, kTransparentWindows);
  Store(&SharedSettings::AlphaOn, on);
  for (int control : {kFadeDown, kSolidWhenActive, kConversationOpacity, kBuddyListOpacity}) {
    Enable(dialog, control, on);
  }
  BroadcastApplyAlpha();
}

void OnRemoveAdsClicked(HWND dialog) {
  const int on = Ticked(dialog, kRemoveAds);
  Store(&SharedSettings::RemoveAds, on);
  for (int control :
       {kShowGeneralButtons, kShowListButtons, kAllowStockTicker, kShowTabs, kShowMenuBar}) {
    Enable(dialog, control, on);
  }
  BroadcastRelayout();
}

// A Buddy List layout option: stored at once and shown by a re-layout.
void OnLayoutBoxClicked(HWND dialog, int box, int SharedSettings::*setting) {
  Store(setting, Ticked(dialog, box));
  BroadcastRelayout();
}

// A transparency option: stored at once and shown by re-applying opacity.
void OnAlphaBoxClicked(HWND dialog, int box, int SharedSettings::*setting) {
  Store(setting, Ticked(dialog, box));
  BroadcastApplyAlpha();
}

// ---- opening ----

void TickBoxesFromSettings(HWND dialog) {
  const struct {
    int box;
    int value;
  } boxes[] = {
      {kRemoveAds, Shared().RemoveAds},
      {kShowGeneralButtons, Shared().GenButtons},
      {kShowMenuBar, Shared().Menu},
      {kShowTabs, Shared().Tabs},
      {kShowListButtons, Shared().ListButtons},
      {kHistoryOn, Shared().Logging},
      {kProfileLink, Shared().CorvaneProfileLink},
      {kAllowTodayPopup, Shared().AllowAIMTodayPopup},
      {kAllowStockTicker, Shared().AllowStockTicker},
      {kFadeDown, Shared().AlphaFadeDown},
      {kSolidWhenActive, Shared().OpaqueOnTop},
      {kTransparentWindows, Shared().AlphaOn},
      {kAllowCloning, Shared().AllowCloning},
  };
  for (const auto& b : boxes) {
    if (b.value != 0) CheckDlgButton(dialog, b.box, BST_CHECKED);
  }
}

void SetUpSliders(HWND dialog) {
  for (int slider : {kConversationOpacity, kBuddyListOpacity}) {
    SendItem(dialog, slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, kOpacitySliderMax));
  }
  SendItem(dialog, kConversationOpacity, TBM_SETPOS, TRUE,
           SliderPositionFromOpacity(Shared().AlphaIM));
  SendItem(dialog, kBuddyListOpacity, TBM_SETPOS, TRUE,
           SliderPositionFromOpacity(Shared().AlphaBL));
}

void ShowVersionTexts(HWND dialog) {
  const SharedSettings settings = CurrentSettings();
  char text[kPathCapacity + 16];
  std::snprintf(text, sizeof text, "version %s", settings.Version);
  SetDlgItemTextA(dialog, kVersionLabel, text);
  std::snprintf(text, sizeof text, "released %s", settings.ReleaseText);
  SetDlgItemTextA(dialog, kReleaseLabel, text);
}

void SetUpHotKey(HWND dialog) {
  SendItem(dialog, kHotKey, HKM_SETHOTKEY, HotKeyControlValue(Shared().HotKey), 0);
  SendItem(dialog, kHotKey, HKM_SETRULES, kInvalidHotKeyCombinations,
           MAKELPARAM(kHotKeyReplacementModifiers, 0));
}

void ShowReminderSetting(HWND dialog) {
  SendItem(dialog, kReminderList, CB_SETCURSEL,
           ReminderIndexFromCheckVersion(Shared().CheckVersion), 0);
}

void FillReminderList(HWND dialog) {
  for (const char* item : kReminderItems) {
    SendItem(dialog, kReminderList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  ShowReminderSetting(dialog);
}

void OnInitDialog(HWND dialog, LPARAM remembered) {
  SetWindowLongPtrA(dialog, DWLP_USER, remembered);
  RememberedOf(dialog) = RememberPreviewed();
  CenterWindow(dialog);
  TickBoxesFromSettings(dialog);
  const SharedSettings settings = CurrentSettings();
  SetDlgItemTextA(dialog, kHistoryFolder, settings.LogDir);
  SetDlgItemTextA(dialog, kHostPath, settings.AppPath);
  if (!SupportsLayeredWindows()) {
    Store(&SharedSettings::AlphaOn, 0);
    CheckDlgButton(dialog, kTransparentWindows, BST_UNCHECKED);
    Enable(dialog, kTransparentWindows, false);
  }
  // As if clicked: sets the enabled states and sends one re-layout and one
  // transparency broadcast on every opening.
  OnRemoveAdsClicked(dialog);
  OnHistoryClicked(dialog);
  OnTransparentClicked(dialog);
  SetUpSliders(dialog);
  ShowVersionTexts(dialog);
  SetUpHotKey(dialog);
  FillReminderList(dialog);
}

// ---- OK and Cancel ----

void RejectOk(HWND dialog, const OkDecision& decision) {
  MessageBoxA(dialog, decision.message, kErrorCaption, MB_OK);
  const int field = decision.focus == PreferenceField::kHistoryFolder ? kHistoryFolder : kHostPath;
  SetFocus(GetDlgItem(dialog, field));
}

void StoreEverything(HWND dialog, const char* folder, const char* hostPath, int checkVersion) {
  UpdateShared([&](SharedSettings& s) {
    s.HotKey = HotKeyFromControlValue(
        static_cast<uint16_t>(SendItem(dialog, kHotKey, HKM_GETHOTKEY, 0, 0)));
    s.RemoveAds = Ticked(dialog, kRemoveAds);
    s.GenButtons = Ticked(dialog, kShowGeneralButtons);
    s.Menu = Ticked(dialog, kShowMenuBar);
    s.Tabs = Ticked(dialog, kShowTabs);
    s.ListButtons = Ticked(dialog, kShowListButtons);
    s.Logging = Ticked(dialog, kHistoryOn);
    CopyBounded(s.LogDir, kPathCapacity, folder);
    CopyBounded(s.AppPath, kPathCapacity, hostPath);
    TakeOpacitiesFromSliders(dialog, s);
    s.CorvaneProfileLink = Ticked(dialog, kProfileLink);
    s.AllowStockTicker = Ticked(dialog, kAllowStockTicker);
    s.AllowAIMTodayPopup = Ticked(dialog, kAllowTodayPopup);
    s.AlphaFadeDown = Ticked(dialog, kFadeDown);
    s.OpaqueOnTop = Ticked(dialog, kSolidWhenActive);
    s.AlphaOn = Ticked(dialog, kTransparentWindows);
    s.CheckVersion = checkVersion;
    s.AllowCloning = Ticked(dialog, kAllowCloning);
  });
}

bool NamesFile(const char* path) { return PathFileExistsA(path) && !PathIsDirectoryA(path); }

void OnOk(HWND dialog) {
  char folder[kPathCapacity] = "";
  char hostPath[kPathCapacity] = "";
  GetDlgItemTextA(dialog, kHistoryFolder, folder, sizeof folder);
  GetDlgItemTextA(dialog, kHostPath, hostPath, sizeof hostPath);
  const int checkVersion = CheckVersionFromReminderIndex(
      static_cast<int>(SendItem(dialog, kReminderList, CB_GETCURSEL, 0, 0)));
  // Made on every OK, whether history is on or not; only the check below
  // reports a folder that could not be made.  A relative one is never
  // made: it would land in whatever folder the messenger runs in.
  const bool folderIsRelative = folder[0] != '\0' && !IsFullyQualifiedPath(folder);
  if (!folderIsRelative) CreateDirectoryA(folder, nullptr);
  const OkDecision decision =
      DecideOk(Ticked(dialog, kHistoryOn) != 0, folderIsRelative, PathIsDirectoryA(folder) != FALSE,
               IsFullyQualifiedPath(hostPath) && NamesFile(hostPath));
  if (!decision.accepted) {
    RejectOk(dialog, decision);
    return;
  }
  StoreEverything(dialog, folder, hostPath, checkVersion);
  BroadcastApplyAlpha();
  EndDialog(dialog, IDOK);
}

void OnCancel(HWND dialog) {
  RestorePreviewed(RememberedOf(dialog));
  BroadcastApplyAlpha();
  BroadcastRelayout();
  EndDialog(dialog, IDCANCEL);
}

// Check boxes and the browse and Check Now! buttons act on clicks only.
void OnClick(HWND dialog, int control) {
  switch (control) {
    case kHistoryOn:
      OnHistoryClicked(dialog);
      break;
    case kTransparentWindows:
      OnTransparentClicked(dialog);
      break;
    case kRemoveAds:
      OnRemoveAdsClicked(dialog);
      break;
    case kAllowStockTicker:
      OnLayoutBoxClicked(dialog, control, &SharedSettings::AllowStockTicker);
      break;
    case kShowGeneralButtons:
      OnLayoutBoxClicked(dialog, control, &SharedSettings::GenButtons);
      break;
    case kShowTabs:
      OnLayoutBoxClicked(dialog, control, &SharedSettings::Tabs);
      break;
    case kShowMenuBar:
      OnLayoutBoxClicked(dialog, control, &SharedSettings::Menu);
      break;
    case kShowListButtons:
      OnLayoutBoxClicked(dialog, control, &SharedSettings::ListButtons);
      break;
    case kFadeDown:
      OnAlphaBoxClicked(dialog, control, &SharedSettings::AlphaFadeDown);
      break;
    case kSolidWhenActive:
      OnAlphaBoxClicked(dialog, control, &SharedSettings::OpaqueOnTop);
      break;
    case kCheckNow:
      StartUpgradeCheck(kCheckAskedByUser);
      break;
    case kBrowseHistoryFolder:
      BrowseForHistoryFolder(dialog, kHistoryFolder);
      break;
    case kBrowseHostPath:
      BrowseForHostExecutable(dialog, kHostPath);
      break;
  }
}

void OnCommand(HWND dialog, int control, int notification) {
  switch (control) {
    case IDOK:
      OnOk(dialog);
      break;
    case IDCANCEL:
      OnCancel(dialog);
      break;
    case kWebButton:
      OpenWebAddress(dialog, WebSiteHomeUrl());
      break;
    case kHelpButton:
      OpenWebAddress(dialog, HelpPageUrl());
      break;
    default:
      if (notification == BN_CLICKED) OnClick(dialog, control);
      break;
  }
}

void HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog, lParam);
      break;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      break;
    case WM_HSCROLL:
      UpdateShared([dialog](SharedSettings& s) { TakeOpacitiesFromSliders(dialog, s); });
      BroadcastApplyAlpha();
      break;
    case WM_CLOSE:
      // Unlike Cancel: the previewed values stay in effect, unsaved.
      EndDialog(dialog, IDCANCEL);
      break;
    case kMsgReminderStored:
      ShowReminderSetting(dialog);
      break;
  }
}

void NotifyHostStatus(WPARAM state) {
  if (HWND status = FindWindowA(kStatusNotifyClass, nullptr)) {
    SendMessageA(status, kStatusNotifyMessage, state, 0);
  }
}

void RegisterDialogControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES | ICC_HOTKEY_CLASS;
  InitCommonControlsEx(&controls);
}

}  // namespace

// A message whose handling failed leaves the dialog as it was.
INT_PTR CALLBACK PrefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  RunContained([&] { HandleMessage(dialog, message, wParam, lParam); });
  return 0;
}

}  // namespace corvane

extern "C" int __cdecl DoPrefDlg() {
  using namespace corvane;
  if (HWND open = FindWindowA(nullptr, kPreferencesTitle)) {
    BringWindowToTop(open);
    return 0;
  }
  NotifyHostStatus(0);
  RegisterDialogControls();
  PreviewedSettings remembered{};
  const INT_PTR result =
      DialogBoxParamA(Process().module, MAKEINTRESOURCEA(kPreferencesTemplate), nullptr,
                      PrefDlgProc, reinterpret_cast<LPARAM>(&remembered));
  NotifyHostStatus(1);
  if (result != IDOK) return 0;
  BroadcastRelayout();
  SaveSettings();
  return 1;
}
