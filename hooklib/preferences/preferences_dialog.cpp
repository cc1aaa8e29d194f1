#include "hooklib/preferences/preferences_dialog.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <variant>

#include "common/capacities.h"
#include "common/exception_boundary.h"
#include "common/open_web_address.h"
#include "common/path_rules.h"
#include "common/web_address.h"
#include "hooklib/core/center_window.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/setting_rows.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/preferences/preference_controls.h"
#include "hooklib/settings/broadcasts.h"
#include "hooklib/settings/preference_rules.h"
#include "hooklib/settings/settings_store.h"
#include "hooklib/transparency/transparency.h"
#include "hooklib/upgrade/upgrade_check.h"

namespace corvane {
namespace {

// The host's status window; told 0 before the dialog opens and 1 after.
constexpr char kStatusNotifyClass[] = "_Oscar_StatusNotify";
constexpr UINT kStatusNotifyMessage = WM_USER + 3000;

constexpr char kErrorCaption[] = "Corvane Error";

// What the dialog started from, whose previewed settings Cancel puts back.
// Its opener owns it and hands it over at WM_INITDIALOG; the dialog keeps it
// in DWLP_USER, as every dialog of the library keeps its own state.
const SharedSettings& RememberedOf(HWND dialog) {
  return *reinterpret_cast<const SharedSettings*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void RestorePreviewed(const SharedSettings& remembered) {
  UpdateShared([&remembered](SharedSettings& s) {
    for (const SettingRow& row : kSettingRows) {
      if (row.control.preview == Preview::kAtOk) continue;
      std::visit(
          [&](auto member) { std::memcpy(&(s.*member), &(remembered.*member), sizeof(s.*member)); },
          row.field);
    }
  });
}

// Publishes what the user changed in a control so that every host window
// shows it at once.
void PublishAtOnce(HWND dialog, const SettingRow& row) {
  UpdateShared([&](SharedSettings& s) { TakeSetting(dialog, row, s); });
  if (row.control.preview == Preview::kRelayout) BroadcastRelayout();
  if (row.control.preview == Preview::kOpacity) BroadcastApplyAlpha();
}

int Ticked(HWND dialog, int box) { return IsDlgButtonChecked(dialog, box) == BST_CHECKED ? 1 : 0; }

// ---- check boxes ----

// The controls that a check box enables while it is ticked.
constexpr struct {
  int box;
  int controls[5];
} kEnabledBy[] = {
    {kHistoryOn, {kHistoryFolder, kBrowseHistoryFolder}},
    {kTransparentWindows, {kFadeDown, kSolidWhenActive, kConversationOpacity, kBuddyListOpacity}},
    {kRemoveAds,
     {kShowGeneralButtons, kShowListButtons, kAllowStockTicker, kShowTabs, kShowMenuBar}},
};

void OnBoxClicked(HWND dialog, int box) {
  for (const auto& enabled : kEnabledBy) {
    if (enabled.box != box) continue;
    for (int control : enabled.controls) {
      if (control != 0) EnableWindow(GetDlgItem(dialog, control), Ticked(dialog, box));
    }
  }
  const SettingRow* row = RowShownIn(box);
  if (row != nullptr && row->control.shownAs == ShownAs::kCheckBox &&
      row->control.preview != Preview::kAtOk) {
    PublishAtOnce(dialog, *row);
  }
}

// ---- opening ----

void ShowVersionTexts(HWND dialog) {
  const SharedSettings settings = CurrentSettings();
  char text[kPathCapacity + 16];
  std::snprintf(text, sizeof text, "version %s", settings.Version);
  SetDlgItemTextA(dialog, kVersionLabel, text);
  std::snprintf(text, sizeof text, "released %s", settings.ReleaseText);
  SetDlgItemTextA(dialog, kReleaseLabel, text);
}

void OnInitDialog(HWND dialog, LPARAM remembered) {
  const SharedSettings settings = CurrentSettings();
  *reinterpret_cast<SharedSettings*>(remembered) = settings;
  SetWindowLongPtrA(dialog, DWLP_USER, remembered);
  CenterWindow(dialog);
  PrepareSettingControls(dialog);
  for (const SettingRow& row : kSettingRows) ShowSetting(dialog, row, settings);
  if (!SupportsLayeredWindows()) {
    UpdateShared([](SharedSettings& s) { s.AlphaOn = 0; });
    CheckDlgButton(dialog, kTransparentWindows, BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, kTransparentWindows), FALSE);
  }
  // As if clicked: sets the enabled states and sends one re-layout and one
  // transparency broadcast on every opening.
  OnBoxClicked(dialog, kRemoveAds);
  OnBoxClicked(dialog, kHistoryOn);
  OnBoxClicked(dialog, kTransparentWindows);
  ShowVersionTexts(dialog);
}

// ---- OK and Cancel ----

void RejectOk(HWND dialog, const OkDecision& decision) {
  MessageBoxA(dialog, decision.message, kErrorCaption, MB_OK);
  const int field = decision.focus == PreferenceField::kHistoryFolder ? kHistoryFolder : kHostPath;
  SetFocus(GetDlgItem(dialog, field));
}

bool NamesFile(const char* path) { return PathFileExistsA(path) && !PathIsDirectoryA(path); }

void OnOk(HWND dialog) {
  char folder[kPathCapacity] = "";
  char hostPath[kPathCapacity] = "";
  GetDlgItemTextA(dialog, kHistoryFolder, folder, sizeof folder);
  GetDlgItemTextA(dialog, kHostPath, hostPath, sizeof hostPath);
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
  UpdateShared([dialog](SharedSettings& s) {
    for (const SettingRow& row : kSettingRows) TakeSetting(dialog, row, s);
  });
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
    case kCheckNow:
      StartUpgradeCheck(kCheckAskedByUser);
      break;
    case kBrowseHistoryFolder:
      BrowseForHistoryFolder(dialog, kHistoryFolder);
      break;
    case kBrowseHostPath:
      BrowseForHostExecutable(dialog, kHostPath);
      break;
    default:
      OnBoxClicked(dialog, control);
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

// Every setting shown in a control of this kind shown again from the record.
void ShowAgain(HWND dialog, ShownAs shownAs) {
  const SharedSettings settings = CurrentSettings();
  for (const SettingRow& row : kSettingRows) {
    if (row.control.shownAs == shownAs) ShowSetting(dialog, row, settings);
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
      // Both sliders are read every time, whichever of them moved.
      UpdateShared([dialog](SharedSettings& s) {
        for (const SettingRow& row : kSettingRows) {
          if (row.control.shownAs == ShownAs::kOpacitySlider) TakeSetting(dialog, row, s);
        }
      });
      BroadcastApplyAlpha();
      break;
    case WM_CLOSE:
      // Unlike Cancel: the previewed values stay in effect, unsaved.
      EndDialog(dialog, IDCANCEL);
      break;
    case kMsgReminderStored:
      ShowAgain(dialog, ShownAs::kReminderList);
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
  SharedSettings remembered{};
  const INT_PTR result =
      DialogBoxParamA(Process().module, MAKEINTRESOURCEA(kPreferencesTemplate), nullptr,
                      PrefDlgProc, reinterpret_cast<LPARAM>(&remembered));
  NotifyHostStatus(1);
  if (result != IDOK) return 0;
  BroadcastRelayout();
  SaveSettings();
  return 1;
}
