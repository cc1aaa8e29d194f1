#include "launcher/launch_rules.h"

#include <cctype>
#include <vector>

#include "common/path_rules.h"

namespace corvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if (IsBlank(c) && !quoted) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string_view WithoutSurroundingQuotes(std::string_view text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

}  // namespace

bool CommandLineRequestsClone(std::string_view arguments) {
  for (const std::string& argument : SplitArguments(arguments)) {
    if (EqualsIgnoringCase(argument, "-clone")) return true;
  }
  return false;
}

StartAction DecideStart(bool cloneRequested, bool launcherRunning, bool cloningAllowed) {
  if (!launcherRunning) return StartAction::kRunLauncher;
  if (!cloneRequested) return StartAction::kShowRunningLauncher;
  return cloningAllowed ? StartAction::kHandCloneToLauncher
                        : StartAction::kReportCloningSwitchedOff;
}

std::string FolderOfPath(std::string_view path) {
  const size_t last = path.find_last_of("\\/");
  if (last == std::string_view::npos) {
    // "C:name" lives in the current folder of drive C.
    const bool driveRelative = path.size() >= 2 && path[1] == ':';
    return std::string(driveRelative ? path.substr(0, 2) : std::string_view());
  }
  std::string_view folder = path.substr(0, last);
  // Keep the separator of a root ("C:\", "\"): without it the folder changes meaning.
  if (folder.empty() || folder.back() == ':') folder = path.substr(0, last + 1);
  return std::string(folder);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (!joined.empty() && !IsSeparator(joined.back())) joined += '\\';
  joined += name;
  return joined;
}

HostLaunch PlanHostLaunch(std::string_view appPath) {
  const std::string_view path = WithoutSurroundingQuotes(appPath);
  HostLaunch launch;
  launch.program = std::string(path);
  launch.commandLine = "\"" + std::string(path) + "\"";
  launch.workingFolder = FolderOfPath(path);
  return launch;
}

bool IsStartableHostPath(std::string_view appPath, bool programExists) {
  return programExists && IsFullyQualifiedPath(WithoutSurroundingQuotes(appPath));
}

}  // namespace corvane
