// The viewer's side of exporting and of Delete Old Days: their system-menu
// items open them with the viewer's selection as scopes.
#include "viewer/app/history_viewer_dialog.h"
#include "viewer/export/delete_old_days_dialog.h"

namespace corvane {

// A closed export window leaves its object behind; a fresh one restores
// its placement anew.  A running export ends with its window.
void CHistoryViewerDlg::OpenExport() {
  if (!export_ || export_->GetSafeHwnd() == nullptr) {
    export_ = std::make_unique<CHistoryExportDlg>(historyFolder_);
    UpdateScopes();
  }
  export_->Open(GetSafeHwnd());
}

// The lists show what is left on disk afterwards, as after the buttons.
void CHistoryViewerDlg::OpenDeleteOldDays() {
  const std::string user = SelectedUser();
  const std::string buddy = SelectedBuddy();
  CDeleteOldDaysDlg dialog(GetSafeHwnd(), historyFolder_, user, buddy);
  {
    const FolderWatch::DeletionPause pause(watch_.get());
    dialog.DoModal();
  }
  for (const std::string& day : dialog.DeletedDayFiles()) ForgetInSearchIndex(day);
  if (dialog.DeletedAny()) FillAllLists(user, buddy);
}

}  // namespace corvane
