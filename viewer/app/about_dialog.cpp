#include "viewer/app/about_dialog.h"

#include <string>

#include "common/open_web_address.h"
#include "common/version_info.h"
#include "common/web_address.h"
#include "viewer/resources/viewer_resources.h"

namespace corvane {
namespace {

constexpr size_t kTextCapacity = 256;

}  // namespace

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  char text[kTextCapacity] = {};
  GetVersionText(text);
  SetDlgItemTextA(GetSafeHwnd(), IDC_VERSION_TEXT, (std::string("version ") + text).c_str());
  char release[kTextCapacity] = {};
  GetVersionString("Comments", release);
  SetDlgItemTextA(GetSafeHwnd(), IDC_RELEASE_TEXT, (std::string("released ") + release).c_str());
  return TRUE;
}

bool CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case IDC_WEB:
        OpenWebAddress(nullptr, WebSiteHomeUrl());
        return true;
      case IDC_HELP_PAGE:
        OpenWebAddress(nullptr, HelpPageUrl());
        return true;
      default:
        break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

}  // namespace corvane
