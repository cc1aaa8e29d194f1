// The three lists over the history tree and the view of the selected day.
// A list is filled from the disk a level at a time, listed and sorted on a
// thread of its own (LevelListing), the lists below it emptied meanwhile;
// what appears on disk afterwards is merged as the watch names it, or, when
// the watch lost count, from a new listing of the levels below the
// selection on the same thread.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "viewer/app/history_viewer_dialog.h"
#include "viewer/days/day_scope.h"
#include "viewer/history_tree/history_tree.h"
#include "viewer/html/html_view.h"

namespace corvane {
namespace {

template <typename List>
void Empty(List& list, ListedEntries& listed) {
  list.ResetContent();
  listed.Clear();
}

template <typename List>
void Fill(List& list, ListedEntries& listed, ListedLevel& level) {
  list.AddSortedStrings(level.texts);
  listed = std::move(level.entries);
}

// Entry 0, or the first entry that begins with the preferred name.
void SelectPreferred(CComboBox& list, const std::string& preferred) {
  list.SetCurSel(0);
  if (!preferred.empty() && list.SelectString(-1, preferred.c_str()) == CB_ERR) list.SetCurSel(0);
}

// The level's texts the list lacks, added in one pass: what it holds and
// the selection stay.  The texts come folded, so that the window's thread
// only looks them up.
template <typename List>
void AddMissing(List& list, ListedEntries& listed, ListedLevel& level) {
  std::vector<std::string> missing;
  for (std::size_t i = 0; i < level.texts.size(); ++i) {
    if (listed.InsertFolded(std::move(level.folded[i])))
      missing.push_back(std::move(level.texts[i]));
  }
  if (!missing.empty()) list.AddSortedStrings(missing);
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

// The newest date is the last; with no dates this selects nothing.
void CHistoryViewerDlg::SelectNewestDate() {
  const int count = dateList_.GetCount();
  dateList_.SetCurSel(count > 0 ? count - 1 : 0);
}

void CHistoryViewerDlg::FillAllLists(const std::string& preferredUser,
                                     const std::string& preferredBuddy) {
  aim_ = ListingAim{preferredUser, preferredBuddy, std::nullopt};
  ListLevel(HistoryLevel::kUsers);
}

void CHistoryViewerDlg::FillBuddyList() {
  aim_ = ListingAim{};
  ListLevel(HistoryLevel::kBuddies);
}

void CHistoryViewerDlg::FillDateList() {
  aim_ = ListingAim{};
  ListLevel(HistoryLevel::kDates);
}

// The folder of `level` below the selection; none when a list above it
// selects nothing.
std::optional<std::string> CHistoryViewerDlg::LevelFolder(HistoryLevel level) const {
  if (level == HistoryLevel::kUsers) return historyFolder_;
  if (userList_.GetCurSel() == CB_ERR) return std::nullopt;
  if (level == HistoryLevel::kBuddies) return JoinHistoryPath(historyFolder_, {SelectedUser()});
  if (buddyList_.GetCurSel() == CB_ERR) return std::nullopt;
  return JoinHistoryPath(historyFolder_, {SelectedUser(), SelectedBuddy()});
}

// `level`'s folder below the selection and its list's locale; none when a
// list above it selects nothing.
std::optional<LevelToList> CHistoryViewerDlg::LevelToListOf(HistoryLevel level) const {
  std::optional<std::string> folder = LevelFolder(level);
  if (!folder) return std::nullopt;
  const LCID locale = level == HistoryLevel::kUsers     ? userList_.GetLocale()
                      : level == HistoryLevel::kBuddies ? buddyList_.GetLocale()
                                                        : dateList_.GetLocale();
  return LevelToList{level, std::move(*folder), locale};
}

// The list of `level` and those below it are emptied at once, so that no
// list offers a name of another folder than the one selected above it;
// the listing asked before, if any, is dropped.  A merge dropped so is owed
// again once the lists are complete, for the lists above this level miss
// what it would have added.
void CHistoryViewerDlg::ListLevel(HistoryLevel level) {
  if (levels_->Merging()) {
    listsNews_->Update([](ReportedNames& reported) { reported.LoseCount(); }, false);
    reportsWaiting_ = true;
  }
  if (level == HistoryLevel::kUsers) Empty(userList_, listedUsers_);
  if (level != HistoryLevel::kDates) Empty(buddyList_, listedBuddies_);
  Empty(dateList_, listedDates_);
  std::optional<LevelToList> asked = LevelToListOf(level);
  if (!asked) {
    levels_->Drop();
    ShowAimedDay();
    return;
  }
  levels_->Start(ListingPurpose::kFill, {std::move(*asked)});
}

void CHistoryViewerDlg::OnLevelListed() {
  std::optional<Listing> listing = levels_->Take();
  if (!listing) return;
  if (listing->purpose == ListingPurpose::kMerge) {
    AddMissingListed(*listing);
    return;
  }
  ListedLevel& listed = listing->levels.front();
  switch (listed.level) {
    case HistoryLevel::kUsers:
      Fill(userList_, listedUsers_, listed);
      SelectPreferred(userList_, aim_.user);
      ListLevel(HistoryLevel::kBuddies);
      return;
    case HistoryLevel::kBuddies:
      Fill(buddyList_, listedBuddies_, listed);
      if (aim_.match) {
        const int buddy = buddyList_.FindStringExact(-1, aim_.match->day.buddy.c_str());
        buddyList_.SetCurSel(buddy == CB_ERR ? 0 : buddy);
        // Another buddy's days do not hold the match.
        if (buddy == CB_ERR) aim_.match->day.date.clear();
      } else {
        SelectPreferred(buddyList_, aim_.buddy);
      }
      ListLevel(HistoryLevel::kDates);
      return;
    case HistoryLevel::kDates:
      Fill(dateList_, listedDates_, listed);
      ShowAimedDay();
      return;
  }
}

// The lists are complete: the day aimed at is shown, and what the watch
// reported meanwhile is merged.
void CHistoryViewerDlg::ShowAimedDay() {
  const std::optional<ShownMatch> match = std::exchange(aim_, ListingAim{}).match;
  const int date = match && !match->day.date.empty()
                       ? dateList_.FindStringExact(-1, match->day.date.c_str())
                       : LB_ERR;
  if (date == LB_ERR) {
    SelectNewestDate();
    ShowSelectedHistory();
    // The search's row names a day no longer listed.
    if (match) MessageBeep(MB_ICONEXCLAMATION);
  } else {
    dateList_.SetCurSel(date);
    HtmlViewSetHighlight(htmlView_, match->highlight, match->fold);
    endKeyCountdown_ = 0;
    skipEndScroll_ = true;
    ShowSelectedHistory();
    if (match->occurrence >= 0) HtmlViewShowOccurrence(htmlView_, match->occurrence);
  }
  StartFollowing();
  if (reportsWaiting_) MergeReportedNames();
}

// Without a selected date the view keeps what it shows.
void CHistoryViewerDlg::ShowSelectedHistory() {
  UpdateScopes();
  if (dateList_.GetCurSel() == LB_ERR) return;
  const std::optional<std::string> path =
      DayFilePath(historyFolder_, HistoryDay{SelectedUser(), SelectedBuddy(), SelectedDate()});
  if (path) HtmlViewNavigate(htmlView_, path->c_str());
}

// While a level is listed what the watch reports waits, for the listing
// may hold it or not, and the lists below are empty; it is merged once the
// lists are complete.  So it does while a merge is listed, and is merged
// after it.
void CHistoryViewerDlg::MergeReportedNames() {
  if (!listsNews_) return;
  if (levels_->Pending()) {
    reportsWaiting_ = true;
    return;
  }
  reportsWaiting_ = false;
  MergeNewEntries(
      listsNews_->Take([](ReportedNames& names) { return std::exchange(names, ReportedNames{}); }));
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

// The levels below the selection are listed on LevelListing's thread;
// adding what the lists miss changes no selection, so the folders asked
// stay those selected until the listing comes, unless a pick drops it.
void CHistoryViewerDlg::MergeListings() {
  std::vector<LevelToList> levels;
  for (HistoryLevel level : {HistoryLevel::kUsers, HistoryLevel::kBuddies, HistoryLevel::kDates}) {
    std::optional<LevelToList> asked = LevelToListOf(level);
    if (!asked) break;
    levels.push_back(std::move(*asked));
  }
  levels_->Start(ListingPurpose::kMerge, std::move(levels));
}

// What the watch reported while the merge was listed is merged after it.
void CHistoryViewerDlg::AddMissingListed(Listing& listing) {
  for (ListedLevel& listed : listing.levels) {
    switch (listed.level) {
      case HistoryLevel::kUsers:
        AddMissing(userList_, listedUsers_, listed);
        break;
      case HistoryLevel::kBuddies:
        AddMissing(buddyList_, listedBuddies_, listed);
        break;
      case HistoryLevel::kDates:
        AddMissing(dateList_, listedDates_, listed);
        break;
    }
  }
  if (reportsWaiting_) MergeReportedNames();
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
