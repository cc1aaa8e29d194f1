#include <gtest/gtest.h>

#include <string>

#include "tests/support/box_answerer.h"
#include "viewer/framework/testing/test_app.h"
#include "viewer/framework/testing/test_dialog.h"

namespace corvane {
namespace {

TEST(AfxMessageBox, IsCaptionedWithTheApplicationsNameAndOwnedByItsMainWindow) {
  TestApp app;
  HWND mainWindow = nullptr;
  int answer = 0;
  std::string text;
  HWND owner = nullptr;
  ScriptedDialog<CAnchorDialog> dialog([&](HWND dlg) {
    mainWindow = dlg;
    app.SetMainWindow(dlg);
    BoxAnswerer answerer("viewer_framework_test", IDYES);
    answer = AfxMessageBox("Delete it?", MB_YESNO);
    text = answerer.Text();
    owner = answerer.Owner();
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(answer, IDYES);
  EXPECT_EQ(text, "Delete it?");
  EXPECT_EQ(owner, mainWindow);
}

}  // namespace
}  // namespace corvane
