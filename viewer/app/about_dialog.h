// The viewer's About box: product, maker, version and release date from the
// executable's version resource, and buttons that open the maker's home and
// help pages.
#pragma once

#include "viewer/framework/dialog.h"

namespace corvane {

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(HWND parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
};

}  // namespace corvane
