#include "viewer/app/viewer_command_line.h"

#include "common/history_naming.h"

namespace corvane {
namespace {

// Cuts text at its last double quote and returns that quote's position,
// or npos (leaving text alone) when there is none.
std::size_t CutAtLastQuote(std::string_view& text) {
  const std::size_t quote = text.rfind('"');
  if (quote != std::string_view::npos) {
    text = text.substr(0, quote);
  }
  return quote;
}

std::string FolderOf(const std::string& name, const LeadBytes& lead) {
  return HistoryFolderName(name, lead).value_or(std::string());
}

}  // namespace

ViewerPreselection ParseViewerCommandLine(std::string_view commandLine) {
  // The work buffer is a C string: it ends at the first NUL or its capacity.
  std::string_view text = commandLine.substr(0, commandLine.find('\0'));
  text = text.substr(0, kCommandLineCapacity - 1);

  ViewerPreselection names;
  if (CutAtLastQuote(text) == std::string_view::npos) {
    return names;
  }
  std::string_view last = text;
  const std::size_t lastOpening = CutAtLastQuote(text);
  // A quote at the very start opens the program's own path.
  if (lastOpening == std::string_view::npos || lastOpening == 0) {
    return names;
  }
  names.user = std::string(last.substr(lastOpening + 1));

  if (CutAtLastQuote(text) == std::string_view::npos) {
    return names;
  }
  std::string_view before = text;
  const std::size_t beforeOpening = CutAtLastQuote(text);
  if (beforeOpening == std::string_view::npos || beforeOpening == 0) {
    return names;
  }
  names.buddy = names.user;
  names.user = std::string(before.substr(beforeOpening + 1));
  return names;
}

ViewerPreselection PreselectedFolders(const ViewerPreselection& names, const LeadBytes& lead) {
  return ViewerPreselection{FolderOf(names.user, lead), FolderOf(names.buddy, lead)};
}

}  // namespace corvane
