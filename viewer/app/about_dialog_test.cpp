#include "viewer/app/about_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "viewer/resources/viewer_resources.h"

namespace corvane {
namespace {

// Reads the box's texts once it is up, then closes it with its OK button.
class ObservedAboutDlg : public CAboutDlg {
 public:
  std::string versionText;
  std::string releaseText;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CAboutDlg::OnInitDialog();
    versionText = ItemText(IDC_VERSION_TEXT);
    releaseText = ItemText(IDC_RELEASE_TEXT);
    PostMessageA(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return result;
  }

 private:
  std::string ItemText(int id) const {
    char text[256] = {};
    GetDlgItemTextA(GetSafeHwnd(), id, text, sizeof(text));
    return text;
  }
};

TEST(AboutDlg, ShowsTheProductVersionAndTheReleaseDateOfTheExecutable) {
  ObservedAboutDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.versionText, "version 2.2.1 (build 65)");
  EXPECT_EQ(dialog.releaseText, "released [ 06.10.2002 ]");
}

}  // namespace
}  // namespace corvane
