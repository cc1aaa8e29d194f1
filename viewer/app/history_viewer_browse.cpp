// The three lists over the history tree and the view of the selected day.
// The lists are sorted by the controls themselves; every rebuild reads the
// disk, and what appears on disk meanwhile is merged as the watch names it.
#include <optional>
#include <string>

#include "viewer/app/history_viewer_dialog.h"
#include "viewer/days/day_scope.h"
#include "viewer/history_tree/history_tree.h"
#include "viewer/html/html_view.h"

namespace corvane {
namespace {

template <typename List>
void Fill(List& list, ListedEntries& listed, const std::optional<std::string>& folder,
          HistoryLevel level) {
  list.ResetContent();
  listed.Clear();
  if (!folder) return;
  const std::vector<std::string> texts = ListHistoryLevel(folder->c_str(), level);
  for (const std::string& text : texts) listed.Insert(text);
  list.AddStrings(texts);
}

// Entry 0, or the first entry that begins with the preferred name.
void SelectPreferred(CComboBox& list, const std::string& preferred) {
  list.SetCurSel(0);
  if (!preferred.empty() && list.SelectString(-1, preferred.c_str()) == CB_ERR) list.SetCurSel(0);
}

template <typename List>
void AddMissing(List& list, ListedEntries& listed, const std::optional<std::string>& folder,
                HistoryLevel level) {
  if (!folder) return;
  for (const std::string& text : ListHistoryLevel(folder->c_str(), level)) {
    if (listed.Insert(text)) list.AddString(text.c_str());
  }
}

// The entry `name` of `folder`, when it belongs to the level and is missing.
template <typename List>
void AddIfMissing(List& list, ListedEntries& listed, const std::optional<std::string>& folder,
                  const std::string& name, HistoryLevel level) {
  if (!folder) return;
  const std::optional<std::string> text = HistoryLevelEntry(folder->c_str(), name, level);
  if (text && listed.Insert(*text)) list.AddString(text->c_str());
}

bool SameName(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
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
  Fill(userList_, listedUsers_, historyFolder_, HistoryLevel::kUsers);
}

void CHistoryViewerDlg::FillBuddiesOfSelectedUser() {
  const std::optional<std::string> folder =
      userList_.GetCount() == 0 ? std::nullopt : JoinHistoryPath(historyFolder_, {SelectedUser()});
  Fill(buddyList_, listedBuddies_, folder, HistoryLevel::kBuddies);
}

void CHistoryViewerDlg::FillDatesOfSelectedBuddy() {
  const std::optional<std::string> folder =
      userList_.GetCount() == 0 || buddyList_.GetCount() == 0
          ? std::nullopt
          : JoinHistoryPath(historyFolder_, {SelectedUser(), SelectedBuddy()});
  Fill(dateList_, listedDates_, folder, HistoryLevel::kDates);
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
void CHistoryViewerDlg::MergeNewEntries(const ReportedNames& reported) {
  if (reported.everything) {
    MergeListings();
  } else {
    for (const std::string& name : reported.made) MergeMadeName(NameParts(name));
  }
  HtmlViewRefresh(htmlView_);
}

void CHistoryViewerDlg::MergeListings() {
  AddMissing(userList_, listedUsers_, historyFolder_, HistoryLevel::kUsers);
  if (userList_.GetCurSel() == CB_ERR) return;
  AddMissing(buddyList_, listedBuddies_, JoinHistoryPath(historyFolder_, {SelectedUser()}),
             HistoryLevel::kBuddies);
  if (buddyList_.GetCurSel() == CB_ERR) return;
  AddMissing(dateList_, listedDates_,
             JoinHistoryPath(historyFolder_, {SelectedUser(), SelectedBuddy()}),
             HistoryLevel::kDates);
}

// A user, a buddy of the selected user or a day of the selected buddy.
void CHistoryViewerDlg::MergeMadeName(const std::vector<std::string>& parts) {
  if (parts.size() == 1) {
    AddIfMissing(userList_, listedUsers_, historyFolder_, parts[0], HistoryLevel::kUsers);
    return;
  }
  if (parts.size() > 3 || userList_.GetCurSel() == CB_ERR) return;
  const std::string user = SelectedUser();
  if (!SameName(parts[0], user)) return;
  if (parts.size() == 2) {
    AddIfMissing(buddyList_, listedBuddies_, JoinHistoryPath(historyFolder_, {user}), parts[1],
                 HistoryLevel::kBuddies);
    return;
  }
  if (buddyList_.GetCurSel() == CB_ERR) return;
  const std::string buddy = SelectedBuddy();
  if (!SameName(parts[1], buddy)) return;
  AddIfMissing(dateList_, listedDates_, JoinHistoryPath(historyFolder_, {user, buddy}), parts[2],
               HistoryLevel::kDates);
}

}  // namespace corvane
