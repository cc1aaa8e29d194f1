// The names the viewer preselects, taken from its command line: the screen
// name in double quotes, optionally followed by the buddy's name in double
// quotes, usually behind the program's own quoted path.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/code_page_characters.h"

namespace corvane {

struct ViewerPreselection {
  std::string user;
  std::string buddy;
};

inline bool operator==(const ViewerPreselection& a, const ViewerPreselection& b) {
  return a.user == b.user && a.buddy == b.buddy;
}

// The command line is read into a work buffer of this size, so only its
// first kCommandLineCapacity - 1 characters count.
inline constexpr std::size_t kCommandLineCapacity = 520;

// Pairs quotes from the end, so the last two quoted arguments win and a
// program path in quotes is never taken for a name.  Names are taken
// verbatim; a command line cut inside an argument pairs its quotes
// differently and yields whatever lies between them.
ViewerPreselection ParseViewerCommandLine(std::string_view commandLine);

// The folders the names are written into (see HistoryFolderName), so that a
// name kept under a mended folder name ("con" in "con_") finds its folder.
// A name that has no folder preselects nothing.  Names are read in the code
// page of `lead`, as the hook read them.
ViewerPreselection PreselectedFolders(const ViewerPreselection& names, const LeadBytes& lead);

}  // namespace corvane
