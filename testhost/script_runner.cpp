#include "testhost/script_runner.h"

#include <windows.h>

#include <string>

#include "testhost/report.h"

namespace testhost {
namespace {

constexpr UINT kStepMilliseconds = 10;

std::vector<ScriptLine> g_lines;
size_t g_next = 0;
UINT_PTR g_timer = 0;
// A command that opens a modal loop (a message box of a subclass) holds
// the script until it returns.
bool g_busy = false;
DWORD g_resumeAt = 0;
// The script holds until this file exists: a test says when to go on.
std::string g_awaited;

void ReportError(int line, const std::string& message) {
  Report("error line=" + std::to_string(line) + " message=" + Quoted(message));
}

void RunLine(const ScriptLine& line) {
  Report("run line=" + std::to_string(line.number) + " command=" + Quoted(line.text));
  Command command;
  std::string error;
  if (!ParseCommand(line.text, &command, &error)) return ReportError(line.number, error);
  if (command.name == "wait") {
    int milliseconds;
    if (!ParseCount(command.words[0], &milliseconds))
      return ReportError(line.number, "bad duration");
    g_resumeAt = GetTickCount() + static_cast<DWORD>(milliseconds);
    return;
  }
  if (command.name == "await") {
    g_awaited = command.words[0];
    return;
  }
  if (!ExecuteCommand(command, &error)) ReportError(line.number, error);
}

void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
  if (g_busy || static_cast<LONG>(GetTickCount() - g_resumeAt) < 0) return;
  if (!g_awaited.empty()) {
    if (GetFileAttributesA(g_awaited.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    g_awaited.clear();
  }
  if (g_next >= g_lines.size()) {
    KillTimer(nullptr, g_timer);
    return;
  }
  const ScriptLine line = g_lines[g_next++];
  g_busy = true;
  try {
    RunLine(line);
  } catch (...) {
    ReportError(line.number, "the command failed");
  }
  g_busy = false;
}

}  // namespace

void StartScript(const std::vector<ScriptLine>& lines) {
  g_lines = lines;
  g_next = 0;
  g_resumeAt = GetTickCount();
  g_timer = SetTimer(nullptr, 0, kStepMilliseconds, Step);
}

}  // namespace testhost
