// The viewer's side of the search: the system-menu item and the keys that
// open the search window, F3 in the shown day, and going to a match.
#include "viewer/app/history_viewer_dialog.h"
#include "viewer/html/html_view.h"
#include "viewer/resources/viewer_resources.h"

namespace corvane {
namespace {

bool KeyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

bool CHistoryViewerDlg::IsInWindow(HWND window, HWND top) const {
  return top != nullptr && (window == top || IsChild(top, window));
}

// Ctrl+F in the viewer or the search window; F3 and Shift+F3 in the viewer.
bool CHistoryViewerDlg::PreTranslateMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || KeyDown(VK_MENU)) return false;
  const bool inViewer = IsInWindow(msg.hwnd, GetSafeHwnd());
  const bool inSearch = search_ && IsInWindow(msg.hwnd, search_->GetSafeHwnd());
  if (msg.wParam == 'F' && KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT) && (inViewer || inSearch)) {
    OpenSearch();
    return true;
  }
  if (msg.wParam == VK_F3 && !KeyDown(VK_CONTROL) && inViewer) {
    HtmlViewNextOccurrence(htmlView_, KeyDown(VK_SHIFT));
    return true;
  }
  return false;
}

// A closed search window leaves its object behind; a fresh one restores
// the placement anew.
void CHistoryViewerDlg::OpenSearch() {
  if (!search_ || search_->GetSafeHwnd() == nullptr) {
    search_ = std::make_unique<CHistorySearchDlg>(*this, nameFold_, dayListing_, searchIndex_);
    UpdateScopes();
  }
  search_->Open(GetSafeHwnd());
}

void CHistoryViewerDlg::ForgetInSearchIndex(const std::string& path) {
  if (searchIndex_) searchIndex_->ForgetDeleted(path);
}

// The search and export windows offer the viewer's selection as scopes.
void CHistoryViewerDlg::UpdateScopes() {
  if (search_) search_->SetViewerSelection(SelectedUser(), SelectedBuddy());
  if (export_) export_->SetViewerSelection(SelectedUser(), SelectedBuddy(), SelectedDate());
}

// The lists are rebuilt from the disk as the user's own picks would, but
// only the chosen day is shown, once they hold it.
bool CHistoryViewerDlg::ShowMatch(const HistoryDay& day, const std::string& highlight,
                                  const FoldTable& fold, int occurrence) {
  if (IsIconic(GetSafeHwnd())) ShowWindow(GetSafeHwnd(), SW_RESTORE);
  const int user = userList_.FindStringExact(-1, day.user.c_str());
  if (user == CB_ERR) return false;
  userList_.SetCurSel(user);
  aim_ = ListingAim{"", "", ShownMatch{day, highlight, fold, occurrence}};
  ListLevel(HistoryLevel::kBuddies);
  return true;
}

}  // namespace corvane
