// The four delete buttons: confirm with the exact path, send it to the
// recycle bin, rebuild the lists from what is left on disk.
#include <optional>
#include <string>

#include "viewer/app/history_viewer_dialog.h"
#include "viewer/framework/win_app.h"
#include "viewer/history_tree/history_deletion.h"
#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

bool UserAgrees(const std::string& question) {
  return AfxMessageBox(question.c_str(), MB_YESNO) == IDYES;
}

}  // namespace

void CHistoryViewerDlg::OnClearAll() {
  // The wildcard empties the history folder but keeps it.
  const std::optional<std::string> path = JoinHistoryPath(history_folder_, {"*.*"});
  if (!path || !UserAgrees(ClearAllQuestion(path->c_str()))) return;
  DeleteToRecycleBin(path->c_str());
  ForgetInSearchIndex(*path);
  FillAllLists("", "");
}

void CHistoryViewerDlg::OnDeleteUser() {
  if (user_list_.GetCurSel() == CB_ERR) return;
  const std::string user = SelectedUser();
  const std::optional<std::string> path = JoinHistoryPath(history_folder_, {user});
  if (!path || !UserAgrees(DeleteUserQuestion(user.c_str(), path->c_str()))) return;
  DeleteToRecycleBin(path->c_str());
  ForgetInSearchIndex(*path);
  FillAllLists(user, "");
  SelectNewestDate();
}

void CHistoryViewerDlg::OnDeleteBuddy() {
  if (user_list_.GetCurSel() == CB_ERR || buddy_list_.GetCurSel() == CB_ERR) return;
  const std::string user = SelectedUser();
  const std::string buddy = SelectedBuddy();
  const std::optional<std::string> path = JoinHistoryPath(history_folder_, {user, buddy});
  if (!path || !UserAgrees(DeleteBuddyQuestion(user.c_str(), buddy.c_str(), path->c_str()))) return;
  DeleteToRecycleBin(path->c_str());
  ForgetInSearchIndex(*path);
  FillAllLists(user, buddy);
  SelectNewestDate();
}

void CHistoryViewerDlg::OnDeleteDate() {
  if (user_list_.GetCurSel() == CB_ERR || buddy_list_.GetCurSel() == CB_ERR ||
      date_list_.GetCurSel() == LB_ERR) {
    return;
  }
  const std::string user = SelectedUser();
  const std::string buddy = SelectedBuddy();
  const std::string date = SelectedDate();
  const std::optional<std::string> path =
      JoinHistoryPath(history_folder_, {user, buddy, DateEntryFileName(date)});
  if (!path ||
      !UserAgrees(DeleteDateQuestion(user.c_str(), buddy.c_str(), date.c_str(), path->c_str()))) {
    return;
  }
  DeleteToRecycleBin(path->c_str());
  ForgetInSearchIndex(*path);
  FillAllLists(user, buddy);
  ShowSelectedHistory();
}

}  // namespace corvane
