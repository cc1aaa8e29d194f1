// The History Viewer's search window, "Corvane History Search": a query,
// "Match case", a scope, a range of dates, who said it, the matches as rows
// (newest day first) and a status line.  Modeless and owned by the viewer,
// with a placement of its own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "viewer/framework/placement_dialog.h"
#include "viewer/search/search_worker.h"

namespace corvane {

// What the search window asks of the viewer that owns it.
class SearchHost {
 public:
  virtual ~SearchHost() = default;
  virtual std::string HistoryFolder() const = 0;
  // Selects the day's user, buddy and date as a user's selection would and
  // shows the day with every occurrence of `highlight` (compared through
  // `fold`) highlighted and occurrence `occurrence` in view (none when
  // negative); false when the day is no longer listed.
  virtual bool ShowMatch(const HistoryDay& day, const std::string& highlight, const FoldTable& fold,
                         int occurrence) = 0;
};

class CHistorySearchDlg : public CPlacementDialog {
 public:
  // `listing` outlives the window, so that a search in a reopened window
  // still finds the folders it listed before; `index` (none: every search
  // reads every day) is the viewer's too.
  CHistorySearchDlg(SearchHost& host, const FoldTable& nameFold,
                    std::shared_ptr<DayListing> listing, std::shared_ptr<SearchIndex> index);

  // Opens the window owned by `owner`, or brings the open one to the front;
  // either way with the query selected for typing over.
  void Open(HWND owner);

  // The viewer's selected user and buddy (empty: none), for the scope list.
  void SetViewerSelection(const std::string& user, const std::string& buddy);

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnNotify(WPARAM wParam, LPARAM lParam) override;

 private:
  void AnchorControls();
  void AddColumns();
  void FillScopes();
  void SelectQuery();
  void OnEnterOrSearch();
  void StartSearch();
  std::optional<SearchRequest> RequestFromControls();
  void OnProgress(WPARAM id);
  void ShowRows(const std::string& status);
  void ShowIndexStatus();
  void FillRowText(NMLVDISPINFOA& info) const;
  void GoToRow(int index);
  HWND Results() const;

  SearchHost& host_;
  const FoldTable nameFold_;
  std::string viewerUser_;
  std::string viewerBuddy_;
  int scope_ = 0;

  const std::shared_ptr<DayListing> listing_;
  const std::shared_ptr<SearchIndex> index_;
  JoinedThread listingEveryDay_;
  // The status line tells of the index, not of a search.
  bool indexStatusShown_ = true;
  std::string indexStatus_;

  // The running or last search.
  std::unique_ptr<SearchRun> run_;
  WPARAM runId_ = 0;
  SearchTerms terms_;
  LARGE_INTEGER started_{};
  SearchRowList rows_;
  std::size_t shownRows_ = 0;  // what the list has been told
  bool showPending_ = false;   // the timer that shows the rest is set
  std::size_t days_ = 0;
};

// "&Search History...\tCtrl+F" with `command`, put into the window's system
// menu just before its Close item (at the end when it has none): the item
// that opens the search window.
void AddSearchMenuItem(HWND window, UINT command);

}  // namespace corvane
