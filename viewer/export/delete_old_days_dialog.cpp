#include "viewer/export/delete_old_days_dialog.h"

#include <mutex>

#include "viewer/export/day_file_deletion.h"
#include "viewer/export/export_texts.h"
#include "viewer/export/old_day_files.h"
#include "viewer/framework/dialog.h"
#include "viewer/framework/win_app.h"
#include "viewer/resources/viewer_resources.h"

namespace corvane {
namespace {

// Posted by the count when it is done.
constexpr UINT kCountedMessage = WM_APP + 3;

}  // namespace

struct CDeleteOldDaysDlg::Count {
  HistoryScope scope;
  CalendarDate before;
  std::mutex lock;
  bool done = false;  // under lock
  OldDays old;        // under lock, once done
};

CDeleteOldDaysDlg::CDeleteOldDaysDlg(HWND parent, std::string historyFolder, std::string user,
                                     std::string buddy)
    : CDialog(IDD_DELETE_OLD_DAYS, parent),
      historyFolder_(std::move(historyFolder)),
      user_(std::move(user)),
      buddy_(std::move(buddy)) {}

CDeleteOldDaysDlg::~CDeleteOldDaysDlg() = default;

// The first of January of this year is proposed: a date a user changes
// rather than one that would take nearly everything.
BOOL CDeleteOldDaysDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SYSTEMTIME local;
  GetLocalTime(&local);
  HWND scopes = GetDlgItem(IDC_DELETE_SCOPE);
  std::vector<std::string> texts{"All users"};
  if (!user_.empty()) texts.push_back(user_);
  if (!user_.empty() && !buddy_.empty()) texts.push_back(ScopeText(user_, buddy_));
  for (const std::string& text : texts)
    SendMessageA(scopes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(scopes, CB_SETCURSEL, 0, 0);
  // Setting the date starts the first count.
  const std::string date = IsoDateText(CalendarDate{local.wYear, 1, 1});
  SetDlgItemTextA(GetSafeHwnd(), IDC_DELETE_BEFORE, date.c_str());
  return TRUE;
}

std::optional<CalendarDate> CDeleteOldDaysDlg::Before() const {
  return ParseIsoDate(ControlText(GetDlgItem(IDC_DELETE_BEFORE)));
}

HistoryScope CDeleteOldDaysDlg::SelectedScope() const {
  const LRESULT index = SendMessageA(GetDlgItem(IDC_DELETE_SCOPE), CB_GETCURSEL, 0, 0);
  if (index == 1) return HistoryScope{user_, "", {}};
  if (index == 2) return HistoryScope{user_, buddy_, {}};
  return HistoryScope{};
}

std::optional<LRESULT> CDeleteOldDaysDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kCountedMessage) {
    OnCounted();
    return 0;
  }
  if (msg == WM_DESTROY) counter_.Stop();
  return CDialog::WindowProc(msg, wParam, lParam);
}

bool CDeleteOldDaysDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if ((id == IDC_DELETE_BEFORE && code == EN_CHANGE) ||
      (id == IDC_DELETE_SCOPE && code == CBN_SELCHANGE)) {
    StartCount();
    return true;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CDeleteOldDaysDlg::StartCount() {
  counter_.Stop();
  count_.reset();
  EnableWindow(GetDlgItem(IDOK), FALSE);
  const std::optional<CalendarDate> before = Before();
  if (!before) {
    SetDlgItemTextA(GetSafeHwnd(), IDC_DELETE_PREVIEW, "Enter the date as yyyy-mm-dd.");
    return;
  }
  SetDlgItemTextA(GetSafeHwnd(), IDC_DELETE_PREVIEW, "Counting...");
  auto count = std::make_shared<Count>();
  count->scope = SelectedScope();
  count->before = *before;
  HWND window = GetSafeHwnd();
  counter_ = JoinedThread([count, window, folder = historyFolder_](const StopRequest& stop) {
    OldDays old;
    try {
      old = ListOldDays(folder, count->scope, count->before, stop.Flag());
    } catch (...) {
      // Out of memory: the dialog says nothing would go.
      old = OldDays{};
    }
    if (stop.Requested()) return;
    {
      std::lock_guard<std::mutex> guard(count->lock);
      count->old = std::move(old);
      count->done = true;
    }
    PostMessageA(window, kCountedMessage, 0, 0);
  });
  if (!counter_.Started()) {
    SetDlgItemTextA(GetSafeHwnd(), IDC_DELETE_PREVIEW, "The days could not be counted.");
    return;
  }
  count_ = std::move(count);
}

void CDeleteOldDaysDlg::OnCounted() {
  if (!count_) return;
  std::lock_guard<std::mutex> guard(count_->lock);
  if (!count_->done) return;
  const std::string scope = ScopeText(count_->scope.user, count_->scope.buddy);
  const std::vector<ListedDay>& days = count_->old.days;
  SetDlgItemTextA(GetSafeHwnd(), IDC_DELETE_PREVIEW,
                  (DeletePreviewText(days.size(), TotalBytes(days), count_->before, scope) +
                   LinkedDaysLeftText(count_->old.linked, false))
                      .c_str());
  EnableWindow(GetDlgItem(IDOK), !days.empty());
}

// Deletes what the count found, once the user has said yes to its number.
void CDeleteOldDaysDlg::OnOK() {
  if (!count_) return;
  std::vector<ListedDay> days;
  {
    std::lock_guard<std::mutex> guard(count_->lock);
    if (!count_->done || count_->old.days.empty()) return;
    days = count_->old.days;
  }
  const std::string question = DeleteQuestionText(
      days.size(), count_->before, ScopeText(count_->scope.user, count_->scope.buddy));
  if (AfxMessageBox(question.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
  const std::vector<std::string> gone = DeleteDayFiles(DeletableDayFilePaths(historyFolder_, days),
                                                       FoldersOfDays(historyFolder_, days));
  deleted_.insert(deleted_.end(), gone.begin(), gone.end());
  deletedAny_ = true;
  StartCount();
}

}  // namespace corvane
