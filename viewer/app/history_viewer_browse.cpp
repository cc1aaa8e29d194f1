// The three lists over the history tree and the view of the selected day.
// The lists are sorted by the controls themselves; nothing is cached, every
// rebuild reads the disk.
#include <optional>
#include <string>

#include "viewer/app/history_viewer_dialog.h"
#include "viewer/history_tree/history_entries.h"
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
                int not_found) {
  if (!folder) return;
  for (const std::string& text : ListHistoryLevel(folder->c_str(), level)) {
    if (list.FindStringExact(-1, text.c_str()) == not_found) list.AddString(text.c_str());
  }
}

}  // namespace

std::string CHistoryViewerDlg::SelectedUser() const {
  return user_list_.GetLBText(user_list_.GetCurSel());
}

std::string CHistoryViewerDlg::SelectedBuddy() const {
  return buddy_list_.GetLBText(buddy_list_.GetCurSel());
}

std::string CHistoryViewerDlg::SelectedDate() const {
  return date_list_.GetText(date_list_.GetCurSel());
}

void CHistoryViewerDlg::FillUsers() {
  user_list_.ResetContent();
  AddEntries(user_list_, history_folder_, HistoryLevel::kUsers);
}

void CHistoryViewerDlg::FillBuddiesOfSelectedUser() {
  buddy_list_.ResetContent();
  if (user_list_.GetCount() == 0) return;
  AddEntries(buddy_list_, JoinHistoryPath(history_folder_, {SelectedUser()}),
             HistoryLevel::kBuddies);
}

void CHistoryViewerDlg::FillDatesOfSelectedBuddy() {
  date_list_.ResetContent();
  if (user_list_.GetCount() == 0 || buddy_list_.GetCount() == 0) return;
  AddEntries(date_list_, JoinHistoryPath(history_folder_, {SelectedUser(), SelectedBuddy()}),
             HistoryLevel::kDates);
}

// The newest date is the last; with no dates this selects nothing.
void CHistoryViewerDlg::SelectNewestDate() {
  const int count = date_list_.GetCount();
  date_list_.SetCurSel(count > 0 ? count - 1 : 0);
}

void CHistoryViewerDlg::FillAllLists(const std::string& preferred_user,
                                     const std::string& preferred_buddy) {
  FillUsers();
  SelectPreferred(user_list_, preferred_user);
  FillBuddiesOfSelectedUser();
  SelectPreferred(buddy_list_, preferred_buddy);
  FillDatesOfSelectedBuddy();
  SelectNewestDate();
  ShowSelectedHistory();
}

void CHistoryViewerDlg::FillBuddyList() {
  FillBuddiesOfSelectedUser();
  buddy_list_.SetCurSel(0);
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
  if (date_list_.GetCurSel() == LB_ERR) return;
  const std::optional<std::string> path = JoinHistoryPath(
      history_folder_, {SelectedUser(), SelectedBuddy(), DateEntryFileName(SelectedDate())});
  if (path) HtmlViewNavigate(html_view_, path->c_str());
}

// Adds what appeared on disk; removes nothing and keeps every selection.
void CHistoryViewerDlg::MergeNewEntries() {
  AddMissing(user_list_, history_folder_, HistoryLevel::kUsers, CB_ERR);
  if (user_list_.GetCurSel() != CB_ERR) {
    AddMissing(buddy_list_, JoinHistoryPath(history_folder_, {SelectedUser()}),
               HistoryLevel::kBuddies, CB_ERR);
    if (buddy_list_.GetCurSel() != CB_ERR) {
      AddMissing(date_list_, JoinHistoryPath(history_folder_, {SelectedUser(), SelectedBuddy()}),
                 HistoryLevel::kDates, LB_ERR);
    }
  }
  HtmlViewRefresh(html_view_);
}

}  // namespace corvane
