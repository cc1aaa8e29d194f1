// The three lists over the history tree and the view of the selected day.
// The lists are sorted by the controls themselves; nothing is cached, every
// rebuild reads the disk.
#include <optional>
#include <string>

#include "viewer/app/history_viewer_dialog.h"
#include "viewer/days/day_scope.h"
#include "viewer/history_tree/history_tree.h"
#include "viewer/html/html_view.h"

namespace corvane {
namespace {

template <typename List>
void AddEntries(List& list, const std::optional<std::string>& folder, HistoryLevel level) {
  if (!folder) return;
  for (const std::string& text : ListHistoryLevel(folder->c_str(), level))
    list.AddString(text.c_str());
}

// Entry 0, or the first entry that begins with the preferred name.
void SelectPreferred(CComboBox& list, const std::string& preferred) {
  list.SetCurSel(0);
  if (!preferred.empty() && list.SelectString(-1, preferred.c_str()) == CB_ERR) list.SetCurSel(0);
}

template <typename List>
void AddMissing(List& list, const std::optional<std::string>& folder, HistoryLevel level,
                int notFound) {
  if (!folder) return;
  for (const std::string& text : ListHistoryLevel(folder->c_str(), level)) {
    if (list.FindStringExact(-1, text.c_str()) == notFound) list.AddString(text.c_str());
  }
}

}  // namespace

std::string CHistoryViewerDlg::SelectedUser() const {
  return userList_.GetLBText(userList_.GetCurSel());
}

std::string CHistoryViewerDlg::SelectedBuddy() const {
  return buddyList_.GetLBText(buddyList_.GetCurSel());
}

std::string CHistoryViewerDlg::SelectedDate() const {
  return dateList_.GetText(dateList_.GetCurSel());
}

void CHistoryViewerDlg::FillUsers() {
  userList_.ResetContent();
  AddEntries(userList_, historyFolder_, HistoryLevel::kUsers);
}

void CHistoryViewerDlg::FillBuddiesOfSelectedUser() {
  buddyList_.ResetContent();
  if (userList_.GetCount() == 0) return;
  AddEntries(buddyList_, JoinHistoryPath(historyFolder_, {SelectedUser()}), HistoryLevel::kBuddies);
}

void CHistoryViewerDlg::FillDatesOfSelectedBuddy() {
  dateList_.ResetContent();
  if (userList_.GetCount() == 0 || buddyList_.GetCount() == 0) return;
  AddEntries(dateList_, JoinHistoryPath(historyFolder_, {SelectedUser(), SelectedBuddy()}),
             HistoryLevel::kDates);
}

// The newest date is the last; with no dates this selects nothing.
void CHistoryViewerDlg::SelectNewestDate() {
  const int count = dateList_.GetCount();
  dateList_.SetCurSel(count > 0 ? count - 1 : 0);
}

void CHistoryViewerDlg::FillAllLists(const std::string& preferredUser,
                                     const std::string& preferredBuddy) {
  FillUsers();
  SelectPreferred(userList_, preferredUser);
  FillBuddiesOfSelectedUser();
  SelectPreferred(buddyList_, preferredBuddy);
  FillDatesOfSelectedBuddy();
  SelectNewestDate();
  ShowSelectedHistory();
}

void CHistoryViewerDlg::FillBuddyList() {
  FillBuddiesOfSelectedUser();
  buddyList_.SetCurSel(0);
  FillDateList();
}

void CHistoryViewerDlg::FillDateList() {
  FillDatesOfSelectedBuddy();
  SelectNewestDate();
  ShowSelectedHistory();
}

// Without a selected date the view keeps what it shows.
void CHistoryViewerDlg::ShowSelectedHistory() {
  UpdateScopes();
  if (dateList_.GetCurSel() == LB_ERR) return;
  const std::optional<std::string> path =
      DayFilePath(historyFolder_, HistoryDay{SelectedUser(), SelectedBuddy(), SelectedDate()});
  if (path) HtmlViewNavigate(htmlView_, path->c_str());
}

// Adds what appeared on disk; removes nothing and keeps every selection.
void CHistoryViewerDlg::MergeNewEntries() {
  AddMissing(userList_, historyFolder_, HistoryLevel::kUsers, CB_ERR);
  if (userList_.GetCurSel() != CB_ERR) {
    AddMissing(buddyList_, JoinHistoryPath(historyFolder_, {SelectedUser()}),
               HistoryLevel::kBuddies, CB_ERR);
    if (buddyList_.GetCurSel() != CB_ERR) {
      AddMissing(dateList_, JoinHistoryPath(historyFolder_, {SelectedUser(), SelectedBuddy()}),
                 HistoryLevel::kDates, LB_ERR);
    }
  }
  HtmlViewRefresh(htmlView_);
}

}  // namespace corvane
