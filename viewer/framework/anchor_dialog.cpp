#include "viewer/framework/anchor_dialog.h"

#include <windowsx.h>

#include <string>

#include "viewer/framework/anchor_repaint.h"

namespace corvane {
namespace {

LayoutRect ToLayout(const RECT& r) { return LayoutRect{r.left, r.top, r.right, r.bottom}; }

RECT ToRect(const LayoutRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

RECT ClientRect(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

// A child's window rectangle in its dialog's client coordinates.
RECT ChildRect(HWND dialog, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// How far the list box can still scroll sideways, and where it is now.
void HorizontalScroll(HWND list, int* limit, int* position) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (!GetScrollInfo(list, SB_HORZ, &info)) {
    *limit = 0;
    *position = 0;
    return;
  }
  const int page = static_cast<int>(info.nPage);
  *limit = info.nMax - (page > 1 ? page - 1 : 0);
  *position = info.nPos;
}

std::string UpperClassName(HWND window) {
  char className[261] = {};
  GetClassNameA(window, className, sizeof(className));
  CharUpperA(className);
  return className;
}

// The dialog does not clip its children, so that group boxes and other
// see-through controls show its background; what it erases or draws itself
// leaves out the controls that cover their own rectangles instead.  Then a
// control is drawn again only where it moved or was uncovered, and the area
// a larger window uncovers never wipes out a control moved into it.
void ExcludeCoveringControls(HWND dialog, HDC dc) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
    if (!CoversItsRectangle(UpperClassName(child), style, exStyle)) continue;
    const RECT r = ChildRect(dialog, child);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

}  // namespace

BOOL CAnchorDialog::OnInitDialog() {
  const BOOL result = CDialog::OnInitDialog();
  UpdateGripRect();
  RECT window{};
  GetWindowRect(GetSafeHwnd(), &window);
  minWidth_ = window.right - window.left;
  minHeight_ = window.bottom - window.top;
  initialised_ = true;
  return result;
}

void CAnchorDialog::AnchorControl(int id, Anchor topLeft, Anchor bottomRight) {
  AnchorControl(GetDlgItem(id), topLeft, bottomRight);
}

void CAnchorDialog::AnchorControl(HWND control, Anchor topLeft, Anchor bottomRight) {
  const std::string className = UpperClassName(control);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
  AnchorRecord record{control, false, false, {}};
  if (className == "BUTTON" && IsGroupBoxStyle(style)) {
    SetWindowLongA(control, GWL_STYLE, static_cast<LONG>(style | WS_CLIPSIBLINGS));
  } else if (className == "LISTBOX") {
    record.listBox = true;
  } else if (className == "STATIC") {
    record.repaint = StaticNeedsRepaint(style);
  }
  const RECT client = ClientRect(GetSafeHwnd());
  record.layout = corvane::AnchorControl(ToLayout(ChildRect(GetSafeHwnd(), control)), client.right,
                                         client.bottom, topLeft, bottomRight);
  anchors_.push_back(record);
}

void CAnchorDialog::ApplyAnchors() {
  InvalidateGrip();
  UpdateGripRect();
  InvalidateGrip();
  const RECT client = ClientRect(GetSafeHwnd());
  HDWP defer = BeginDeferWindowPos(static_cast<int>(anchors_.size()));
  // Only a control that moved or changed size is drawn again; one that
  // stayed as it was shows what it showed.
  std::vector<HWND> repaint;
  for (AnchorRecord& record : anchors_) {
    const RECT current = ChildRect(GetSafeHwnd(), record.control);
    const LayoutRect target = AnchoredRect(record.layout, client.right, client.bottom);
    const std::optional<unsigned> flags = AnchoredMoveFlags(ToLayout(current), target);
    if (!flags) {
      continue;
    }
    if (record.listBox) {
      int limit = 0;
      int position = 0;
      HorizontalScroll(record.control, &limit, &position);
      record.repaint = ListBoxNeedsRepaint(limit, position, ToLayout(current), target);
    }
    if (record.repaint) {
      repaint.push_back(record.control);
    }
    if (defer != nullptr) {
      defer = DeferWindowPos(defer, record.control, nullptr, target.left, target.top, Width(target),
                             Height(target), *flags);
    }
  }
  if (defer != nullptr) {
    EndDeferWindowPos(defer);
  }
  for (HWND control : repaint) {
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
  }
}

void CAnchorDialog::UpdateGripRect() {
  gripRect_ = ToRect(SizeGripRect(ToLayout(ClientRect(GetSafeHwnd())), gripCx_, gripCy_));
}

void CAnchorDialog::InvalidateGrip() { InvalidateRect(GetSafeHwnd(), &gripRect_, TRUE); }

std::optional<LRESULT> CAnchorDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      return OnSize(wParam);
    case WM_NCHITTEST:
      return OnNcHitTest(lParam);
    case WM_GETMINMAXINFO:
      if (!initialised_) {
        break;
      }
      OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_ERASEBKGND:
      return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_DESTROY: {
      const LRESULT result = Default();
      anchors_.clear();
      return result;
    }
    default:
      break;
  }
  return CDialog::WindowProc(msg, wParam, lParam);
}

LRESULT CAnchorDialog::OnSize(WPARAM sizeType) {
  const LRESULT result = Default();
  if (initialised_ && sizeType != SIZE_MAXSHOW && sizeType != SIZE_MAXHIDE) {
    ApplyAnchors();
  }
  return result;
}

LRESULT CAnchorDialog::OnNcHitTest(LPARAM point) {
  POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  ScreenToClient(GetSafeHwnd(), &p);
  if (gripShown_ && IsOnSizeGrip(ToLayout(gripRect_), p.x, p.y)) {
    return HTBOTTOMRIGHT;
  }
  return Default();
}

void CAnchorDialog::OnGetMinMaxInfo(MINMAXINFO* info) const {
  info->ptMinTrackSize.x = minWidth_;
  info->ptMinTrackSize.y = minHeight_;
}

LRESULT CAnchorDialog::OnEraseBackground(HDC dc) {
  const int saved = SaveDC(dc);
  ExcludeCoveringControls(GetSafeHwnd(), dc);
  const LRESULT result = Default();
  RestoreDC(dc, saved);
  return result;
}

void CAnchorDialog::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(GetSafeHwnd(), &paint);
  ExcludeCoveringControls(GetSafeHwnd(), dc);
  if (gripShown_ && !IsZoomed(GetSafeHwnd())) {
    DrawFrameControl(dc, &gripRect_, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
  EndPaint(GetSafeHwnd(), &paint);
}

}  // namespace corvane
