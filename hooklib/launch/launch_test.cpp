// Starts companions through the shell: the programs beside this code's own
// module (here the test program, alone in its folder) are started, by full
// path and in their own folder; an empty folder gives the exact error boxes,
// the probe program under a companion's name shows what it was started
// with.  The launcher's folder in the settings record holds probes under
// the same names that must never run.
#include "hooklib/launch/launch.h"
#include "tests/support/host_class_for_tests.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "common/capacities.h"
#include "hooklib/core/private_codes.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/hook/exports.h"
#include "tests/support/box_answerer.h"

namespace corvane {
namespace {

constexpr DWORD kWaitMs = 15000;
constexpr const char* kCompanions[] = {kHistoryViewerFile, kLauncherFile};

std::string ExeFolder() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self);
  return path.substr(0, path.find_last_of('\\'));
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::atomic<int> g_hostSysCommands{0};

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  if (m == WM_SYSCOMMAND && (wParam == CMD_LAUNCH_CLONE || wParam == CMD_HISTORY_VIEWER)) {
    ++g_hostSysCommands;
  }
  return DefWindowProcA(w, m, wParam, lParam);
}

class LaunchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterHostClass("_Oscar_BuddyListWin", HostProc); }

  void SetUp() override {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    decoy_ = std::string(temp) + "corvane-launch-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(decoy_.c_str(), nullptr));
    for (const char* name : kCompanions) CopyProbe(decoy_ + "\\" + name);
    CopyBounded(Shared().CurDir, sizeof Shared().CurDir, decoy_.c_str());
    owner_ = CreateWindowExA(0, "Static", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }

  void TearDown() override {
    DestroyWindow(owner_);
    EXPECT_FALSE(Exists(decoy_ + "\\launch_probe.txt")) << "a program of the launcher's folder ran";
    for (const std::string& folder : {folder_, decoy_}) {
      for (const char* name : {kHistoryViewerFile, kLauncherFile, "launch_probe.txt"}) {
        const std::string path = folder + "\\" + name;
        EXPECT_TRUE(Eventually([&] {
          return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
        })) << path;
      }
    }
    EXPECT_TRUE(Eventually([&] { return RemoveDirectoryA(decoy_.c_str()) != FALSE; }));
  }

  // A probe that has just written its report may still be running, in
  // (and so holding) the folder.
  template <typename Attempt>
  static bool Eventually(Attempt attempt) {
    for (int tries = 0; tries < 200; ++tries) {
      if (attempt()) return true;
      Sleep(25);
    }
    return false;
  }

  static void CopyProbe(const std::string& to) {
    ASSERT_TRUE(CopyFileA((ExeFolder() + "\\launch_probe.exe").c_str(), to.c_str(), FALSE)) << to;
  }

  void InstallProbeAs(const char* name) { CopyProbe(folder_ + "\\" + name); }

  // The probe's report: the folder it ran in, then its arguments.
  std::string WaitForProbeReport() {
    const std::string report = folder_ + "\\launch_probe.txt";
    const DWORD until = GetTickCount() + kWaitMs;
    while (GetTickCount() < until) {
      FILE* in = std::fopen(report.c_str(), "rb");
      if (in != nullptr) {
        char buffer[1024] = "";
        const size_t n = std::fread(buffer, 1, sizeof buffer - 1, in);
        std::fclose(in);
        return std::string(buffer, n);
      }
      Sleep(20);
    }
    return "no report";
  }

  std::string Expected(const std::string& arguments) const { return folder_ + "\n" + arguments; }

  const std::string folder_ = ExeFolder();
  std::string decoy_;
  HWND owner_ = nullptr;
};

TEST_F(LaunchTest, MissingHistoryViewerShowsTheErrorOwnedByTheWindow) {
  BoxAnswerer robot("Corvane Error", IDOK);
  LaunchHistoryViewer(owner_, "\"alice\"");
  const std::string text = robot.Text();
  ASSERT_TRUE(robot.Answered());
  EXPECT_EQ(text, "Error launching the Corvane History Viewer.\n\nPlease re-install Corvane.");
  EXPECT_EQ(robot.Owner(), owner_);
}

TEST_F(LaunchTest, MissingLauncherShowsTheCloneErrorWithoutOwner) {
  BoxAnswerer robot("Corvane Error", IDOK);
  LaunchClone();
  const std::string text = robot.Text();
  ASSERT_TRUE(robot.Answered());
  EXPECT_EQ(text, "Error launching a clone of Corvane.\n\nPlease re-install Corvane.");
  EXPECT_EQ(robot.Owner(), nullptr);
}

TEST_F(LaunchTest, HistoryViewerBesideTheLibraryStartsInItsFolderWithTheArguments) {
  InstallProbeAs("Corvane History Viewer.exe");
  LaunchHistoryViewer(owner_, "\"alice\" \"bob\"");
  EXPECT_EQ(WaitForProbeReport(), Expected("\"alice\" \"bob\""));
}

TEST_F(LaunchTest, CloneStartsTheLauncherBesideTheLibraryInItsFolder) {
  InstallProbeAs("Corvane.exe");
  LaunchClone();
  EXPECT_EQ(WaitForProbeReport(), Expected("-clone"));
}

// The Buddy List's system commands, through the subclass the hook installs.
class BuddyListLaunchTest : public LaunchTest {
 protected:
  void SetUp() override {
    LaunchTest::SetUp();
    hook_ = SetWindowsHookExA(WH_CBT, CBTProc, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook_, nullptr);
    Init(hook_);
    ScreenName()[0] = '\0';
    g_hostSysCommands = 0;
    buddyList_ = CreateWindowExA(0, "_Oscar_BuddyListWin", "Buddy List", WS_OVERLAPPEDWINDOW, 0, 0,
                                 180, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(buddyList_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(buddyList_);
    Shutdown();
    UnhookWindowsHookEx(hook_);
    LaunchTest::TearDown();
  }

  void SignOn(const char* title) {
    SetWindowTextA(buddyList_, title);
    SetWindowPos(buddyList_, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HHOOK hook_ = nullptr;
  HWND buddyList_ = nullptr;
};

TEST_F(BuddyListLaunchTest, HistoryCommandOpensTheViewerOnTheUser) {
  InstallProbeAs("Corvane History Viewer.exe");
  SignOn("alice's Buddy List");
  SendMessageA(buddyList_, WM_SYSCOMMAND, CMD_HISTORY_VIEWER, 0);
  EXPECT_EQ(WaitForProbeReport(), Expected("\"alice\""));
  EXPECT_EQ(g_hostSysCommands, 1);
}

TEST_F(BuddyListLaunchTest, HistoryCommandBeforeSignOnPassesEmptyQuotes) {
  InstallProbeAs("Corvane History Viewer.exe");
  SendMessageA(buddyList_, WM_SYSCOMMAND, CMD_HISTORY_VIEWER, 0);
  EXPECT_EQ(WaitForProbeReport(), Expected("\"\""));
}

TEST_F(BuddyListLaunchTest, CloneCommandStartsTheLauncher) {
  InstallProbeAs("Corvane.exe");
  SendMessageA(buddyList_, WM_SYSCOMMAND, CMD_LAUNCH_CLONE, 0);
  EXPECT_EQ(WaitForProbeReport(), Expected("-clone"));
  EXPECT_EQ(g_hostSysCommands, 1);
}

TEST_F(BuddyListLaunchTest, FailedHistoryStartIsOwnedByTheBuddyList) {
  BoxAnswerer robot("Corvane Error", IDOK);
  SendMessageA(buddyList_, WM_SYSCOMMAND, CMD_HISTORY_VIEWER, 0);
  robot.Text();
  ASSERT_TRUE(robot.Answered());
  EXPECT_EQ(robot.Owner(), buddyList_);
  EXPECT_EQ(g_hostSysCommands, 1);
}

}  // namespace
}  // namespace corvane
