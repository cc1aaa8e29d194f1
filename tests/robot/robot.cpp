// The tests' hands inside Wine: finds windows and dialogs by class and
// caption, reads their texts, presses their buttons, and holds or reads the
// hook library's shared settings.  One command per run; prints one result
// line per finding on stdout.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string BinFile(const char* name) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self);
  return path.substr(0, path.find_last_of('\\') + 1) + name;
}

std::string TextOf(HWND w) {
  char text[4096] = "";
  GetWindowTextA(w, text, sizeof text);
  return text;
}

std::string ClassOf(HWND w) {
  char cls[256] = "";
  GetClassNameA(w, cls, sizeof cls);
  return cls;
}

// Escapes line breaks so one finding stays on one line.
std::string OneLine(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\\') out += "\\\\";
    else out += c;
  }
  return out;
}

std::vector<HWND> TopLevel(const char* cls, const char* title) {
  std::vector<HWND> found;
  for (HWND w = FindWindowExA(nullptr, nullptr, cls, title); w != nullptr;
       w = FindWindowExA(nullptr, w, cls, title)) {
    found.push_back(w);
  }
  return found;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  std::printf("control id=%d class=%s text=%s\n", GetDlgCtrlID(child), ClassOf(child).c_str(),
              OneLine(TextOf(child)).c_str());
  return TRUE;
}

// dialogs [CAPTION]: every visible dialog box with its controls.
int ListDialogs(const char* caption) {
  for (HWND d : TopLevel("#32770", caption)) {
    if (!IsWindowVisible(d)) continue;
    DWORD pid = 0;
    GetWindowThreadProcessId(d, &pid);
    std::printf("dialog hwnd=0x%lx pid=%lu owner=0x%lx caption=%s\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(d)),
                static_cast<unsigned long>(pid),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetWindow(d, GW_OWNER))),
                OneLine(TextOf(d)).c_str());
    EnumChildWindows(d, PrintChild, 0);
  }
  return 0;
}

// press CAPTION BUTTON: clicks the button whose text is BUTTON.
int Press(const char* caption, const char* button) {
  for (HWND d : TopLevel("#32770", caption)) {
    for (HWND b = FindWindowExA(d, nullptr, "Button", nullptr); b != nullptr;
         b = FindWindowExA(d, b, "Button", nullptr)) {
      if (TextOf(b) == button) {
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
                     reinterpret_cast<LPARAM>(b));
        std::printf("pressed\n");
        return 0;
      }
    }
  }
  std::printf("not-found\n");
  return 1;
}

// close CLASS: posts WM_CLOSE to every top-level window of the class.
int Close(const char* cls) {
  const std::vector<HWND> windows = TopLevel(cls, nullptr);
  for (HWND w : windows) PostMessageA(w, WM_CLOSE, 0, 0);
  std::printf("closed count=%u\n", static_cast<unsigned>(windows.size()));
  return windows.empty() ? 1 : 0;
}

// command CLASS ID / syscommand CLASS ID: posts the (system) menu command
// ID to the first top-level window of the class, as a click on its menu item
// would.
int Command(UINT message, const char* cls, const char* id) {
  HWND w = FindWindowA(cls, nullptr);
  if (w == nullptr) {
    std::printf("not-found\n");
    return 1;
  }
  PostMessageA(w, message, static_cast<WPARAM>(std::atoi(id)), 0);
  std::printf("posted\n");
  return 0;
}

template <typename F>
F Export(HMODULE dll, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

// settings: maps the hook library and prints what its exports read from
// the shared record.  hold CURDIR: also loads the settings with CURDIR as
// the launcher folder and keeps the library mapped until stdin closes.
int Settings(bool hold, const char* curDir) {
  HMODULE dll = LoadLibraryA(BinFile("Corvane.dll").c_str());
  if (dll == nullptr) {
    std::printf("error no-library\n");
    return 1;
  }
  if (hold) {
    Export<char*(__cdecl*)(const char*)>(dll, "SetCurDir")(curDir);
    const int same = Export<int(__cdecl*)()>(dll, "LoadSettingsFromReg")();
    std::printf("loaded same-version=%d\n", same);
  }
  char path[260];
  Export<char*(__cdecl*)(char*, int)>(dll, "GetAppPath")(path, sizeof path);
  path[259] = '\0';
  std::printf("apppath %s\n", path);
  std::printf("allowcloning %d\n", Export<int(__cdecl*)()>(dll, "GetAllowCloning")());
  std::fflush(stdout);
  if (hold) {
    char line[16];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "dialogs") return ListDialogs(argc > 2 ? argv[2] : nullptr);
  if (command == "press" && argc > 3) return Press(argv[2], argv[3]);
  if (command == "close" && argc > 2) return Close(argv[2]);
  if (command == "command" && argc > 3) return Command(WM_COMMAND, argv[2], argv[3]);
  if (command == "syscommand" && argc > 3) return Command(WM_SYSCOMMAND, argv[2], argv[3]);
  if (command == "settings") return Settings(false, nullptr);
  if (command == "hold" && argc > 2) return Settings(true, argv[2]);
  std::fprintf(stderr,
               "usage: robot dialogs [CAPTION] | press CAPTION BUTTON | close CLASS |"
               " command CLASS ID | syscommand CLASS ID | settings | hold CURDIR\n");
  return 2;
}
