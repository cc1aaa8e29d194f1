// Planted by a test where a program of ours must never be started from:
// when it runs, it leaves "planted-ran.txt" with its command line beside
// itself, and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string marker(self);
  marker = marker.substr(0, marker.find_last_of('\\') + 1) + "planted-ran.txt";
  if (FILE* f = std::fopen(marker.c_str(), "a")) {
    std::fprintf(f, "%s\n", GetCommandLineA());
    std::fclose(f);
  }
  return 0;
}
