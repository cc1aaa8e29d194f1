#include "viewer/search/search_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "common/capacities.h"
#include "viewer/days/day_scope.h"
#include "viewer/framework/dialog.h"
#include "viewer/framework/win_app.h"
#include "viewer/html/html_view_document.h"
#include "viewer/resources/viewer_resources.h"
#include "viewer/search/search_texts.h"

namespace corvane {
namespace {

constexpr char kPlacementName[] = "Corvane History Search";

// Posted by the search's worker when rows wait or the search has ended;
// wParam: the search's id, so that a replaced search's last words are
// ignored.
constexpr UINT kSearchProgressMessage = WM_APP + 1;

// Rows reach the list at most this often (the first ones at once): each
// new count redraws the list's scroll bar, which costs Wine tens of
// milliseconds, and the window must keep answering meanwhile.
constexpr UINT_PTR kShowRowsTimer = 1;
constexpr UINT kShowRowsMs = 250;

// How often the status line follows the index's progress.
constexpr UINT_PTR kIndexStatusTimer = 2;
constexpr UINT kIndexStatusMs = 200;

// What a query may hold; a line of the view is rarely longer.
constexpr int kMaxQuery = 255;
// "yyyy-mm-dd", with room for blanks around it.
constexpr int kMaxDate = 16;

struct Column {
  const char* title;
  int width;  // dialog units
};
// The Text column takes what the others leave.
constexpr Column kColumns[] = {{"User", 50}, {"Buddy", 50}, {"Date", 86}, {"Text", 100}};
constexpr int kTextColumn = 3;

std::string_view ColumnText(const SearchRowList::Row& row, int column) {
  switch (column) {
    case 0:
      return row.day.user;
    case 1:
      return row.day.buddy;
    case 2:
      return row.day.date;
    default:
      return row.text;
  }
}

}  // namespace

CHistorySearchDlg::CHistorySearchDlg(SearchHost& host, const FoldTable& nameFold,
                                     std::shared_ptr<DayListing> listing,
                                     std::shared_ptr<SearchIndex> index)
    : CPlacementDialog(IDD_SEARCH),
      host_(host),
      nameFold_(nameFold),
      listing_(std::move(listing)),
      index_(std::move(index)) {
  SetApplyPlacement(true);
  SetPersistPlacement(true);
  SetPlacementName(kPlacementName);
}

HWND CHistorySearchDlg::Results() const { return GetDlgItem(IDC_SEARCH_RESULTS); }

void CHistorySearchDlg::Open(HWND owner) {
  if (ShowModeless(owner)) SelectQuery();
}

void CHistorySearchDlg::SetViewerSelection(const std::string& user, const std::string& buddy) {
  if (user == viewerUser_ && buddy == viewerBuddy_) return;
  viewerUser_ = user;
  viewerBuddy_ = buddy;
  if (GetSafeHwnd() != nullptr) FillScopes();
}

BOOL CHistorySearchDlg::OnInitDialog() {
  CPlacementDialog::OnInitDialog();
  AnchorControls();
  AddColumns();
  FillScopes();
  SendDlgItemMessageA(GetSafeHwnd(), IDC_SEARCH_QUERY, EM_LIMITTEXT, kMaxQuery, 0);
  SendDlgItemMessageA(GetSafeHwnd(), IDC_SEARCH_FROM, EM_LIMITTEXT, kMaxDate, 0);
  SendDlgItemMessageA(GetSafeHwnd(), IDC_SEARCH_TO, EM_LIMITTEXT, kMaxDate, 0);
  SendDlgItemMessageA(GetSafeHwnd(), IDC_SEARCH_SAID_BY, EM_LIMITTEXT, kNameCapacity - 1, 0);
  listingEveryDay_ = StartListingEveryDay(listing_, host_.HistoryFolder());
  ShowIndexStatus();
  if (index_) SetTimer(GetSafeHwnd(), kIndexStatusTimer, kIndexStatusMs, nullptr);
  // Placed before it first shows, so it never jumps.
  RestorePlacementOnce();
  return TRUE;
}

void CHistorySearchDlg::AnchorControls() {
  AnchorControl(IDC_SEARCH_QUERY, kTopLeft, kTopRight);
  AnchorControl(IDC_SEARCH_START, kTopRight, kTopRight);
  AnchorControl(IDC_SEARCH_RESULTS, kTopLeft, kBottomRight);
  AnchorControl(IDC_SEARCH_STATUS, kBottomLeft, kBottomRight);
}

void CHistorySearchDlg::AddColumns() {
  HWND list = Results();
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  int index = 0;
  for (const Column& column : kColumns) {
    RECT width{0, 0, column.width, 0};
    MapDialogRect(GetSafeHwnd(), &width);
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    header.pszText = const_cast<char*>(column.title);
    header.cx = width.right;
    header.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&header));
    ++index;
  }
  SendMessageA(list, LVM_SETCOLUMNWIDTH, kTextColumn, LVSCW_AUTOSIZE_USEHEADER);
}

// "All users", then the viewer's user, then its user and buddy, as far as
// the viewer has them selected.
void CHistorySearchDlg::FillScopes() {
  HWND scopes = GetDlgItem(IDC_SEARCH_SCOPE);
  SendMessageA(scopes, CB_RESETCONTENT, 0, 0);
  std::vector<std::string> texts{"All users"};
  if (!viewerUser_.empty()) texts.push_back(viewerUser_);
  if (!viewerUser_.empty() && !viewerBuddy_.empty())
    texts.push_back(viewerUser_ + " and " + viewerBuddy_);
  for (const std::string& text : texts) {
    SendMessageA(scopes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  scope_ = std::min(scope_, static_cast<int>(texts.size()) - 1);
  SendMessageA(scopes, CB_SETCURSEL, static_cast<WPARAM>(scope_), 0);
}

void CHistorySearchDlg::SelectQuery() {
  HWND query = GetDlgItem(IDC_SEARCH_QUERY);
  SendMessageA(GetSafeHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(query), TRUE);
  SendMessageA(query, EM_SETSEL, 0, -1);
}

std::optional<LRESULT> CHistorySearchDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kSearchProgressMessage:
      OnProgress(wParam);
      return 0;
    case WM_TIMER:
      if (wParam == kIndexStatusTimer) {
        ShowIndexStatus();
        return 0;
      }
      if (wParam != kShowRowsTimer) break;
      KillTimer(GetSafeHwnd(), kShowRowsTimer);
      showPending_ = false;
      if (run_) ShowRows(SearchingText(rows_.Size(), days_));
      return 0;
    case WM_SIZE: {
      const std::optional<LRESULT> result = CPlacementDialog::WindowProc(msg, wParam, lParam);
      SendMessageA(Results(), LVM_SETCOLUMNWIDTH, kTextColumn, LVSCW_AUTOSIZE_USEHEADER);
      return result;
    }
    case WM_DESTROY:
      run_.reset();
      break;
    default:
      break;
  }
  return CPlacementDialog::WindowProc(msg, wParam, lParam);
}

bool CHistorySearchDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  // Enter anywhere arrives as the default button's click.
  if ((id == IDC_SEARCH_START || id == IDOK) && code == BN_CLICKED) {
    OnEnterOrSearch();
  } else if (id == IDC_SEARCH_SCOPE && code == CBN_SELCHANGE) {
    scope_ = static_cast<int>(SendMessageA(GetDlgItem(IDC_SEARCH_SCOPE), CB_GETCURSEL, 0, 0));
  } else {
    return CPlacementDialog::OnCommand(wParam, lParam);
  }
  return true;
}

std::optional<LRESULT> CHistorySearchDlg::OnNotify(WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->idFrom != IDC_SEARCH_RESULTS) return CPlacementDialog::OnNotify(wParam, lParam);
  if (header->code == LVN_GETDISPINFOA) {
    FillRowText(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
    return 0;
  }
  if (header->code == NM_DBLCLK) {
    const int index = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
    if (index >= 0) GoToRow(index);
    return 0;
  }
  return CPlacementDialog::OnNotify(wParam, lParam);
}

// Enter on a row goes to its match; anywhere else it searches.
void CHistorySearchDlg::OnEnterOrSearch() {
  HWND list = Results();
  if (GetFocus() == list) {
    const int row = static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row >= 0) {
      GoToRow(row);
      return;
    }
  }
  StartSearch();
}

// Nothing when a date is wrong: the user is told which.
std::optional<SearchRequest> CHistorySearchDlg::RequestFromControls() {
  SearchRequest request{host_.HistoryFolder(), {}, {}, {}, {}, listing_, index_};
  const DateRangeFault fault = ReadDateRange(ControlText(GetDlgItem(IDC_SEARCH_FROM)),
                                             ControlText(GetDlgItem(IDC_SEARCH_TO)), request.range);
  if (fault != DateRangeFault::kNone) {
    AfxMessageBox(DateRangeComplaint(fault, request.range).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return std::nullopt;
  }
  const bool matchCase = IsDlgButtonChecked(GetSafeHwnd(), IDC_SEARCH_MATCH_CASE) == BST_CHECKED;
  request.terms.query = ControlText(GetDlgItem(IDC_SEARCH_QUERY));
  request.terms.fold = matchCase ? IdentityFold() : nameFold_;
  request.terms.saidBy = ControlText(GetDlgItem(IDC_SEARCH_SAID_BY));
  request.terms.nameFold = nameFold_;
  if (scope_ >= 1) request.user = viewerUser_;
  if (scope_ >= 2) request.buddy = viewerBuddy_;
  return request;
}

void CHistorySearchDlg::StartSearch() {
  std::optional<SearchRequest> request = RequestFromControls();
  if (!request) return;
  run_.reset();
  KillTimer(GetSafeHwnd(), kShowRowsTimer);
  showPending_ = false;
  rows_.Clear();
  days_ = 0;
  shownRows_ = 0;
  SendMessageA(Results(), LVM_SETITEMCOUNT, 0, 0);
  terms_ = request->terms;
  indexStatusShown_ = !SearchesAnything(terms_);
  if (indexStatusShown_) {
    indexStatus_.clear();
    SetDlgItemTextA(GetSafeHwnd(), IDC_SEARCH_STATUS, "");
    ShowIndexStatus();
    return;
  }
  QueryPerformanceCounter(&started_);
  run_ = std::make_unique<SearchRun>(GetSafeHwnd(), kSearchProgressMessage, ++runId_,
                                     std::move(*request));
  SetDlgItemTextA(GetSafeHwnd(), IDC_SEARCH_STATUS, SearchingText(0, 0).c_str());
}

void CHistorySearchDlg::OnProgress(WPARAM id) {
  if (!run_ || id != runId_) return;
  const SearchProgress progress = run_->Take();
  rows_.Append(progress.rows);
  days_ = progress.days;
  if (progress.finished) {
    run_.reset();
    KillTimer(GetSafeHwnd(), kShowRowsTimer);
    showPending_ = false;
    ShowRows(FinishedText(rows_.Size(), days_, progress.capped, SecondsSince(started_),
                          progress.unreadDays));
  } else if (shownRows_ == 0 && rows_.Size() > 0) {
    ShowRows(SearchingText(rows_.Size(), days_));
  } else if (rows_.Size() != shownRows_ && !showPending_) {
    showPending_ = SetTimer(GetSafeHwnd(), kShowRowsTimer, kShowRowsMs, nullptr) != 0;
  }
}

// The list only learns the new count: it redraws its scroll bar and the new
// rows that come into view, never the rows already shown.  (Holding its
// drawing meanwhile made Wine repaint every visible row when it was let go.)
// A running search waits until the window has drawn them, so that the
// drawing has a core to itself and the window answers as quickly as when
// idle; after the search the drawing is left to the window's own paint
// message, and the window can answer between the two.
void CHistorySearchDlg::ShowRows(const std::string& status) {
  if (run_) run_->Hold();
  if (rows_.Size() != shownRows_) {
    SendMessageA(Results(), LVM_SETITEMCOUNT, rows_.Size(),
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    shownRows_ = rows_.Size();
  }
  SetDlgItemTextA(GetSafeHwnd(), IDC_SEARCH_STATUS, status.c_str());
  if (run_) {
    UpdateWindow(GetSafeHwnd());
    run_->Release();
  }
}

// Only while no search has its say: a search's last words stay until the
// next search.
void CHistorySearchDlg::ShowIndexStatus() {
  if (!index_ || run_ || !indexStatusShown_) return;
  const SearchIndex::Status status = index_->CurrentStatus();
  const std::string text = status.known ? IndexStatusText(status.indexed, status.total) : "";
  if (text == indexStatus_) return;
  indexStatus_ = text;
  SetDlgItemTextA(GetSafeHwnd(), IDC_SEARCH_STATUS, text.c_str());
}

void CHistorySearchDlg::FillRowText(NMLVDISPINFOA& info) const {
  LVITEMA& item = info.item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows_.Size()) {
    item.pszText[0] = '\0';
    return;
  }
  const std::string_view text =
      ColumnText(rows_[static_cast<std::size_t>(item.iItem)], item.iSubItem);
  const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text.data(), copied, item.pszText);
  item.pszText[copied] = '\0';
}

// The day is read again: it may have changed since the search, and the
// row's match is found in it as it is now, by its text.
void CHistorySearchDlg::GoToRow(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.Size()) return;
  const SearchRowList::Row row = rows_[static_cast<std::size_t>(index)];
  std::optional<RowInView> place;
  std::string html;
  const std::optional<std::string> path = DayFilePath(host_.HistoryFolder(), row.day);
  if (path && ReadHistoryFile(*path, html))
    place = SearchRows(terms_).Locate(html, row.text, row.place);
  const RowInView shown = place.value_or(RowInView{terms_.query, -1});
  if (!host_.ShowMatch(row.day, shown.highlight, terms_.fold, shown.occurrence))
    MessageBeep(MB_ICONEXCLAMATION);
}

void AddSearchMenuItem(HWND window, UINT command) {
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  int close = 0;
  while (close < count && GetMenuItemID(menu, close) != SC_CLOSE) ++close;
  InsertMenuA(menu, static_cast<UINT>(close), MF_BYPOSITION | MF_STRING, command,
              "&Search History...\tCtrl+F");
}

}  // namespace corvane
