#include "testhost/report.h"

#include <windows.h>

#include <cstdio>

namespace testhost {
namespace {
std::string g_reportPath;
}

void SetReportPath(const std::string& path) { g_reportPath = path; }

void Report(const std::string& line) {
  if (g_reportPath.empty()) {
    OutputDebugStringA((line + "\n").c_str());
    return;
  }
  FILE* file = std::fopen(g_reportPath.c_str(), "ab");
  if (!file) return;
  std::fputs(line.c_str(), file);
  std::fputc('\n', file);
  std::fclose(file);
}

}  // namespace testhost
