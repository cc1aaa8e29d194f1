// Where the History Viewer keeps the search index of a history folder, by
// the viewer's own function: the end-to-end tests look at that file.
//
//     index_file_name.exe HISTORY
#include <cstdio>
#include <string>

#include "viewer/search/index_location.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: index_file_name HISTORY\n");
    return 2;
  }
  const std::string path = corvane::SearchIndexPath(argv[1]);
  if (path.empty()) return 1;
  std::printf("%s\n", path.c_str());
  return 0;
}
