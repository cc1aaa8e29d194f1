#include "launcher/launch_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CommandLineRequestsClone, FindsCloneAmongArguments) {
  EXPECT_TRUE(CommandLineRequestsClone("-clone"));
  EXPECT_TRUE(CommandLineRequestsClone("  -clone  "));
  EXPECT_TRUE(CommandLineRequestsClone("-CLONE"));
  EXPECT_TRUE(CommandLineRequestsClone("-other -Clone"));
  EXPECT_TRUE(CommandLineRequestsClone("\t-clone\t"));
  EXPECT_TRUE(CommandLineRequestsClone("\"-clone\""));
}

TEST(CommandLineRequestsClone, IgnoresEverythingElse) {
  EXPECT_FALSE(CommandLineRequestsClone(""));
  EXPECT_FALSE(CommandLineRequestsClone("   "));
  EXPECT_FALSE(CommandLineRequestsClone("clone"));
  EXPECT_FALSE(CommandLineRequestsClone("/clone"));
  EXPECT_FALSE(CommandLineRequestsClone("-clones"));
  EXPECT_FALSE(CommandLineRequestsClone("x-clone"));
  EXPECT_FALSE(CommandLineRequestsClone("\"a -clone b\""));
}

struct StartCase {
  bool cloneRequested;
  bool launcherRunning;
  bool cloningAllowed;
  StartAction expected;
};

TEST(DecideStart, CoversEveryCombination) {
  const StartCase cases[] = {
      {false, false, false, StartAction::kRunLauncher},
      {false, false, true, StartAction::kRunLauncher},
      {true, false, false, StartAction::kRunLauncher},
      {true, false, true, StartAction::kRunLauncher},
      {false, true, false, StartAction::kShowRunningLauncher},
      {false, true, true, StartAction::kShowRunningLauncher},
      {true, true, false, StartAction::kReportCloningSwitchedOff},
      {true, true, true, StartAction::kHandCloneToLauncher},
  };
  for (const StartCase& c : cases) {
    EXPECT_EQ(DecideStart(c.cloneRequested, c.launcherRunning, c.cloningAllowed), c.expected)
        << "clone " << c.cloneRequested << " running " << c.launcherRunning << " allowed "
        << c.cloningAllowed;
  }
}

TEST(FolderOfPath, CutsTheFileName) {
  EXPECT_EQ(FolderOfPath("C:\\Program Files\\Corvane\\Corvane.exe"), "C:\\Program Files\\Corvane");
  EXPECT_EQ(FolderOfPath("C:/tools/aim.exe"), "C:/tools");
  EXPECT_EQ(FolderOfPath("\\\\server\\share\\aim.exe"), "\\\\server\\share");
  EXPECT_EQ(FolderOfPath("sub\\aim.exe"), "sub");
}

TEST(FolderOfPath, KeepsTheSeparatorOfARoot) {
  EXPECT_EQ(FolderOfPath("C:\\aim.exe"), "C:\\");
  EXPECT_EQ(FolderOfPath("\\aim.exe"), "\\");
}

TEST(FolderOfPath, NoFolderGivesEmptyOrTheDrive) {
  EXPECT_EQ(FolderOfPath("aim.exe"), "");
  EXPECT_EQ(FolderOfPath(""), "");
  EXPECT_EQ(FolderOfPath("C:aim.exe"), "C:");
}

TEST(JoinPath, PutsOneSeparatorBetween) {
  EXPECT_EQ(JoinPath("C:\\Corvane", "Corvane.dll"), "C:\\Corvane\\Corvane.dll");
  EXPECT_EQ(JoinPath("C:\\", "Corvane.dll"), "C:\\Corvane.dll");
  EXPECT_EQ(JoinPath("C:/x/", "Corvane.dll"), "C:/x/Corvane.dll");
  EXPECT_EQ(JoinPath("", "Corvane.dll"), "Corvane.dll");
}

TEST(PlanHostLaunch, QuotesThePathAndStartsInItsFolder) {
  const HostLaunch launch = PlanHostLaunch("C:\\Program Files\\AIM95\\aim.exe");
  EXPECT_EQ(launch.commandLine, "\"C:\\Program Files\\AIM95\\aim.exe\"");
  EXPECT_EQ(launch.workingFolder, "C:\\Program Files\\AIM95");
}

TEST(PlanHostLaunch, AcceptsAnAlreadyQuotedPath) {
  const HostLaunch launch = PlanHostLaunch("\"C:\\AIM\\aim.exe\"");
  EXPECT_EQ(launch.commandLine, "\"C:\\AIM\\aim.exe\"");
  EXPECT_EQ(launch.workingFolder, "C:\\AIM");
}

TEST(PlanHostLaunch, BareNameKeepsTheCurrentFolder) {
  const HostLaunch launch = PlanHostLaunch("aim.exe");
  EXPECT_EQ(launch.commandLine, "\"aim.exe\"");
  EXPECT_EQ(launch.workingFolder, "");
}

TEST(PlanHostLaunch, RootFolderStaysARoot) {
  EXPECT_EQ(PlanHostLaunch("D:\\aim.exe").workingFolder, "D:\\");
}

TEST(IsStartableHostPath, TakesOnlyTheFullPathOfAProgramThatIsThere) {
  EXPECT_TRUE(IsStartableHostPath("C:\\AIM\\aim.exe", true));
  EXPECT_TRUE(IsStartableHostPath("\"C:\\Program Files\\AIM\\aim.exe\"", true));
  EXPECT_TRUE(IsStartableHostPath("\\\\server\\apps\\aim.exe", true));
  EXPECT_FALSE(IsStartableHostPath("C:\\AIM\\aim.exe", false));
  // Found on the search path or in the current folder: somebody's program.
  for (const char* path :
       {"aim.exe", "\"aim.exe\"", "AIM\\aim.exe", "C:aim.exe", "\\aim.exe", ""}) {
    EXPECT_FALSE(IsStartableHostPath(path, true)) << path;
  }
}

}  // namespace
}  // namespace corvane
