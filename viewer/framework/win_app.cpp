#include "viewer/framework/win_app.h"

namespace corvane {
namespace {

CWinApp* g_app = nullptr;

std::string ExecutableBaseName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
  std::string name = path;
  const size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) {
    name.erase(0, slash + 1);
  }
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) {
    name.erase(dot);
  }
  return name;
}

}  // namespace

CWinApp::CWinApp() : instance_(GetModuleHandleA(nullptr)) {
  profile_.appName = ExecutableBaseName();
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) {
    g_app = nullptr;
  }
}

int CWinApp::Run() {
  InitInstance();
  return exitCode_;
}

void CWinApp::SetRegistryKey(const char* company) { profile_.company = company; }

int CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
  return ReadProfileInt(profile_, section, entry, defaultValue);
}

bool CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const {
  return corvane::WriteProfileInt(profile_, section, entry, value);
}

CWinApp* AfxGetApp() { return g_app; }

}  // namespace corvane
