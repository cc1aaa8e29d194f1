// The History Viewer's main dialog: the User, Buddy and date lists over the
// history tree, the HTML view of the selected day, the delete buttons, the
// size total, the live following of the history folder, and the search and
// export windows it owns.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/joined_thread.h"
#include "viewer/app/level_listing.h"
#include "viewer/app/list_merge.h"
#include "viewer/export/export_dialog.h"
#include "viewer/framework/list_controls.h"
#include "viewer/framework/placement_dialog.h"
#include "viewer/framework/worker_news.h"
#include "viewer/history_tree/folder_watch.h"
#include "viewer/search/search_dialog.h"

namespace corvane {

class CHistoryViewerDlg : public CPlacementDialog, public SearchHost {
 public:
  // Loads the icon and reads the history folder from the settings.
  CHistoryViewerDlg();
  ~CHistoryViewerDlg() override;

  // The search window's questions (history_viewer_search.cpp).
  std::string HistoryFolder() const override { return historyFolder_; }
  bool ShowMatch(const HistoryDay& day, const std::string& highlight, const FoldTable& fold,
                 int occurrence) override;

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnNotify(WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(const MSG& msg) override;

 private:
  void BindControls();
  void AnchorControls();
  void OnTimer();
  void OnMinimizedPaint();
  void ShowSizeTotal(std::uint64_t totalBytes);
  void StartFollowing();

  // Browsing the tree (history_viewer_browse.cpp).  The Fill... calls and
  // the merge of a lost count list on LevelListing's thread; the lists fill
  // as each level comes.
  void FillAllLists(const std::string& preferredUser, const std::string& preferredBuddy);
  void FillBuddyList();
  void FillDateList();
  std::optional<std::string> LevelFolder(HistoryLevel level) const;
  std::optional<LevelToList> LevelToListOf(HistoryLevel level) const;
  void ListLevel(HistoryLevel level);
  void OnLevelListed();
  void ShowAimedDay();
  void ShowSelectedHistory();
  void MergeReportedNames();
  void MergeNewEntries(const ReportedNames& reported);
  void MergeListings();
  void AddMissingListed(Listing& listing);
  void MergeMadeName(const std::vector<std::string>& parts);
  void SelectNewestDate();
  std::string SelectedUser() const;
  std::string SelectedBuddy() const;
  std::string SelectedDate() const;

  // Searching (history_viewer_search.cpp).
  void OpenSearch();
  void UpdateScopes();
  // Deleted history leaves the search index in the same step; `path` as
  // deleted (a day file, a folder or the history folder's "*.*").
  void ForgetInSearchIndex(const std::string& path);
  bool IsInWindow(HWND window, HWND top) const;

  // Exporting and deleting old days (history_viewer_export.cpp).
  void OpenExport();
  void OpenDeleteOldDays();

  // Deleting (history_viewer_delete.cpp).
  void OnClearAll();
  void OnDeleteUser();
  void OnDeleteBuddy();
  void OnDeleteDate();

  // A search's row to show once the lists hold its day.
  struct ShownMatch {
    HistoryDay day;
    std::string highlight;
    FoldTable fold;
    int occurrence;
  };
  // What the lists select as their levels come: the first entry that
  // begins with the preferred names (entry 0 when none does), or the
  // match's buddy and day.
  struct ListingAim {
    std::string user;
    std::string buddy;
    std::optional<ShownMatch> match;
  };
  ListingAim aim_;
  std::unique_ptr<LevelListing> levels_;  // made with the window
  int endKeyCountdown_ = 0;
  // The next shown document came from the search: it keeps its place.
  bool skipEndScroll_ = false;
  std::string historyFolder_;
  CListBox dateList_;
  CComboBox userList_;
  CComboBox buddyList_;
  ListedEntries listedUsers_;
  ListedEntries listedBuddies_;
  ListedEntries listedDates_;
  HWND htmlView_ = nullptr;
  HICON icon_ = nullptr;
  FoldTable nameFold_{};  // the code page's case folding, made once
  std::unique_ptr<CHistoryExportDlg> export_;
  const std::shared_ptr<DayListing> dayListing_ = std::make_shared<DayListing>();
  // Made once the history folder is known.
  std::shared_ptr<FolderWatch> watch_;
  bool following_ = false;  // the watch and the size total started
  // What the watch reported for the lists to merge, and the listener that
  // gathers it.
  std::unique_ptr<WorkerNews<ReportedNames>> listsNews_;
  bool reportsWaiting_ = false;  // news came while a level was listed
  FolderWatch::Subscription listsFollow_;
  std::shared_ptr<SearchIndex> searchIndex_;
  std::unique_ptr<CHistorySearchDlg> search_;
  JoinedThread sizeTotal_;
};

}  // namespace corvane
