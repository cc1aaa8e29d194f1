// Opens the preferences dialog from a process of its own and prints what
// DoPrefDlg returned: "result N".  With "load" it first loads the settings
// as the launcher does (this folder as the launcher's folder); without, it
// relies on a running launcher's hook having bound the settings here.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string ThisFolder() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self);
  return path.substr(0, path.find_last_of('\\'));
}

template <typename F>
F Export(HMODULE dll, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string folder = ThisFolder();
  HMODULE dll = LoadLibraryA((folder + "\\Corvane.dll").c_str());
  if (dll == nullptr) {
    std::printf("error no-library\n");
    return 1;
  }
  if (argc > 1 && std::strcmp(argv[1], "load") == 0) {
    Export<char*(__cdecl*)(const char*)>(dll, "SetCurDir")(folder.c_str());
    Export<int(__cdecl*)()>(dll, "LoadSettingsFromReg")();
  }
  std::printf("result %d\n", Export<int(__cdecl*)()>(dll, "DoPrefDlg")());
  return 0;
}
