#include "viewer/framework/placement_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "viewer/framework/testing/test_app.h"
#include "viewer/framework/testing/test_dialog.h"

namespace corvane {
namespace {

const std::string kSectionKey = std::string(kTestAppKey) + "\\WindowPlacement\\Test Placement";

// Where the tests put the window in its normal state: left, top, right, bottom.
constexpr RECT kNormal{40, 50, 440, 350};

void ExpectRect(const RECT& actual, const RECT& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

class PlacementDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTestCompanyKey();
    app_.SetRegistryKey(kTestCompany);
  }
  void TearDown() override { DeleteTestCompanyKey(); }

  // Opens the dialog the way the viewer opens its main dialog; `startup`
  // receives the minimize and maximize requests of its opening.
  static INT_PTR Open(std::function<void(HWND)> script,
                      std::vector<StartupCommand>* startup = nullptr) {
    ScriptedDialog<CPlacementDialog> dialog(std::move(script));
    dialog.SetApplyPlacement(true);
    dialog.SetPersistPlacement(true);
    dialog.SetPlacementName("Test Placement");
    const INT_PTR result = dialog.DoModal();
    if (startup != nullptr) {
      *startup = dialog.StartupCommands();
    }
    return result;
  }

  // The window went to the saved rectangle, then asked for `command` (more
  // than once is harmless: moving there may itself trigger the restore).
  static void ExpectRestoredThen(const std::vector<StartupCommand>& startup, UINT command) {
    ASSERT_FALSE(startup.empty());
    for (const StartupCommand& c : startup) {
      EXPECT_EQ(c.command, command);
    }
    ExpectRect(startup.front().rect, kNormal);
  }

  static std::optional<int> Saved(const char* name) { return RegistryDword(kSectionKey, name); }

  static void ExpectSavedRect(const RECT& r) {
    EXPECT_EQ(Saved("Left"), r.left);
    EXPECT_EQ(Saved("Top"), r.top);
    EXPECT_EQ(Saved("Right"), r.right);
    EXPECT_EQ(Saved("Bottom"), r.bottom);
  }

  // Moves the window to kNormal and sees it stay there: on a busy machine
  // the window manager's answer to the window's first showing can arrive
  // after the move and put it back where it was shown.
  static void MoveToNormal(HWND dlg) {
    for (int attempt = 0; attempt < 5; ++attempt) {
      MoveWindow(dlg, kNormal.left, kNormal.top, kNormal.right - kNormal.left,
                 kNormal.bottom - kNormal.top, TRUE);
      Settle();
      const RECT now = WindowRect(dlg);
      if (EqualRect(&now, &kNormal)) return;
    }
    ADD_FAILURE() << "the window does not stay where it was moved";
  }

  // Opens, moves the window to kNormal, runs `then` and closes.
  static void OpenMoveAndClose(std::function<void(HWND)> then) {
    const INT_PTR result = Open([&](HWND dlg) {
      MoveToNormal(dlg);
      then(dlg);
      SendMessageA(dlg, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
  }

  TestApp app_;
};

TEST_F(PlacementDialogTest, ANormalCloseSavesTheRectangleAndBothFlags) {
  OpenMoveAndClose([](HWND) {});
  ExpectSavedRect(kNormal);
  EXPECT_EQ(Saved("IsZoomed"), 0);
  EXPECT_EQ(Saved("IsIconic"), 0);
}

TEST_F(PlacementDialogTest, AReopenRestoresTheSavedRectangle) {
  OpenMoveAndClose([](HWND) {});
  RECT reopened{};
  std::vector<StartupCommand> startup;
  Open(
      [&](HWND dlg) {
        reopened = WindowRect(dlg);
        SendMessageA(dlg, WM_CLOSE, 0, 0);
      },
      &startup);
  ExpectRect(reopened, kNormal);
  EXPECT_TRUE(startup.empty());
}

TEST_F(PlacementDialogTest, WithoutSavedValuesTheTemplatesPlaceIsKept) {
  RECT opened{};
  Open([&](HWND dlg) {
    opened = WindowRect(dlg);
    SendMessageA(dlg, WM_CLOSE, 0, 0);
  });
  // Saved on close: where the window stood, which is its default place.
  ExpectSavedRect(opened);
  EXPECT_LT(opened.left, opened.right);
}

TEST_F(PlacementDialogTest, AMaximizedCloseWritesTheFlagsAndKeepsTheLastNormalRectangle) {
  OpenMoveAndClose([](HWND dlg) {
    SendMessageA(dlg, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle();
    EXPECT_TRUE(IsZoomed(dlg));
  });
  EXPECT_EQ(Saved("IsZoomed"), 1);
  EXPECT_EQ(Saved("IsIconic"), 0);
  ExpectSavedRect(kNormal);

  std::vector<StartupCommand> startup;
  RECT restored{};
  Open(
      [&](HWND dlg) {
        SendMessageA(dlg, WM_SYSCOMMAND, SC_RESTORE, 0);
        restored = WindowRect(dlg);
        SendMessageA(dlg, WM_CLOSE, 0, 0);
      },
      &startup);
  ExpectRestoredThen(startup, SC_MAXIMIZE);
  ExpectRect(restored, kNormal);
}

TEST_F(PlacementDialogTest, AMinimizedCloseWritesTheFlagsAndKeepsTheLastNormalRectangle) {
  OpenMoveAndClose([](HWND dlg) {
    SendMessageA(dlg, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Settle();
    EXPECT_TRUE(IsIconic(dlg));
  });
  EXPECT_EQ(Saved("IsIconic"), 1);
  EXPECT_EQ(Saved("IsZoomed"), 0);
  ExpectSavedRect(kNormal);

  std::vector<StartupCommand> startup;
  RECT restored{};
  Open(
      [&](HWND dlg) {
        SendMessageA(dlg, WM_SYSCOMMAND, SC_RESTORE, 0);
        restored = WindowRect(dlg);
        SendMessageA(dlg, WM_CLOSE, 0, 0);
      },
      &startup);
  ExpectRestoredThen(startup, SC_MINIMIZE);
  ExpectRect(restored, kNormal);
}

TEST_F(PlacementDialogTest, ResizingAfterTheRestoreSavesTheNewRectangle) {
  OpenMoveAndClose([](HWND) {});
  RECT resized{};
  Open([&](HWND dlg) {
    ResizeWindow(dlg, kNormal.right - kNormal.left + 30, kNormal.bottom - kNormal.top + 20);
    resized = WindowRect(dlg);
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  ExpectSavedRect(RECT{kNormal.left, kNormal.top, kNormal.right + 30, kNormal.bottom + 20});
  ExpectRect(resized, RECT{kNormal.left, kNormal.top, kNormal.right + 30, kNormal.bottom + 20});
}

}  // namespace
}  // namespace corvane
