#include "viewer/export/export_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include "common/code_page_characters.h"
#include "viewer/export/export_destination.h"
#include "viewer/export/export_paths.h"
#include "viewer/export/export_texts.h"
#include "viewer/framework/dialog.h"
#include "viewer/framework/win_app.h"
#include "viewer/history_tree/date_range.h"
#include "viewer/resources/viewer_resources.h"

namespace corvane {
namespace {

constexpr char kPlacementName[] = "Corvane History Export";

// Posted by the worker when it has news; see ExportWorker.
constexpr UINT kExportNewsMessage = WM_APP + 2;

constexpr const char* kFormatNames[] = {"Text", "HTML", "JSON Lines"};
static_assert(static_cast<int>(ExportFormat::kText) == 0 &&
              static_cast<int>(ExportFormat::kHtml) == 1 &&
              static_cast<int>(ExportFormat::kJsonLines) == 2);

constexpr char kDefaultName[] = "Corvane History Export";

constexpr DWORD kProgressEveryMs = 100;

std::string Trimmed(std::string text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The user's Documents folder, where an export is proposed to go.
std::string DocumentsFolder() {
  char folder[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return {};
  return folder;
}

void Complain(const std::string& text) { AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION); }

}  // namespace

CHistoryExportDlg::CHistoryExportDlg(std::string historyFolder)
    : CPlacementDialog(IDD_EXPORT), historyFolder_(std::move(historyFolder)) {
  SetApplyPlacement(true);
  SetPersistPlacement(true);
  SetPlacementName(kPlacementName);
}

CHistoryExportDlg::~CHistoryExportDlg() = default;

void CHistoryExportDlg::Open(HWND owner) { ShowModeless(owner); }

void CHistoryExportDlg::SetViewerSelection(const std::string& user, const std::string& buddy,
                                           const std::string& date) {
  if (user == viewerUser_ && buddy == viewerBuddy_ && date == viewerDate_) return;
  viewerUser_ = user;
  viewerBuddy_ = buddy;
  viewerDate_ = date;
  if (GetSafeHwnd() != nullptr && !worker_) FillScopes();
}

BOOL CHistoryExportDlg::OnInitDialog() {
  CPlacementDialog::OnInitDialog();
  HWND formats = GetDlgItem(IDC_EXPORT_FORMAT);
  for (const char* name : kFormatNames)
    SendMessageA(formats, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendMessageA(formats, CB_SETCURSEL, static_cast<WPARAM>(format_), 0);
  FillScopes();
  const std::string documents = DocumentsFolder();
  if (!documents.empty()) {
    const std::string proposed = documents + "\\" + kDefaultName + ".txt";
    SetDlgItemTextA(GetSafeHwnd(), IDC_EXPORT_DESTINATION, proposed.c_str());
  }
  RestorePlacementOnce();
  return TRUE;
}

// "All users", then the viewer's user, its user and buddy, and the day it
// shows, as far as the viewer has them selected.
void CHistoryExportDlg::FillScopes() {
  scopes_.clear();
  scopes_.push_back(Scope{"All users", {}});
  if (!viewerUser_.empty()) scopes_.push_back(Scope{viewerUser_, {viewerUser_, "", {}}});
  if (!viewerUser_.empty() && !viewerBuddy_.empty()) {
    scopes_.push_back(Scope{ScopeText(viewerUser_, viewerBuddy_), {viewerUser_, viewerBuddy_, {}}});
    if (const auto day = ParseDayFileName(DateEntryFileName(viewerDate_))) {
      scopes_.push_back(Scope{ScopeText(viewerUser_, viewerBuddy_) + " on " + IsoDateText(*day),
                              {viewerUser_, viewerBuddy_, day}});
    }
  }
  HWND list = GetDlgItem(IDC_EXPORT_SCOPE);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const Scope& scope : scopes_)
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(scope.text.c_str()));
  scope_ = std::min(scope_, static_cast<int>(scopes_.size()) - 1);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(scope_), 0);
}

ExportFormat CHistoryExportDlg::SelectedFormat() const {
  const LRESULT index = SendMessageA(GetDlgItem(IDC_EXPORT_FORMAT), CB_GETCURSEL, 0, 0);
  return index >= 0 && index <= 2 ? static_cast<ExportFormat>(index) : ExportFormat::kText;
}

std::optional<LRESULT> CHistoryExportDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kExportNewsMessage:
      OnProgress();
      return 0;
    case WM_DESTROY:
      worker_.reset();
      break;
    default:
      break;
  }
  return CPlacementDialog::WindowProc(msg, wParam, lParam);
}

bool CHistoryExportDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if ((id == IDC_EXPORT_START || id == IDOK) && code == BN_CLICKED) {
    OnStart();
  } else if (id == IDC_EXPORT_CANCEL && code == BN_CLICKED) {
    if (worker_) worker_->Cancel();
  } else if (id == IDCANCEL) {
    OnClose();
  } else if (id == IDC_EXPORT_BROWSE && code == BN_CLICKED) {
    OnBrowse();
  } else if (id == IDC_EXPORT_FORMAT && code == CBN_SELCHANGE) {
    OnFormatChange();
  } else if (id == IDC_EXPORT_SCOPE && code == CBN_SELCHANGE) {
    scope_ = static_cast<int>(SendMessageA(GetDlgItem(IDC_EXPORT_SCOPE), CB_GETCURSEL, 0, 0));
  } else {
    return CPlacementDialog::OnCommand(wParam, lParam);
  }
  return true;
}

// Closing cancels a running export; the worker removes what it wrote.
void CHistoryExportDlg::OnClose() {
  worker_.reset();
  EndDialog(IDCANCEL);
}

void CHistoryExportDlg::OnFormatChange() {
  const ExportFormat format = SelectedFormat();
  HWND destination = GetDlgItem(IDC_EXPORT_DESTINATION);
  SetWindowTextA(
      destination,
      DestinationForFormat(ControlText(destination), format_, format, SystemLeadBytes()).c_str());
  format_ = format;
}

void CHistoryExportDlg::OnBrowse() {
  HWND destination = GetDlgItem(IDC_EXPORT_DESTINATION);
  if (format_ == ExportFormat::kHtml) {
    BROWSEINFOA browse{};
    browse.hwndOwner = GetSafeHwnd();
    browse.lpszTitle = "Export HTML into this folder:";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse)) {
      char path[MAX_PATH];
      if (SHGetPathFromIDListA(chosen, path)) SetWindowTextA(destination, path);
      CoTaskMemFree(chosen);
    }
    return;
  }
  char path[MAX_PATH];
  lstrcpynA(path, ControlText(destination).c_str(), MAX_PATH);
  OPENFILENAMEA save{};
  save.lStructSize = sizeof save;
  save.hwndOwner = GetSafeHwnd();
  const bool text = format_ == ExportFormat::kText;
  save.lpstrFilter = text ? "Text (*.txt)\0*.txt\0All files\0*.*\0"
                          : "JSON Lines (*.jsonl)\0*.jsonl\0All files\0*.*\0";
  save.lpstrDefExt = text ? "txt" : "jsonl";
  save.lpstrFile = path;
  save.nMaxFile = MAX_PATH;
  // Export asks before it replaces a file, whether chosen here or typed.
  save.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (GetSaveFileNameA(&save)) SetWindowTextA(destination, path);
}

std::optional<ExportRequest> CHistoryExportDlg::RequestFromControls() {
  ExportRequest request;
  request.historyFolder = historyFolder_;
  request.format = SelectedFormat();
  request.scope = scopes_.at(static_cast<std::size_t>(std::max(scope_, 0))).scope;
  DateRange range;
  const DateRangeFault fault = ReadDateRange(ControlText(GetDlgItem(IDC_EXPORT_FROM)),
                                             ControlText(GetDlgItem(IDC_EXPORT_TO)), range);
  if (fault != DateRangeFault::kNone) {
    Complain(DateRangeComplaint(fault, range));
    return std::nullopt;
  }
  request.from = range.from;
  request.to = range.to;
  const std::string typed = Trimmed(ControlText(GetDlgItem(IDC_EXPORT_DESTINATION)));
  request.destination = typed.empty() ? typed : FullExportPath(typed);
  if (request.destination.empty() && !typed.empty()) request.destination = typed;
  const std::string refusal =
      RefuseExportDestination(historyFolder_, request.format, request.destination);
  if (!refusal.empty()) {
    Complain(refusal);
    return std::nullopt;
  }
  return request;
}

bool CHistoryExportDlg::MayReplace(const std::string& destination) {
  if (GetFileAttributesA(destination.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  const std::string question = destination + " already exists.\nDo you want to replace it?";
  return AfxMessageBox(question.c_str(), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void CHistoryExportDlg::OnStart() {
  if (worker_) return;
  std::optional<ExportRequest> request = RequestFromControls();
  if (!request) return;
  if (request->format != ExportFormat::kHtml && !MayReplace(request->destination)) return;
  SetDlgItemTextA(GetSafeHwnd(), IDC_EXPORT_DESTINATION, request->destination.c_str());
  html_ = request->format == ExportFormat::kHtml;
  shownPercent_ = -1;
  shownAt_ = GetTickCount();
  SendDlgItemMessageA(GetSafeHwnd(), IDC_EXPORT_PROGRESS, PBM_SETRANGE32, 0, 100);
  SendDlgItemMessageA(GetSafeHwnd(), IDC_EXPORT_PROGRESS, PBM_SETPOS, 0, 0);
  SetDlgItemTextA(GetSafeHwnd(), IDC_EXPORT_STATUS, "Exporting... listing the days");
  QueryPerformanceCounter(&started_);
  try {
    worker_ =
        std::make_unique<ExportWorker>(GetSafeHwnd(), kExportNewsMessage, std::move(*request));
  } catch (const std::exception&) {
    SetDlgItemTextA(GetSafeHwnd(), IDC_EXPORT_STATUS, "The export could not start.");
    return;
  }
  SetRunning(true);
}

// While an export runs only Cancel and Close answer; Close cancels it too.
void CHistoryExportDlg::SetRunning(bool running) {
  for (int id : {IDC_EXPORT_SCOPE, IDC_EXPORT_FROM, IDC_EXPORT_TO, IDC_EXPORT_FORMAT,
                 IDC_EXPORT_DESTINATION, IDC_EXPORT_BROWSE, IDC_EXPORT_START}) {
    EnableWindow(GetDlgItem(id), !running);
  }
  HWND cancel = GetDlgItem(IDC_EXPORT_CANCEL);
  EnableWindow(cancel, running);
  SendMessageA(GetSafeHwnd(), WM_NEXTDLGCTL,
               reinterpret_cast<WPARAM>(running ? cancel : GetDlgItem(IDC_EXPORT_START)), TRUE);
}

// The bar and the count move in whole percents and at most ten times a
// second: each redraw costs Wine round trips, and holds the export meanwhile.
void CHistoryExportDlg::OnProgress() {
  if (!worker_) return;
  const ExportStatus status = worker_->Take();
  if (status.finished) {
    worker_.reset();
    SetRunning(false);
    ShowOutcome(status.outcome);
    return;
  }
  if (status.total == 0) return;
  const int percent = static_cast<int>(status.done * 100 / status.total);
  const DWORD now = GetTickCount();
  if (percent == shownPercent_ || now - shownAt_ < kProgressEveryMs) return;
  shownPercent_ = percent;
  shownAt_ = now;
  worker_->Hold();
  SendDlgItemMessageA(GetSafeHwnd(), IDC_EXPORT_PROGRESS, PBM_SETPOS, percent, 0);
  SetDlgItemTextA(GetSafeHwnd(), IDC_EXPORT_STATUS,
                  ExportProgressText(status.done, status.total).c_str());
  UpdateWindow(GetSafeHwnd());
  worker_->Release();
}

void CHistoryExportDlg::ShowOutcome(const ExportOutcome& outcome) {
  HWND status = GetDlgItem(IDC_EXPORT_STATUS);
  switch (outcome.result) {
    case ExportOutcome::Result::kDone:
      SendDlgItemMessageA(GetSafeHwnd(), IDC_EXPORT_PROGRESS, PBM_SETPOS, 100, 0);
      SetWindowTextA(
          status,
          ExportDoneText(outcome.days, outcome.files, html_, SecondsSince(started_)).c_str());
      break;
    case ExportOutcome::Result::kCancelled:
      SendDlgItemMessageA(GetSafeHwnd(), IDC_EXPORT_PROGRESS, PBM_SETPOS, 0, 0);
      SetWindowTextA(status, "Export cancelled; nothing was saved.");
      break;
    case ExportOutcome::Result::kFailed:
      SendDlgItemMessageA(GetSafeHwnd(), IDC_EXPORT_PROGRESS, PBM_SETPOS, 0, 0);
      SetWindowTextA(status, "Export failed; nothing was saved.");
      Complain(outcome.error);
      break;
  }
}

void AddExportMenuItems(HWND window, UINT after, UINT exportCommand, UINT deleteCommand) {
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  int at = 0;
  while (at < count && GetMenuItemID(menu, at) != after && GetMenuItemID(menu, at) != SC_CLOSE)
    ++at;
  if (at < count && GetMenuItemID(menu, at) == after) ++at;
  InsertMenuA(menu, static_cast<UINT>(at), MF_BYPOSITION | MF_STRING, exportCommand,
              "&Export History...");
  InsertMenuA(menu, static_cast<UINT>(at + 1), MF_BYPOSITION | MF_STRING, deleteCommand,
              "&Delete Old Days...");
}

}  // namespace corvane
