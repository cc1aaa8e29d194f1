// Prints the ANSI code page this process runs in ("acp=932"), so that a
// test can check that Wine took the locale it was given.
#include <windows.h>

#include <cstdio>

int main() {
  std::printf("acp=%u\n", GetACP());
  return 0;
}
