// The launcher's decisions, stated on plain values.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Exit codes of Corvane.exe.
enum LauncherExitCode : int {
  kExitOk = 0,
  kExitLibraryUnusable = 1,  // hook library missing or of another release, an export
                             // missing, or the hook refused
  kExitHostNotStarted = 2,
  kExitHandOverFailed =
      3,  // no launcher took a clone's host: none started, or this start waited for it
  kExitCloningSwitchedOff = 4,
};

// True when "-clone" (in any letter case) is one of the arguments.  The
// arguments follow Windows quoting: blanks separate, double quotes group.
bool CommandLineRequestsClone(std::string_view arguments);

enum class StartAction {
  kRunLauncher,          // install the hook, start the host, wait for it
  kHandCloneToLauncher,  // start one more host for the running launcher
  kReportCloningSwitchedOff,
  kShowRunningLauncher,
};

// What a start of Corvane.exe does.  A running launcher owns the one hook;
// a second hook would subclass every window twice.
StartAction DecideStart(bool cloneRequested, bool launcherRunning, bool cloningAllowed);

// The folder part of a file path: "C:\a\b.exe" -> "C:\a", "C:\b.exe" -> "C:\",
// "b.exe" -> "".
std::string FolderOfPath(std::string_view path);

// folder + "\" + name, with no doubled separator.
std::string JoinPath(std::string_view folder, std::string_view name);

struct HostLaunch {
  std::string program;        // the executable's path, without quotes
  std::string commandLine;    // the executable's path, quoted
  std::string workingFolder;  // the executable's folder; empty when the path has none
};

// How to start the host from its stored path, which may come quoted.
HostLaunch PlanHostLaunch(std::string_view appPath);

// The host is started only from a full path: a bare name would be looked
// for in the launcher's folder, the current one and the system's search
// path, and a program found there is not the user's messenger.
bool IsStartableHostPath(std::string_view appPath, bool programExists);

}  // namespace corvane
