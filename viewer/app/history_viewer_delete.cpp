// The four delete buttons: confirm with the exact path, send the day files
// it holds to the recycle bin (and the folders that leaves empty, but for a
// single day), rebuild the lists from what is left on disk.  Nothing but
// day files goes, whatever else the folders hold.
#include <atomic>
#include <optional>
#include <string>

#include "viewer/app/history_viewer_dialog.h"
#include "viewer/days/day_scope.h"
#include "viewer/export/day_file_deletion.h"
#include "viewer/framework/win_app.h"
#include "viewer/history_tree/history_deletion.h"
#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

bool UserAgrees(const std::string& question) {
  return AfxMessageBox(question.c_str(), MB_YESNO) == IDYES;
}

// The scope's day files, and its folders that this leaves empty (or that
// were, holding no day); none reached through a link or junction.
void DeleteDaysOf(const std::string& historyFolder, const HistoryScope& scope) {
  static const std::atomic<bool> kNeverCancelled{false};
  const std::vector<ListedDay> days = ListDayFilesInScope(historyFolder, scope, kNeverCancelled);
  DeleteDayFiles(DeletableDayFilePaths(historyFolder, days), FoldersInScope(historyFolder, scope));
}

}  // namespace

void CHistoryViewerDlg::OnClearAll() {
  // The question names the wildcard that empties the history folder.
  const std::optional<std::string> path = JoinHistoryPath(historyFolder_, {"*.*"});
  if (!path || !UserAgrees(ClearAllQuestion(path->c_str()))) return;
  {
    const FolderWatch::DeletionPause pause(watch_.get());
    DeleteDaysOf(historyFolder_, HistoryScope{});
  }
  ForgetInSearchIndex(*path);
  FillAllLists("", "");
}

void CHistoryViewerDlg::OnDeleteUser() {
  if (userList_.GetCurSel() == CB_ERR) return;
  const std::string user = SelectedUser();
  const std::optional<std::string> path = JoinHistoryPath(historyFolder_, {user});
  if (!path || !UserAgrees(DeleteUserQuestion(user.c_str(), path->c_str()))) return;
  {
    const FolderWatch::DeletionPause pause(watch_.get());
    DeleteDaysOf(historyFolder_, HistoryScope{user, "", {}});
  }
  ForgetInSearchIndex(*path);
  FillAllLists(user, "");
}

void CHistoryViewerDlg::OnDeleteBuddy() {
  if (userList_.GetCurSel() == CB_ERR || buddyList_.GetCurSel() == CB_ERR) return;
  const std::string user = SelectedUser();
  const std::string buddy = SelectedBuddy();
  const std::optional<std::string> path = JoinHistoryPath(historyFolder_, {user, buddy});
  if (!path || !UserAgrees(DeleteBuddyQuestion(user.c_str(), buddy.c_str(), path->c_str()))) return;
  {
    const FolderWatch::DeletionPause pause(watch_.get());
    DeleteDaysOf(historyFolder_, HistoryScope{user, buddy, {}});
  }
  ForgetInSearchIndex(*path);
  FillAllLists(user, buddy);
}

// A listed date that is not a day file ("notes.html") is not deleted; the
// buddy's folder stays, even when this was its last day.
void CHistoryViewerDlg::OnDeleteDate() {
  if (userList_.GetCurSel() == CB_ERR || buddyList_.GetCurSel() == CB_ERR ||
      dateList_.GetCurSel() == LB_ERR) {
    return;
  }
  const std::string user = SelectedUser();
  const std::string buddy = SelectedBuddy();
  const std::string date = SelectedDate();
  const std::optional<std::string> path =
      DayFilePath(historyFolder_, HistoryDay{user, buddy, date});
  if (!path ||
      !UserAgrees(DeleteDateQuestion(user.c_str(), buddy.c_str(), date.c_str(), path->c_str()))) {
    return;
  }
  // A day of a folder reached through a link lives elsewhere: it stays.
  if (ParseDayFileName(DateEntryFileName(date)) &&
      !BuddyFolderIsLinked(historyFolder_, user, buddy)) {
    DeleteDayFiles({*path}, {});
    ForgetInSearchIndex(*path);
  }
  FillAllLists(user, buddy);
}

}  // namespace corvane
