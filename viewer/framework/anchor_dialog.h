// A resizable dialog: registered controls keep their corners pinned to
// percentages of the client area, a size grip sits in the lower-right
// corner, and the window cannot be made smaller than it opened.  Like the
// rest of this folder, our own small class on our stand-in CDialog, under
// the name the viewer's design gives it.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "viewer/framework/anchor_layout.h"
#include "viewer/framework/dialog.h"

namespace corvane {

class CAnchorDialog : public CDialog {
 public:
  using CDialog::CDialog;

  // Registers a control; call from a derived OnInitDialog after this class's
  // OnInitDialog.  bottom_right kNoAnchor: the control moves, keeping its size.
  void AnchorControl(HWND control, Anchor top_left, Anchor bottom_right = kNoAnchor);
  void AnchorControl(int id, Anchor top_left, Anchor bottom_right = kNoAnchor);
  // Lays the registered controls out for the current client size.
  void ApplyAnchors();

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  struct AnchorRecord {
    HWND control;
    bool list_box;
    bool repaint;
    AnchoredControl layout;
  };
  void UpdateGripRect();
  void InvalidateGrip();
  LRESULT OnSize(WPARAM size_type);
  LRESULT OnNcHitTest(LPARAM point);
  void OnGetMinMaxInfo(MINMAXINFO* info) const;
  LRESULT OnEraseBackground(HDC dc);
  void OnPaint();

  bool grip_shown_ = true;
  bool initialised_ = false;
  int grip_cx_ = GetSystemMetrics(SM_CXVSCROLL);
  int grip_cy_ = GetSystemMetrics(SM_CYHSCROLL);
  RECT grip_rect_{};
  int min_width_ = 0;
  int min_height_ = 0;
  std::vector<AnchorRecord> anchors_;
};

}  // namespace corvane
