#include "hooklib/upgrade/upgrade_check.h"

#include <new>
#include <string>

#include "common/exception_boundary.h"
#include "common/unique_handle.h"
#include "hooklib/core/center_window.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/reminder_policy.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/resources/corvane_resource_ids.h"
#include "hooklib/settings/broadcasts.h"
#include "hooklib/upgrade/version_reply.h"

namespace corvane {
namespace {

// Made at WM_INITDIALOG, released at WM_DESTROY: every way the dialog ends
// passes there.  Each dialog has its own, as two checks may show one each.
struct UpgradeDialogResources {
  OwnedFont boldFont;
  OwnedIcon importanceIcon;
};

constexpr int kBoldControls[] = {IDC_HEADING, IDC_UPDATE_HEADING, IDC_CHANGES_HEADING};

UpgradeDialogResources* ResourcesOf(HWND dialog) {
  return reinterpret_cast<UpgradeDialogResources*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HFONT CreateBoldFont() {
  return CreateFontA(12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                     "MS Shell Dlg");
}

void SetBoldHeadings(HWND dialog, HFONT font) {
  for (int id : kBoldControls) {
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void FillReminderChoices(HWND dialog) {
  for (const char* choice : kReminderChoices) {
    SendDlgItemMessageA(dialog, IDC_REMINDER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
  }
  // "later." whatever CheckVersion holds: the list asks anew each time.
  SendDlgItemMessageA(dialog, IDC_REMINDER, CB_SETCURSEL, 0, 0);
}

// Loaded as an icon of its own (not shared) so that it can be released.
HICON LoadImportanceIcon(int id) {
  return static_cast<HICON>(
      LoadImageA(Process().module, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
}

void ShowImportance(HWND dialog, Importance importance, UpgradeDialogResources& resources) {
  const char* text = "Normal";
  if (importance == Importance::kHigh) {
    text = "High";
    resources.importanceIcon.Reset(LoadImportanceIcon(IDI_IMPORTANCE_HIGH));
  } else if (importance == Importance::kLow) {
    text = "Low";
    resources.importanceIcon.Reset(LoadImportanceIcon(IDI_IMPORTANCE_LOW));
  }
  SetDlgItemTextA(dialog, IDC_IMPORTANCE, text);
  SendDlgItemMessageA(dialog, IDC_IMPORTANCE_ICON, STM_SETICON,
                      reinterpret_cast<WPARAM>(resources.importanceIcon.Get()), 0);
}

void ShowField(HWND dialog, int id, const std::string& reply, VersionInfoField field) {
  SetDlgItemTextA(dialog, id, GetVersionInfoField(reply, field, kVersionReplyCapacity).c_str());
}

void OnInitDialog(HWND dialog, const char* replyText) {
  CenterWindow(dialog);
  auto* resources = new (std::nothrow) UpgradeDialogResources;
  if (resources == nullptr) return;
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(resources));
  resources->boldFont.Reset(CreateBoldFont());
  SetBoldHeadings(dialog, resources->boldFont.Get());
  FillReminderChoices(dialog);

  const std::string reply(replyText != nullptr ? replyText : "");
  ShowImportance(dialog,
                 ImportanceOf(GetVersionInfoField(reply, kFieldImportance, kVersionReplyCapacity)),
                 *resources);
  ShowField(dialog, IDC_VERSION, reply, kFieldVersion);
  ShowField(dialog, IDC_RELEASE_DATE, reply, kFieldReleaseDate);
  ShowField(dialog, IDC_DESCRIPTION, reply, kFieldDescription);
  ShowField(dialog, IDC_CHANGES, reply, kFieldChanges);
}

// Close (or Esc) is the one way that stores the reminder choice.
void StoreReminderChoice(HWND dialog) {
  const int selection =
      static_cast<int>(SendDlgItemMessageA(dialog, IDC_REMINDER, CB_GETCURSEL, 0, 0));
  UpdateShared([selection](SharedSettings& s) {
    s.CheckVersion = CheckVersionFromReminderIndex(selection);
  });
  AnnounceStoredReminderChoice();
}

void OnCommand(HWND dialog, WORD id) {
  if (id == IDOK) {
    EndDialog(dialog, IDOK);
  } else if (id == IDCANCEL) {
    StoreReminderChoice(dialog);
    EndDialog(dialog, IDCANCEL);
  }
}

// The controls let go of the font and icon before they are released.
void ReleaseResources(HWND dialog) {
  UpgradeDialogResources* resources = ResourcesOf(dialog);
  if (resources == nullptr) return;
  SetWindowLongPtrA(dialog, DWLP_USER, 0);
  SetBoldHeadings(dialog, nullptr);
  SendDlgItemMessageA(dialog, IDC_IMPORTANCE_ICON, STM_SETICON, 0, 0);
  delete resources;
}

}  // namespace

// FALSE for every message, WM_INITDIALOG included: no control takes the
// keyboard focus when the dialog opens.
// Out of memory while copying the reply, the dialog shows what it has.
INT_PTR CALLBACK UpgradeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  RunContained([&] {
    switch (message) {
      case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<const char*>(lParam));
        break;
      case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        break;
      case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);  // the close box stores nothing
        break;
      case WM_DESTROY:
        ReleaseResources(dialog);
        break;
      default:
        break;
    }
  });
  return FALSE;
}

}  // namespace corvane
