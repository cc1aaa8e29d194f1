// Test programs find the programs and libraries built beside them.
#pragma once

#include <windows.h>

#include <string>

namespace corvane {

// The path of `name` in the folder of the running program.
inline std::string BesideThisProgram(const std::string& name) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string path(self);
  return path.substr(0, path.find_last_of('\\') + 1) + name;
}

}  // namespace corvane
