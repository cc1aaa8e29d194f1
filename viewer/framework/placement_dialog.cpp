#include "viewer/framework/placement_dialog.h"

#include "viewer/framework/win_app.h"

namespace corvane {
namespace {

// Profile values; "Left" missing (the marker) means no rectangle was saved.
constexpr int kNoLeft = -2;
constexpr int kUnset = -1;
// The window's first moves come from its creation and its positioning after
// initialisation; counting stops early so the counter never wraps.
constexpr int kMoveCountLimit = 5;
constexpr int kRestoringMove = 2;

}  // namespace

std::string CPlacementDialog::Section() const { return "WindowPlacement\\" + placementName_; }

BOOL CPlacementDialog::OnInitDialog() {
  const BOOL result = CAnchorDialog::OnInitDialog();
  ready_ = true;
  LoadPlacement();
  return result;
}

void CPlacementDialog::LoadPlacement() {
  const CWinApp* app = AfxGetApp();
  if (!persist_ || app == nullptr) {
    return;
  }
  const std::string section = Section();
  const int left = app->GetProfileInt(section.c_str(), "Left", kNoLeft);
  if (left != kNoLeft) {
    rect_.left = left;
    rect_.right = app->GetProfileInt(section.c_str(), "Right", kUnset);
    rect_.bottom = app->GetProfileInt(section.c_str(), "Bottom", kUnset);
    rect_.top = app->GetProfileInt(section.c_str(), "Top", kUnset);
  }
  const int iconic = app->GetProfileInt(section.c_str(), "IsIconic", kUnset);
  if (iconic != kUnset) {
    iconic_ = iconic;
  }
  const int zoomed = app->GetProfileInt(section.c_str(), "IsZoomed", kUnset);
  if (zoomed != kUnset) {
    zoomed_ = zoomed;
  }
}

void CPlacementDialog::RestorePlacementOnce() {
  if (restored_) {
    return;
  }
  if (apply_) {
    if (rect_.left != kUnset || rect_.top != kUnset || rect_.right != kUnset ||
        rect_.bottom != kUnset) {
      MoveWindow(GetSafeHwnd(), rect_.left, rect_.top, rect_.right - rect_.left,
                 rect_.bottom - rect_.top, TRUE);
    }
    if (iconic_ != 0) {
      SendMessageA(GetSafeHwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (zoomed_ != 0) {
      SendMessageA(GetSafeHwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    }
  }
  restored_ = true;
}

void CPlacementDialog::SavePlacement() {
  HWND hwnd = GetSafeHwnd();
  if (hwnd == nullptr || !IsWindow(hwnd) || !ready_) {
    return;
  }
  GetWindowRect(hwnd, &rect_);
  const CWinApp* app = AfxGetApp();
  if (!persist_ || app == nullptr) {
    return;
  }
  const std::string section = Section();
  const char* s = section.c_str();
  if (IsIconic(hwnd)) {
    app->WriteProfileInt(s, "IsIconic", 1);
    app->WriteProfileInt(s, "IsZoomed", 0);
  } else if (IsZoomed(hwnd)) {
    app->WriteProfileInt(s, "IsZoomed", 1);
    app->WriteProfileInt(s, "IsIconic", 0);
  } else {
    // Only a normal window's rectangle is kept, so a restore never opens
    // the window at its minimized or maximized position.
    app->WriteProfileInt(s, "IsZoomed", 0);
    app->WriteProfileInt(s, "IsIconic", 0);
    app->WriteProfileInt(s, "Left", rect_.left);
    app->WriteProfileInt(s, "Right", rect_.right);
    app->WriteProfileInt(s, "Bottom", rect_.bottom);
    app->WriteProfileInt(s, "Top", rect_.top);
  }
}

std::optional<LRESULT> CPlacementDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOVE:
      return OnMove();
    case WM_PAINT:
      RestorePlacementOnce();
      break;
    case WM_SIZE: {
      const std::optional<LRESULT> result = CAnchorDialog::WindowProc(msg, wParam, lParam);
      SavePlacement();
      return result;
    }
    case WM_CLOSE:
      SavePlacement();
      break;
    default:
      break;
  }
  return CAnchorDialog::WindowProc(msg, wParam, lParam);
}

LRESULT CPlacementDialog::OnMove() {
  const LRESULT result = Default();
  if (moveCount_ < kMoveCountLimit) {
    ++moveCount_;
  }
  if (!restored_ && moveCount_ == kRestoringMove) {
    RestorePlacementOnce();
  }
  SavePlacement();
  return result;
}

}  // namespace corvane
