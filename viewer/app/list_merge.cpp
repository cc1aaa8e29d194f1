#include "viewer/app/list_merge.h"

#include <windows.h>

namespace corvane {
namespace {

// More names than this since the last merge are merged as a new listing:
// the memory they take stays bounded while the window is busy.
constexpr std::size_t kMadeNamesLimit = 4096;

}  // namespace

bool ListedEntries::Insert(const std::string& text) { return InsertFolded(FoldedName(text)); }

bool ListedEntries::InsertFolded(std::string folded) {
  return folded_.insert(std::move(folded)).second;
}

std::string FoldedName(std::string text) {
  if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

void ReportedNames::Add(const FolderChanges& changes) {
  if (everything) return;
  if (changes.Everything()) {
    LoseCount();
    return;
  }
  for (const FolderChange& change : changes.changes) {
    if (change.action == FILE_ACTION_ADDED || change.action == FILE_ACTION_RENAMED_NEW_NAME)
      made.push_back(change.relative);
  }
  if (made.size() > kMadeNamesLimit) LoseCount();
}

void ReportedNames::LoseCount() {
  everything = true;
  made.clear();
}

std::vector<std::string> NameParts(const std::string& relative) {
  std::vector<std::string> parts;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t end = relative.find('\\', begin);
    parts.push_back(relative.substr(begin, end - begin));
    if (end == std::string::npos) return parts;
    begin = end + 1;
  }
}

}  // namespace corvane
