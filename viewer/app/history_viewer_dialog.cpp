#include "viewer/app/history_viewer_dialog.h"

#include <cstdint>
#include <utility>

#include "common/code_page_characters.h"
#include "viewer/app/about_dialog.h"
#include "viewer/app/viewer_command_line.h"
#include "viewer/app/viewer_registry.h"
#include "viewer/days/history_day.h"
#include "viewer/framework/win_app.h"
#include "viewer/history_tree/folder_size.h"
#include "viewer/history_tree/history_folder_browser.h"
#include "viewer/history_tree/history_size_text.h"
#include "viewer/html/html_view.h"
#include "viewer/resources/viewer_resources.h"

namespace corvane {
namespace {

// The viewer's private window messages to its main dialog.
enum ViewerMessage : UINT {
  // Posted by the dialog to itself when the view has shown a document.
  WM_HV_START_SCROLL = WM_USER + 1,
  // wParam: the byte total of the history tree (32-bit, wrapped).
  WM_HV_SIZE_TOTAL = WM_USER + 2,
  // Something below the history folder changed.
  WM_HV_FOLDER_CHANGED = WM_USER + 3,
  // A level of the history tree is listed (LevelListing).
  WM_HV_LEVEL_LISTED = WM_USER + 4,
};

constexpr UINT_PTR TIMER_SCROLL_END = 99;
constexpr UINT kScrollEndPeriodMs = 100;
// End presses after each shown document, spread over half a second, so the
// view ends at the newest lines even while it is still settling.
constexpr int kEndKeyPresses = 5;

// The view shows its document in its own window, so the presses go to the
// view itself as well as to any window inside it.
void SendToViewAndDescendants(HWND view, UINT msg, WPARAM wParam, LPARAM lParam) {
  SendMessageA(view, msg, wParam, lParam);
  SendMessageToDescendants(view, msg, wParam, lParam);
}

}  // namespace

CHistoryViewerDlg::CHistoryViewerDlg()
    : CPlacementDialog(IDD_MAIN),
      historyFolder_(ReadLogDirSetting()),
      icon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      nameFold_(MakeAnsiLowerFold()) {}

// Searches still running hold the index; its indexer stops now.
CHistoryViewerDlg::~CHistoryViewerDlg() {
  if (searchIndex_) searchIndex_->Stop();
}

BOOL CHistoryViewerDlg::OnInitDialog() {
  CPlacementDialog::OnInitDialog();
  BindControls();
  if (CWinApp* app = AfxGetApp()) app->SetMainWindow(GetSafeHwnd());

  SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  AnchorControls();
  AddSearchMenuItem(GetSafeHwnd(), IDM_SEARCH_HISTORY);
  AddExportMenuItems(GetSafeHwnd(), IDM_SEARCH_HISTORY, IDM_EXPORT_HISTORY, IDM_DELETE_OLD_DAYS);
  SetTimer(GetSafeHwnd(), TIMER_SCROLL_END, kScrollEndPeriodMs, nullptr);

  const ViewerPreselection preselection =
      PreselectedFolders(ParseViewerCommandLine(GetCommandLineA()), SystemLeadBytes());

  // A folder chosen here serves this run only.
  if (historyFolder_.empty()) historyFolder_ = BrowseForHistoryFolder(GetSafeHwnd());
  if (historyFolder_.empty()) ExitProcess(1);

  levels_ = std::make_unique<LevelListing>(GetSafeHwnd(), WM_HV_LEVEL_LISTED);
  FillAllLists(preselection.user, preselection.buddy);
  watch_ = std::make_shared<FolderWatch>(historyFolder_);
  // As the lists are being listed from the disk just now, the watch's first
  // beginning merges nothing; after a pause what came meanwhile is merged.
  listsNews_ = std::make_unique<WorkerNews<ReportedNames>>(GetSafeHwnd(), WM_HV_FOLDER_CHANGED, 0);
  listsFollow_ = watch_->Listen(
      [news = listsNews_.get(), began = false](const FolderChanges& changes) mutable {
        if (changes.kind == FolderChanges::Kind::kEnded) return;
        if (changes.kind == FolderChanges::Kind::kBegan && !std::exchange(began, true)) return;
        news->Update([&](ReportedNames& reported) { reported.Add(changes); });
      });
  searchIndex_ = std::make_shared<SearchIndex>(historyFolder_, nameFold_, dayListing_, watch_);
  SetFocus(htmlView_);
  return FALSE;
}

// Once the lists first hold the disk's entries: walking the whole tree
// beside their listing made it three times as slow.
void CHistoryViewerDlg::StartFollowing() {
  if (std::exchange(following_, true)) return;
  sizeTotal_ = StartSizeTotal(GetSafeHwnd(), WM_HV_SIZE_TOTAL, historyFolder_);
  watch_->Start();
}

void CHistoryViewerDlg::BindControls() {
  dateList_.AttachDlgItem(*this, IDC_DATE_LIST);
  userList_.AttachDlgItem(*this, IDC_USER_LIST);
  buddyList_.AttachDlgItem(*this, IDC_BUDDY_LIST);
  htmlView_ = GetDlgItem(IDC_HTML_VIEW);
}

void CHistoryViewerDlg::AnchorControls() {
  AnchorControl(IDC_HTML_VIEW, kTopLeft, kBottomRight);
  AnchorControl(IDC_DATE_LIST, kTopLeft, kBottomLeft);
  for (int id : {IDC_ABOUT, IDC_SIZE_LABEL, IDC_SIZE_TOTAL, IDC_SIZE_UNIT}) {
    AnchorControl(id, kTopRight, kTopRight);
  }
}

std::optional<LRESULT> CHistoryViewerDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HV_START_SCROLL:
      // A day shown for a search match stays at its match.
      endKeyCountdown_ = skipEndScroll_ ? 0 : kEndKeyPresses;
      skipEndScroll_ = false;
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case IDM_SEARCH_HISTORY:
          OpenSearch();
          return 0;
        case IDM_EXPORT_HISTORY:
          OpenExport();
          return 0;
        case IDM_DELETE_OLD_DAYS:
          OpenDeleteOldDays();
          return 0;
        default:
          break;
      }
      break;
    case WM_HV_SIZE_TOTAL:
      ShowSizeTotal((static_cast<std::uint64_t>(static_cast<DWORD>(lParam)) << 32) | wParam);
      return 0;
    case WM_HV_FOLDER_CHANGED:
      MergeReportedNames();
      return 0;
    case WM_HV_LEVEL_LISTED:
      OnLevelListed();
      return 0;
    case WM_TIMER:
      OnTimer();
      break;
    case WM_PAINT:
      if (!IsIconic(GetSafeHwnd())) break;
      OnMinimizedPaint();
      return 0;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(icon_);
    default:
      break;
  }
  return CPlacementDialog::WindowProc(msg, wParam, lParam);
}

bool CHistoryViewerDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (code == CBN_SELCHANGE && id == IDC_USER_LIST) {
    FillBuddyList();
  } else if (code == CBN_SELCHANGE && id == IDC_BUDDY_LIST) {
    FillDateList();
  } else if (code == LBN_SELCHANGE && id == IDC_DATE_LIST) {
    ShowSelectedHistory();
  } else if (code == BN_CLICKED && id == IDC_DELETE_USER) {
    OnDeleteUser();
  } else if (code == BN_CLICKED && id == IDC_DELETE_BUDDY) {
    OnDeleteBuddy();
  } else if (code == BN_CLICKED && id == IDC_DELETE_DATE) {
    OnDeleteDate();
  } else if (code == BN_CLICKED && id == IDC_CLEAR_ALL) {
    OnClearAll();
  } else if (code == BN_CLICKED && id == IDC_ABOUT) {
    CAboutDlg(GetSafeHwnd()).DoModal();
  } else {
    return CPlacementDialog::OnCommand(wParam, lParam);
  }
  return true;
}

std::optional<LRESULT> CHistoryViewerDlg::OnNotify(WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->idFrom == IDC_HTML_VIEW && header->code == kHtmlViewNavigateComplete) {
    PostMessageA(GetSafeHwnd(), WM_HV_START_SCROLL, 0, 0);
    return 0;
  }
  return CPlacementDialog::OnNotify(wParam, lParam);
}

// Every tick, whatever its timer: the presses scroll the view to its end,
// where the newest lines are.
void CHistoryViewerDlg::OnTimer() {
  if (endKeyCountdown_ == 0) return;
  SendToViewAndDescendants(htmlView_, WM_KEYDOWN, VK_END, 0);
  SendToViewAndDescendants(htmlView_, WM_KEYUP, VK_END, 0);
  --endKeyCountdown_;
}

void CHistoryViewerDlg::OnMinimizedPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(GetSafeHwnd(), &paint);
  SendMessageA(GetSafeHwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(GetSafeHwnd(), &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon_);
  EndPaint(GetSafeHwnd(), &paint);
}

void CHistoryViewerDlg::ShowSizeTotal(std::uint64_t totalBytes) {
  const std::string text = HistorySizeText(totalBytes);
  SetDlgItemTextA(GetSafeHwnd(), IDC_SIZE_TOTAL, text.c_str());
}

}  // namespace corvane
