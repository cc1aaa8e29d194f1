#include "hooklib/launch/history_viewer_arguments.h"

namespace corvane {
namespace {

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  out += text;
  out += '"';
}

}  // namespace

std::string HistoryViewerArguments(std::string_view screenName,
                                   std::optional<std::string_view> buddyName) {
  std::string arguments;
  AppendQuoted(arguments, screenName);
  if (buddyName) {
    arguments += ' ';
    AppendQuoted(arguments, *buddyName);
  }
  if (arguments.size() >= kHistoryViewerArgumentsCapacity) {
    arguments.resize(kHistoryViewerArgumentsCapacity - 1);
  }
  return arguments;
}

}  // namespace corvane
