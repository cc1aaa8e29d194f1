#include "viewer/app/script_command_line.h"

#include <map>

#include "common/history_naming.h"

namespace corvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

ScriptCommand Invalid(std::string reason) {
  ScriptCommand command;
  command.kind = ScriptCommand::Kind::kInvalid;
  command.error = std::move(reason);
  return command;
}

// The options each command takes, after its own value.
const std::vector<std::string_view>& OptionsOf(ScriptCommand::Kind kind) {
  static const std::vector<std::string_view> kExport = {"/format", "/user", "/buddy", "/from",
                                                        "/to"};
  static const std::vector<std::string_view> kDelete = {"/user", "/buddy"};
  static const std::vector<std::string_view> kSearch = {"/user", "/buddy", "/from", "/to",
                                                        "/said-by"};
  if (kind == ScriptCommand::Kind::kSearch) return kSearch;
  return kind == ScriptCommand::Kind::kExport ? kExport : kDelete;
}

std::optional<std::string_view> KnownOption(std::string_view word, ScriptCommand::Kind kind) {
  for (std::string_view option : OptionsOf(kind)) {
    if (EqualsAsciiIgnoringCase(word, option)) return option;
  }
  return std::nullopt;
}

std::optional<CalendarDate> DateOption(const std::map<std::string_view, std::string>& values,
                                       std::string_view option, std::string& error) {
  const auto found = values.find(option);
  if (found == values.end()) return std::nullopt;
  const std::optional<CalendarDate> date = ParseIsoDate(found->second);
  if (!date) {
    error = std::string(option) + " needs a date as yyyy-mm-dd, not \"" + found->second + "\"";
  }
  return date;
}

// The folder a /user or /buddy name is kept in.
bool FolderOption(const std::map<std::string_view, std::string>& values, std::string_view option,
                  const LeadBytes& lead, std::string& folder, std::string& error) {
  const auto found = values.find(option);
  if (found == values.end()) return true;
  const std::optional<std::string> name = HistoryFolderName(found->second, lead);
  if (!name || name->empty()) {
    error = std::string(option) + " \"" + found->second + "\" cannot name a history folder";
    return false;
  }
  folder = *name;
  return true;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  // The program's name ends at the next blank outside quotes.
  std::string program;
  for (bool quoted = false; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else {
      program += line[i];
    }
  }
  words.push_back(program);
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string word;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      std::size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < line.size() && line[i] == '"') {
        word.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          word += '"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          word += '"';  // "" inside quotes is a quote
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        word.append(backslashes, '\\');
        if (i < line.size() && (quoted || !IsBlank(line[i]))) word += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

ScriptCommand ParseScriptCommand(std::string_view commandLine, const LeadBytes& lead) {
  const std::vector<std::string> words = SplitCommandLine(commandLine);
  if (words.size() < 2) return ScriptCommand{};
  ScriptCommand command;
  const std::string& verb = words[1];
  if (EqualsAsciiIgnoringCase(verb, "/export")) {
    command.kind = ScriptCommand::Kind::kExport;
  } else if (EqualsAsciiIgnoringCase(verb, "/delete-before")) {
    command.kind = ScriptCommand::Kind::kDeleteBefore;
  } else if (EqualsAsciiIgnoringCase(verb, "/search")) {
    command.kind = ScriptCommand::Kind::kSearch;
  } else {
    return command;
  }
  constexpr char kSearchNeeds[] = "/search needs a text to find, or \"\" and /said-by";
  if (command.kind == ScriptCommand::Kind::kSearch && words.size() < 3) {
    return Invalid(kSearchNeeds);
  }
  if (command.kind != ScriptCommand::Kind::kSearch && (words.size() < 3 || words[2].empty())) {
    return Invalid(command.kind == ScriptCommand::Kind::kExport
                       ? "/export needs the file or folder to export to"
                       : "/delete-before needs a date as yyyy-mm-dd");
  }
  std::map<std::string_view, std::string> values;
  for (std::size_t i = 3; i < words.size(); i += 2) {
    const std::optional<std::string_view> option = KnownOption(words[i], command.kind);
    if (!option) return Invalid("unknown option \"" + words[i] + "\" after " + verb);
    if (i + 1 >= words.size()) return Invalid(std::string(*option) + " needs a value");
    if (!values.emplace(*option, words[i + 1]).second) {
      return Invalid(std::string(*option) + " is given twice");
    }
  }
  std::string error;
  if (!FolderOption(values, "/user", lead, command.user, error) ||
      !FolderOption(values, "/buddy", lead, command.buddy, error)) {
    return Invalid(error);
  }
  if (!command.buddy.empty() && command.user.empty()) return Invalid("/buddy needs /user");

  if (command.kind == ScriptCommand::Kind::kDeleteBefore) {
    const std::optional<CalendarDate> before = ParseIsoDate(words[2]);
    if (!before)
      return Invalid("/delete-before needs a date as yyyy-mm-dd, not \"" + words[2] + "\"");
    command.before = *before;
    return command;
  }

  if (command.kind == ScriptCommand::Kind::kSearch) {
    command.query = words[2];
    const auto saidBy = values.find("/said-by");
    if (saidBy != values.end()) command.saidBy = saidBy->second;
    if (command.query.empty() && WithoutSpaces(command.saidBy).empty()) {
      return Invalid(kSearchNeeds);
    }
  } else {
    command.destination = words[2];
    const auto format = values.find("/format");
    if (format == values.end()) return Invalid("/export needs /format text, html or jsonl");
    const std::optional<ExportFormat> named = ExportFormatNamed(format->second);
    if (!named)
      return Invalid("/format must be text, html or jsonl, not \"" + format->second + "\"");
    command.format = *named;
  }
  command.from = DateOption(values, "/from", error);
  command.to = DateOption(values, "/to", error);
  if (!error.empty()) return Invalid(error);
  if (command.from && command.to && DateKey(*command.from) > DateKey(*command.to)) {
    return Invalid("/from " + IsoDateText(*command.from) + " is after /to " +
                   IsoDateText(*command.to));
  }
  return command;
}

}  // namespace corvane
