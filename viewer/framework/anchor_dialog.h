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
  void AnchorControl(HWND control, Anchor topLeft, Anchor bottomRight = kNoAnchor);
  void AnchorControl(int id, Anchor topLeft, Anchor bottomRight = kNoAnchor);
  // Lays the registered controls out for the current client size.
  void ApplyAnchors();

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  struct AnchorRecord {
    HWND control;
    bool listBox;
    bool repaint;
    AnchoredControl layout;
  };
  void UpdateGripRect();
  void InvalidateGrip();
  LRESULT OnSize(WPARAM sizeType);
  LRESULT OnNcHitTest(LPARAM point);
  void OnGetMinMaxInfo(MINMAXINFO* info) const;
  LRESULT OnEraseBackground(HDC dc);
  void OnPaint();

  bool gripShown_ = true;
  bool initialised_ = false;
  int gripCx_ = GetSystemMetrics(SM_CXVSCROLL);
  int gripCy_ = GetSystemMetrics(SM_CYHSCROLL);
  RECT gripRect_{};
  int minWidth_ = 0;
  int minHeight_ = 0;
  std::vector<AnchorRecord> anchors_;
};

}  // namespace corvane
