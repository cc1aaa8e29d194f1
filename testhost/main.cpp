// The stand-in host messenger: see README.md.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/registry_names.h"
#include "common/unique_handle.h"
#include "testhost/buddy_list.h"
#include "testhost/conversation_windows.h"
#include "testhost/host_texts.h"
#include "testhost/popups.h"
#include "testhost/report.h"
#include "testhost/script_command.h"
#include "testhost/script_runner.h"
#include "testhost/simple_controls.h"
#include "testhost/text_controls.h"
#include "testhost/thread_windows.h"

using namespace testhost;

namespace {

// --register: writes the full path of this executable as the default value
// of the host's AppPath key under HKEY_CURRENT_USER (creating the key),
// where the launcher looks for the host.
bool RegisterAppPath(std::string* path, std::string* error) {
  char module[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) {
    *error = "cannot read the executable's path";
    return false;
  }
  *path = module;
  corvane::RegistryKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, corvane::kHostAppPathKey, 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, key.Out(), nullptr) != ERROR_SUCCESS) {
    *error = "cannot create the AppPath key";
    return false;
  }
  LONG status = RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(module),
                               length + 1);
  if (status != ERROR_SUCCESS) *error = "cannot write the AppPath value";
  return status == ERROR_SUCCESS;
}

int RegisterAndExit() {
  std::string path, error;
  const bool ok = RegisterAppPath(&path, &error);
  Report(ok ? "registered path=" + Quoted(path) : "error line=0 message=" + Quoted(error));
  std::printf("%s\n", ok ? path.c_str() : error.c_str());
  Report("done");
  return ok ? 0 : 1;
}

// A messenger that has not opened a window yet: the hook library never
// reaches it.
int IdleAndExit(int milliseconds) {
  Sleep(static_cast<DWORD>(milliseconds));
  Report("done");
  return 0;
}

bool ReadScript(const Options& options, std::vector<ScriptLine>* lines) {
  int runStart = 1;
  if (!options.scriptPath.empty()) {
    std::ifstream file(options.scriptPath, std::ios::binary);
    if (!file) return false;
    std::stringstream stream;
    stream << file.rdbuf();
    const std::string contents = stream.str();
    *lines = ScriptFileLines(contents);
    // --run commands are numbered after the file's last line.
    runStart = static_cast<int>(std::count(contents.begin(), contents.end(), '\n')) + 2;
  }
  for (const ScriptLine& line : RunArgumentLines(options.run, runStart)) lines->push_back(line);
  return true;
}

// The launcher starts the host with no arguments; tests and the demo hand it
// its report and script through the environment, which it inherits.
void TakeOptionsFromEnvironment(Options* options) {
  const auto fill = [](std::string* field, const char* name) {
    const char* value = std::getenv(name);
    if (field->empty() && value != nullptr) *field = value;
  };
  fill(&options->reportPath, "TESTHOST_REPORT");
  fill(&options->scriptPath, "TESTHOST_SCRIPT");
  fill(&options->run, "TESTHOST_RUN");
  fill(&options->idleMs, "TESTHOST_IDLE");
}

void RegisterClasses() {
  RegisterTextControlClasses();
  RegisterSimpleControlClasses();
  RegisterBuddyListClasses();
  RegisterConversationClasses();
  RegisterPopupClasses();
  RegisterStatusNotifyClass();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Options options;
  std::string error;
  if (!ParseOptions(std::vector<std::string>(__argv + 1, __argv + __argc), &options, &error)) {
    std::fprintf(stderr, "testhost: %s\n", error.c_str());
    return 2;
  }
  TakeOptionsFromEnvironment(&options);
  SetReportPath(options.reportPath);
  Report("ready pid=" + std::to_string(GetCurrentProcessId()));
  if (options.registerAppPath) return RegisterAndExit();
  if (!options.idleMs.empty()) return IdleAndExit(std::atoi(options.idleMs.c_str()));

  std::vector<ScriptLine> lines;
  if (!ReadScript(options, &lines)) {
    Report("error line=0 message=" + Quoted("cannot read " + options.scriptPath));
    Report("done");
    return 1;
  }
  RegisterClasses();
  CreateStatusNotifyWindow();
  const bool byHand = options.scriptPath.empty() && options.run.empty();
  SetQuitOnBuddyListClose(byHand);
  if (byHand)
    SignOn(BuddyListTitle("Tester"));
  else
    StartScript(lines);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DestroyHostWindows();
  Report("done");
  return static_cast<int>(message.wParam);
}
