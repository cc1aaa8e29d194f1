// testhost.exe [--report FILE] [--script FILE] [--run "cmd1; cmd2"] [--register] [--idle MS]
#pragma once

#include <string>
#include <vector>

namespace testhost {

struct Options {
  std::string reportPath;
  std::string scriptPath;
  std::string run;
  bool registerAppPath = false;
  // Stay this long without making a window, then end (0: run normally).
  std::string idleMs;
};

// args excludes the program name.  False, with *error set, on an unknown
// option or a missing value.
bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error);

}  // namespace testhost
