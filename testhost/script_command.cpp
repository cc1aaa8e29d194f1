#include "testhost/script_command.h"

#include <cstring>

namespace testhost {

namespace {
struct CommandShape {
  const char* name;
  int words;
  bool text;
};

constexpr CommandShape kCommands[] = {
    {"signon", 0, true},    {"signon-title", 0, true}, {"signoff", 0, false},
    {"im", 1, false},       {"chat", 1, false},        {"receive", 2, true},
    {"send", 1, true},      {"clear", 1, false},       {"close", 1, false},
    {"today", 0, false},    {"popup", 1, false},       {"closepopups", 0, false},
    {"resize", 2, false},   {"maximize", 0, false},    {"restore", 0, false},
    {"minimize", 0, false}, {"activate", 1, false},    {"windows", 0, false},
    {"text", 1, false},     {"wait", 1, false},        {"ticker", 0, true},
    {"quit", 0, false},     {"await", 1, false},       {"subclass-next-im", 0, false},
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trim(const std::string& s) {
  size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

// Reads the next word at *pos; false at the end of the line or on an
// unterminated quote (then *error is set).
bool NextWord(const std::string& line, size_t* pos, std::string* word, std::string* error) {
  while (*pos < line.size() && IsBlank(line[*pos])) ++*pos;
  if (*pos >= line.size()) return false;
  if (line[*pos] == '"') {
    size_t close = line.find('"', *pos + 1);
    if (close == std::string::npos) {
      *error = "unterminated quote";
      return false;
    }
    *word = line.substr(*pos + 1, close - *pos - 1);
    *pos = close + 1;
    return true;
  }
  size_t end = *pos;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  *word = line.substr(*pos, end - *pos);
  *pos = end;
  return true;
}

}  // namespace

std::vector<ScriptLine> ScriptFileLines(const std::string& contents) {
  std::vector<ScriptLine> lines;
  int number = 0;
  size_t start = 0;
  while (start <= contents.size()) {
    size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string text = Trim(contents.substr(start, end - start));
    ++number;
    if (!text.empty() && text[0] != '#') lines.push_back({number, text});
    start = end + 1;
  }
  return lines;
}

std::vector<ScriptLine> RunArgumentLines(const std::string& run, int firstNumber) {
  std::vector<ScriptLine> lines;
  int number = firstNumber;
  size_t start = 0;
  while (start <= run.size()) {
    size_t end = run.find(';', start);
    if (end == std::string::npos) end = run.size();
    std::string text = Trim(run.substr(start, end - start));
    if (!text.empty()) lines.push_back({number, text});
    ++number;
    start = end + 1;
  }
  return lines;
}

bool ParseCommand(const std::string& line, Command* command, std::string* error) {
  *command = Command();
  error->clear();
  size_t pos = 0;
  if (!NextWord(line, &pos, &command->name, error)) {
    if (error->empty()) *error = "empty command";
    return false;
  }
  const CommandShape* shape = nullptr;
  for (const auto& candidate : kCommands) {
    if (command->name == candidate.name) shape = &candidate;
  }
  if (!shape) {
    *error = "unknown command " + command->name;
    return false;
  }
  for (int i = 0; i < shape->words; ++i) {
    std::string word;
    if (!NextWord(line, &pos, &word, error)) {
      if (error->empty())
        *error = command->name + " needs " + std::to_string(shape->words) + " argument(s)";
      return false;
    }
    command->words.push_back(word);
  }
  std::string rest = Trim(line.substr(pos));
  if (shape->text && rest.empty()) {
    *error = command->name + " needs a text";
    return false;
  }
  if (!shape->text && !rest.empty()) {
    *error = "too many arguments for " + command->name;
    return false;
  }
  command->text = rest;
  return true;
}

bool ParseCount(const std::string& word, int* value) {
  if (word.empty() || word.size() > 10) return false;
  long long n = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n > 1000000000) return false;
  *value = static_cast<int>(n);
  return true;
}

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
