// Stands in for a companion program in the launch tests: writes the folder
// it was started in and its arguments to launch_probe.txt in that folder.
#include <windows.h>

#include <cstdio>

namespace {

// The command line after the program's own name.
const char* Arguments(const char* commandLine) {
  const char* p = commandLine;
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

}  // namespace

int main() {
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, folder);
  // Written beside and renamed, so the test never reads half a file.
  FILE* out = std::fopen("launch_probe.tmp", "wb");
  if (out == nullptr) return 1;
  std::fprintf(out, "%s\n%s", folder, Arguments(GetCommandLineA()));
  std::fclose(out);
  return MoveFileA("launch_probe.tmp", "launch_probe.txt") ? 0 : 1;
}
