#include "viewer/framework/dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "viewer/framework/anchor_dialog.h"
#include "viewer/framework/list_controls.h"
#include "viewer/framework/testing/test_dialog.h"

namespace corvane {
namespace {

using TestDialog = ScriptedDialog<CAnchorDialog>;

TEST(Dialog, EnterInAControlEndsTheDialogThroughOnOk) {
  TestDialog dialog([](HWND dlg) {
    HWND list = GetDlgItem(dlg, IDC_TEST_LIST);
    SetFocus(list);
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(Dialog, EscapeInAControlEndsTheDialogThroughOnCancel) {
  TestDialog dialog([](HWND dlg) {
    HWND list = GetDlgItem(dlg, IDC_TEST_LIST);
    SetFocus(list);
    PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Dialog, CloseEndsTheDialogThroughOnCancel) {
  TestDialog dialog([](HWND dlg) { PostMessageA(dlg, WM_CLOSE, 0, 0); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

// Notes which messages come before the dialog's initialisation.
class FirstMessagesDialog : public TestDialog {
 public:
  using TestDialog::TestDialog;
  bool createdBeforeInit = false;
  bool movedBeforeInit = false;
  bool sizedBeforeInit = false;

 protected:
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (!initialised_) {
      createdBeforeInit |= msg == WM_NCCREATE;
      movedBeforeInit |= msg == WM_MOVE;
      sizedBeforeInit |= msg == WM_SIZE;
      initialised_ = msg == WM_INITDIALOG;
    }
    return TestDialog::WindowProc(msg, wParam, lParam);
  }

 private:
  bool initialised_ = false;
};

TEST(Dialog, TheObjectGetsTheWindowsMessagesFromItsCreationOn) {
  FirstMessagesDialog dialog([](HWND dlg) { SendMessageA(dlg, WM_COMMAND, IDOK, 0); });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.createdBeforeInit);
  EXPECT_TRUE(dialog.movedBeforeInit);
  EXPECT_TRUE(dialog.sizedBeforeInit);
}

TEST(Dialog, MissingTemplateGivesMinusOne) {
  class NoTemplate : public CDialog {
   public:
    NoTemplate() : CDialog(4321) {}
  } dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
}

// Throws from its command handler; the dialog must survive it.
class ThrowingDialog : public TestDialog {
 public:
  using TestDialog::TestDialog;

 protected:
  bool OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_TEST_FIXED) {
      throw std::runtime_error("handler failure");
    }
    return TestDialog::OnCommand(wParam, lParam);
  }
};

TEST(Dialog, AnExceptionInAHandlerStaysInsideTheDialog) {
  bool aliveAfterThrow = false;
  ThrowingDialog dialog([&](HWND dlg) {
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_TEST_FIXED, BN_CLICKED), 0);
    aliveAfterThrow = IsWindow(dlg) != FALSE;
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(aliveAfterThrow);
}

TEST(Dialog, SendsToDescendantsAtAllDepths) {
  std::string grandchildText;
  std::string childText;
  TestDialog dialog([&](HWND dlg) {
    HWND child =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, dlg, nullptr, nullptr, nullptr);
    HWND grandchild =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, child, nullptr, nullptr, nullptr);
    SendMessageToDescendants(dlg, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("reached"));
    char text[32] = {};
    GetWindowTextA(grandchild, text, sizeof(text));
    grandchildText = text;
    GetWindowTextA(child, text, sizeof(text));
    childText = text;
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(childText, "reached");
  EXPECT_EQ(grandchildText, "reached");
}

// Runs `step` once from the thread's message loop, after the messages
// posted before it have been handled there.
class LoopStep {
 public:
  static void After(DWORD milliseconds, std::function<void()> step) {
    Pending() = std::move(step);
    SetTimer(nullptr, 0, milliseconds, Run);
  }

 private:
  static std::function<void()>& Pending() {
    static std::function<void()> step;
    return step;
  }
  static void CALLBACK Run(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> step = std::move(Pending());
    if (step) step();
  }
};

// A modeless dialog beside a modal one gets its dialog keys from the modal
// loop: Tab moves on from its list to its edit field, Escape destroys it,
// and the modal dialog runs on.
TEST(Dialog, AModelessDialogGetsItsKeysFromTheModalLoop) {
  CDialog modeless(IDD_FRAMEWORK_TEST);
  HWND modelessWindow = nullptr;
  int focusBeforeTab = 0;
  int focusAfterTab = 0;
  bool openAfterTab = false;
  bool openAfterEscape = true;
  TestDialog dialog([&](HWND dlg) {
    ASSERT_TRUE(modeless.Create(dlg));
    modelessWindow = modeless.GetSafeHwnd();
    EXPECT_EQ(GetWindow(modelessWindow, GW_OWNER), dlg);
    HWND list = GetDlgItem(modelessWindow, IDC_TEST_LIST);
    SetForegroundWindow(modelessWindow);
    SetFocus(list);
    focusBeforeTab = GetDlgCtrlID(GetFocus());
    PostMessageA(list, WM_KEYDOWN, VK_TAB, 0);
    LoopStep::After(100, [&, dlg] {
      focusAfterTab = GetDlgCtrlID(GetFocus());
      openAfterTab = IsWindow(modelessWindow) != FALSE;
      PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
      LoopStep::After(100, [&, dlg] {
        openAfterEscape = IsWindow(modelessWindow) != FALSE;
        PostMessageA(dlg, WM_CLOSE, 0, 0);
      });
    });
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(openAfterTab);
  EXPECT_EQ(focusBeforeTab, IDC_TEST_LIST);
  EXPECT_EQ(focusAfterTab, IDC_TEST_VIEW);
  EXPECT_FALSE(openAfterEscape);
  EXPECT_EQ(modeless.GetSafeHwnd(), nullptr);
}

// Takes F3 wherever it is pressed, before any window sees it.
class AcceleratorDialog : public TestDialog {
 public:
  using TestDialog::TestDialog;
  int f3Presses = 0;

 protected:
  bool PreTranslateMessage(const MSG& msg) override {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F3) return false;
    ++f3Presses;
    return true;
  }
};

TEST(Dialog, PreTranslateMessageSeesKeysBeforeTheirWindow) {
  CDialog modeless(IDD_FRAMEWORK_TEST);
  AcceleratorDialog dialog([&](HWND dlg) {
    ASSERT_TRUE(modeless.Create(dlg));
    PostMessageA(GetDlgItem(dlg, IDC_TEST_LIST), WM_KEYDOWN, VK_F3, 0);
    PostMessageA(GetDlgItem(modeless.GetSafeHwnd(), IDC_TEST_VIEW), WM_KEYDOWN, VK_F3, 0);
    PostMessageA(GetDlgItem(dlg, IDC_TEST_LIST), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.f3Presses, 2);
}

TEST(ListControls, ComboBoxAndListBoxWrappersWorkOnTheDialogsControls) {
  TestDialog dialog([](HWND dlg) {
    CComboBox combo;
    combo.Attach(GetDlgItem(dlg, IDC_TEST_COMBO));
    combo.AddString("charlie");
    combo.AddString("Alpha");
    combo.AddString("bravo");
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetLBText(0), "Alpha");  // sorted, ignoring case
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SelectString(-1, "BR"), 1);  // prefix, ignoring case
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.FindStringExact(-1, "CHARLIE"), 2);
    EXPECT_EQ(combo.FindStringExact(-1, "char"), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(2), 2);
    EXPECT_EQ(combo.GetLBText(combo.GetCurSel()), "charlie");
    EXPECT_EQ(combo.GetLBText(7), "");
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);

    CListBox list;
    list.Attach(GetDlgItem(dlg, IDC_TEST_LIST));
    list.AddString("2002-10-07 [Monday]");
    list.AddString("2002-10-06 [Sunday]");
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetText(1), "2002-10-06 [Sunday]");  // unsorted list keeps the order
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.FindStringExact(-1, "2002-10-07 [MONDAY]"), 0);
    EXPECT_EQ(list.SelectString(-1, "2002-10-07"), 0);
    EXPECT_EQ(list.GetText(5), "");
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

}  // namespace
}  // namespace corvane
