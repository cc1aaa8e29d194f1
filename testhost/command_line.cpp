#include "testhost/command_line.h"

namespace testhost {

bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error) {
  *options = Options();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--register") {
      options->registerAppPath = true;
      continue;
    }
    std::string* target = arg == "--report"   ? &options->reportPath
                          : arg == "--script" ? &options->scriptPath
                          : arg == "--run"    ? &options->run
                          : arg == "--idle"   ? &options->idleMs
                                              : nullptr;
    if (!target) {
      *error = "unknown option " + arg;
      return false;
    }
    if (i + 1 >= args.size()) {
      *error = arg + " needs a value";
      return false;
    }
    *target = args[++i];
  }
  return true;
}

}  // namespace testhost
