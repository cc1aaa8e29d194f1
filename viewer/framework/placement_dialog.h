// A resizable dialog that remembers its last normal rectangle and whether it
// was minimized or maximized, in the application profile section
// "WindowPlacement\<placement name>" (values Left, Right, Bottom, Top,
// IsIconic, IsZoomed), and restores them the next time it opens.  Our own
// small class on our stand-in CDialog, under the name the viewer's design
// gives it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "viewer/framework/anchor_dialog.h"

namespace corvane {

class CPlacementDialog : public CAnchorDialog {
 public:
  using CAnchorDialog::CAnchorDialog;

  // Set by the owner before DoModal.  Apply: move the window to the loaded
  // placement.  Persist: read and write the profile.
  void SetApplyPlacement(bool apply) { apply_ = apply; }
  void SetPersistPlacement(bool persist) { persist_ = persist; }
  void SetPlacementName(const std::string& name) { placementName_ = name; }

 protected:
  BOOL OnInitDialog() override;  // loads the placement
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  void RestorePlacementOnce();
  void SavePlacement();

 private:
  std::string Section() const;
  void LoadPlacement();
  LRESULT OnMove();

  bool apply_ = false;
  bool persist_ = false;
  std::string placementName_;
  int moveCount_ = 0;
  bool restored_ = false;
  bool ready_ = false;
  int zoomed_ = 0;
  int iconic_ = 0;
  RECT rect_{-1, -1, -1, -1};
};

}  // namespace corvane
