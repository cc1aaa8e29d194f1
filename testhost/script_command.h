// What the host is told to do: its command line and its script's lines and
// commands.  A script comes from a file (one command per
// line, '#' starts a comment line) and/or from --run (commands separated by
// ';').  A command is a name, a fixed number of words (a word with spaces is
// written in double quotes) and, for some commands, a rest-of-line text.
#pragma once

#include <string>
#include <vector>

namespace testhost {

struct ScriptLine {
  int number;  // line in the script file, or position after it for --run
  std::string text;
};

std::vector<ScriptLine> ScriptFileLines(const std::string& contents);
std::vector<ScriptLine> RunArgumentLines(const std::string& run, int firstNumber);

struct Command {
  std::string name;
  std::vector<std::string> words;
  std::string text;  // the rest of the line, for commands that take one
};

// False, with a message in *error, for an unknown command or wrong arguments.
bool ParseCommand(const std::string& line, Command* command, std::string* error);

// A decimal number from 0 to 1,000,000,000.
bool ParseCount(const std::string& word, int* value);

// testhost.exe [--report FILE] [--script FILE] [--run "cmd1; cmd2"] [--register] [--idle MS]
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
