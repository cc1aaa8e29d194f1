// The tests' hands inside Wine: finds windows and dialogs by class and
// caption, reads their texts, presses their buttons, and holds or reads the
// hook library's shared settings.  One command per run; prints one result
// line per finding on stdout.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "tests/support/beside_this_program.h"

namespace {

// Asks the window itself: GetWindowText gives only the creation text of
// another process's edit controls, and nothing of a rich edit there.  The
// text may grow between the question of its length and that of the text:
// one that fills the buffer may have been cut and is asked again with a
// bigger one.  `patient`: waits however long the window takes (a long
// view), else gives up on a window that does not answer in 5 s.
std::string AskText(HWND w, bool patient) {
  const auto ask = [&](UINT message, WPARAM wParam, LPARAM lParam) -> DWORD_PTR {
    if (patient) return static_cast<DWORD_PTR>(SendMessageA(w, message, wParam, lParam));
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(w, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer) ? answer
                                                                                            : 0;
  };
  std::size_t room = ask(WM_GETTEXTLENGTH, 0, 0) + 2;
  for (;;) {
    std::string text(room, '\0');
    const DWORD_PTR copied = ask(WM_GETTEXT, room, reinterpret_cast<LPARAM>(&text[0]));
    if (copied + 1 < room) {
      text.resize(copied);
      return text;
    }
    room *= 2;
  }
}

std::string TextOf(HWND w) { return AskText(w, false); }

std::string ClassOf(HWND w) {
  char cls[256] = "";
  GetClassNameA(w, cls, sizeof cls);
  return cls;
}

// Escapes line breaks so one finding stays on one line.
std::string OneLine(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\\')
      out += "\\\\";
    else
      out += c;
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

// The dialog boxes titled `caption` that are shown: an ended box stays,
// hidden, while a box opened over it runs.
std::vector<HWND> ShownDialogs(const char* caption) {
  std::vector<HWND> shown;
  for (HWND d : TopLevel("#32770", caption)) {
    if (IsWindowVisible(d)) shown.push_back(d);
  }
  return shown;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  std::printf("control id=%d class=%s text=%s\n", GetDlgCtrlID(child), ClassOf(child).c_str(),
              OneLine(TextOf(child)).c_str());
  return TRUE;
}

// dialogs [CAPTION]: every visible dialog box with its controls.
int ListDialogs(const char* caption) {
  for (HWND d : ShownDialogs(caption)) {
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

// press CAPTION BUTTON: clicks the button whose text is BUTTON in the first
// box shown.
int Press(const char* caption, const char* button) {
  for (HWND d : ShownDialogs(caption)) {
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

// The first visible top-level window titled CAPTION, of any class (a
// hidden one when none is visible).
HWND TopWindow(const char* caption) {
  HWND hidden = nullptr;
  for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, caption); w != nullptr;
       w = FindWindowExA(nullptr, w, nullptr, caption)) {
    if (IsWindowVisible(w)) return w;
    if (hidden == nullptr) hidden = w;
  }
  return hidden;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

// The descendant of CAPTION's window with control id ID, at any depth.
HWND Control(const char* caption, const char* id) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return nullptr;
  ControlSearch search{std::atoi(id), nullptr};
  EnumChildWindows(top, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int NotFound() {
  std::printf("not-found\n");
  return 1;
}

std::string Upper(std::string s) {
  CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
  return s;
}

// What a user sees of one control, besides its text: state that its kind
// has (tick, slider position, hot key, icon).
std::string ControlState(HWND c) {
  const std::string cls = Upper(ClassOf(c));
  char state[96] = "";
  if (cls == "BUTTON") {
    std::snprintf(state, sizeof state, " checked=%d",
                  static_cast<int>(SendMessageA(c, BM_GETCHECK, 0, 0)));
  } else if (cls == "MSCTLS_TRACKBAR32") {
    std::snprintf(state, sizeof state, " pos=%d min=%d max=%d",
                  static_cast<int>(SendMessageA(c, TBM_GETPOS, 0, 0)),
                  static_cast<int>(SendMessageA(c, TBM_GETRANGEMIN, 0, 0)),
                  static_cast<int>(SendMessageA(c, TBM_GETRANGEMAX, 0, 0)));
  } else if (cls == "MSCTLS_HOTKEY32") {
    std::snprintf(state, sizeof state, " hotkey=0x%x",
                  static_cast<unsigned>(SendMessageA(c, HKM_GETHOTKEY, 0, 0)));
  } else if (cls == "STATIC" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    std::snprintf(state, sizeof state, " icon=%d", SendMessageA(c, STM_GETICON, 0, 0) != 0);
  }
  return state;
}

BOOL CALLBACK PrintControl(HWND child, LPARAM param) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(param), reinterpret_cast<POINT*>(&r), 2);
  // nested: a control inside another control rather than of the window.
  std::printf(
      "control id=%d class=%s style=0x%08lx visible=%d enabled=%d nested=%d "
      "rect=%ld,%ld,%ld,%ld%s text=%s\n",
      GetDlgCtrlID(child), ClassOf(child).c_str(),
      static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)), IsWindowVisible(child) ? 1 : 0,
      IsWindowEnabled(child) ? 1 : 0, GetParent(child) != reinterpret_cast<HWND>(param) ? 1 : 0,
      r.left, r.top, r.right, r.bottom, ControlState(child).c_str(),
      OneLine(TextOf(child)).c_str());
  return TRUE;
}

// controls CAPTION: every control of the window, at any depth; rectangles
// in the window's client coordinates.
int Controls(const char* caption) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  EnumChildWindows(top, PrintControl, reinterpret_cast<LPARAM>(top));
  return 0;
}

// window CAPTION: where the window is and in what state.
int Window(const char* caption) {
  HWND w = TopWindow(caption);
  if (w == nullptr) return NotFound();
  RECT r{};
  RECT client{};
  GetWindowRect(w, &r);
  GetClientRect(w, &client);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &gui);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  std::printf(
      "window hwnd=0x%lx pid=%lu class=%s rect=%ld,%ld,%ld,%ld client=%ld,%ld iconic=%d "
      "zoomed=%d visible=%d foreground=%d focus=%d origin=%ld,%ld\n",
      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(w)), static_cast<unsigned long>(pid),
      ClassOf(w).c_str(), r.left, r.top, r.right, r.bottom, client.right, client.bottom,
      IsIconic(w) ? 1 : 0, IsZoomed(w) ? 1 : 0, IsWindowVisible(w) ? 1 : 0,
      GetForegroundWindow() == w ? 1 : 0,
      gui.hwndFocus != nullptr ? GetDlgCtrlID(gui.hwndFocus) : 0, origin.x, origin.y);
  return 0;
}

// click CAPTION ID: a mouse click on the button, so check boxes tick
// themselves; posted, because the click may open a modal box.
int Click(const char* caption, const char* id) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  PostMessageA(c, BM_CLICK, 0, 0);
  std::printf("clicked\n");
  return 0;
}

// select CAPTION ID INDEX: picks a combo box or list box item and tells the
// parent, as a user's pick does.  Told by a sent message, so that the
// robot answers once the window has taken the pick (a pick of the viewer
// empties the lists below at once): what is asked next sees that.  A box
// the pick opens lets the robot go on after a second.
int Select(const char* caption, const char* id, const char* index) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  const bool combo = Upper(ClassOf(c)) == "COMBOBOX";
  SendMessageA(c, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(std::atoi(index)), 0);
  DWORD_PTR result = 0;
  SendMessageTimeoutA(GetParent(c), WM_COMMAND,
                      MAKEWPARAM(GetDlgCtrlID(c), combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(c), SMTO_NORMAL, 1000, &result);
  std::printf("selected\n");
  return 0;
}

// One entry's text.  Asked in UTF-16: Wine passes the ANSI form of these
// messages to another process's list unconverted, in UTF-16 and longer
// than the ANSI length promised.
std::string ItemText(HWND c, bool combo, int index) {
  const LRESULT length = SendMessageW(c, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
  if (length <= 0) return std::string();
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got =
      SendMessageW(c, combo ? CB_GETLBTEXT : LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
  if (got <= 0) return std::string();
  char text[4096] = "";
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(got), text, sizeof text - 1,
                      nullptr, nullptr);
  return text;
}

// items CAPTION ID: the entries of a combo box or list box and its selection.
int Items(const char* caption, const char* id) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  const bool combo = Upper(ClassOf(c)) == "COMBOBOX";
  const int count = static_cast<int>(SendMessageA(c, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  const int selected = static_cast<int>(SendMessageA(c, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  std::printf("items count=%d sel=%d\n", count, selected);
  for (int i = 0; i < count; ++i) {
    std::printf("item %d text=%s\n", i, OneLine(ItemText(c, combo, i)).c_str());
  }
  return 0;
}

// Memory in another process, for the control messages whose arguments are
// pointers that the system does not carry across processes.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr)
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool Ok() const { return address_ != nullptr; }
  char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
  void Write(size_t offset, const void* data, size_t size) const {
    WriteProcessMemory(process_, At(offset), data, size, nullptr);
  }
  void Read(size_t offset, void* data, size_t size) const {
    ReadProcessMemory(process_, At(offset), data, size, nullptr);
  }

 private:
  size_t size_;
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

// The line at the bottom of a rich edit's client area (-1 when it cannot be
// asked).
int LastVisibleLine(HWND c) {
  RECT client{};
  GetClientRect(c, &client);
  RemoteMemory memory(c, sizeof(POINTL));
  if (!memory.Ok()) return -1;
  const POINTL bottom{0, client.bottom - 1};
  memory.Write(0, &bottom, sizeof bottom);
  const LRESULT at = SendMessageA(c, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(memory.At(0)));
  return static_cast<int>(SendMessageA(c, EM_EXLINEFROMCHAR, 0, at));
}

// text CAPTION ID: a control's whole text and, for an edit or rich edit,
// which line is at the top (and, for a rich edit, at the bottom), the
// selection and how many lines there are.
int Text(const char* caption, const char* id) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  const std::string text = AskText(c, true);
  const DWORD selection = static_cast<DWORD>(SendMessageA(c, EM_GETSEL, 0, 0));
  std::printf("text firstvisible=%d lastvisible=%d sel=%d,%d lines=%d length=%d value=%s\n",
              static_cast<int>(SendMessageA(c, EM_GETFIRSTVISIBLELINE, 0, 0)), LastVisibleLine(c),
              LOWORD(selection), HIWORD(selection),
              static_cast<int>(SendMessageA(c, EM_GETLINECOUNT, 0, 0)),
              static_cast<int>(text.size()), OneLine(text).c_str());
  return 0;
}

// rows CAPTION ID [FIRST [COUNT]]: the rows of a list view (from row FIRST,
// at most COUNT), their columns joined by tabs, and which row is selected.
int Rows(const char* caption, const char* id, const char* first, const char* most) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  const int count = static_cast<int>(SendMessageA(c, LVM_GETITEMCOUNT, 0, 0));
  HWND header = reinterpret_cast<HWND>(SendMessageA(c, LVM_GETHEADER, 0, 0));
  const int columns =
      header != nullptr ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  std::printf(
      "rows count=%d selected=%d\n", count,
      static_cast<int>(SendMessageA(c, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
  constexpr size_t kText = 1024;
  RemoteMemory memory(c, sizeof(LVITEMA) + kText);
  if (!memory.Ok()) return 1;
  const int from = first != nullptr ? std::atoi(first) : 0;
  const int to = most != nullptr ? std::min(count, from + std::atoi(most)) : count;
  for (int row = from; row < to; ++row) {
    std::string line;
    for (int column = 0; column < columns; ++column) {
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = memory.At(sizeof(LVITEMA));
      item.cchTextMax = kText;
      memory.Write(0, &item, sizeof item);
      const LRESULT length = SendMessageA(c, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                          reinterpret_cast<LPARAM>(memory.At(0)));
      char text[kText] = "";
      memory.Read(sizeof(LVITEMA), text, kText);
      text[kText - 1] = '\0';
      if (column > 0) line += '\t';
      line.append(text, static_cast<size_t>(length > 0 ? length : 0));
    }
    std::printf("row %d text=%s\n", row, OneLine(line).c_str());
  }
  return 0;
}

// Real input, as a user's hands give it, to whatever window has the focus.
void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

// Presses and releases the left button `clicks` times in one input, all
// stamped with one time: two clicks are a double-click however late this
// process runs between them (stamped as sent, a pause past the
// double-click time under load made them two single clicks).
void SendClicks(int clicks) {
  std::vector<INPUT> inputs;
  const DWORD now = GetTickCount();
  for (int n = 0; n < clicks; ++n) {
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flags;
      input.mi.time = now;
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

WORD KeyNamed(const std::string& name) {
  static const struct {
    const char* name;
    WORD vk;
  } kKeys[] = {{"ctrl", VK_CONTROL},  {"shift", VK_SHIFT}, {"alt", VK_MENU}, {"enter", VK_RETURN},
               {"escape", VK_ESCAPE}, {"tab", VK_TAB},     {"f3", VK_F3},    {"end", VK_END},
               {"home", VK_HOME},     {"down", VK_DOWN},   {"up", VK_UP},    {"space", VK_SPACE}};
  for (const auto& key : kKeys) {
    if (lstrcmpiA(key.name, name.c_str()) == 0) return key.vk;
  }
  return name.size() == 1 ? static_cast<WORD>(Upper(name)[0]) : 0;
}

// Brings the window to the front, as a user's click on it would.
bool Activate(HWND top) {
  SetForegroundWindow(top);
  for (int i = 0; i < 50 && GetForegroundWindow() != top; ++i) Sleep(10);
  return GetForegroundWindow() == top;
}

// keys CAPTION COMBO: brings the window to the front and presses the keys
// of COMBO ("ctrl+f", "shift+f3", "enter") together, in order.
int Keys(const char* caption, const char* combo) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  if (!Activate(top)) {
    std::printf("not-foreground\n");
    return 1;
  }
  std::vector<WORD> keys;
  std::string rest = combo;
  for (size_t plus; !rest.empty(); rest = plus == std::string::npos ? "" : rest.substr(plus + 1)) {
    plus = rest.find('+');
    const WORD vk = KeyNamed(rest.substr(0, plus));
    if (vk == 0) {
      std::printf("unknown-key\n");
      return 1;
    }
    keys.push_back(vk);
  }
  for (WORD vk : keys) SendKey(vk, false);
  for (size_t i = keys.size(); i-- > 0;) SendKey(keys[i], true);
  std::printf("pressed\n");
  return 0;
}

// clickrow CAPTION ID ROW [double]: clicks (or double-clicks) the middle of
// a list view row with the mouse, scrolled into view first.
int ClickRow(const char* caption, const char* id, const char* row, bool twice) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  RemoteMemory memory(c, sizeof(RECT));
  if (!memory.Ok()) return 1;
  SendMessageA(c, LVM_ENSUREVISIBLE, static_cast<WPARAM>(std::atoi(row)), FALSE);
  RECT r{LVIR_LABEL, 0, 0, 0};
  memory.Write(0, &r, sizeof r);
  if (!SendMessageA(c, LVM_GETITEMRECT, static_cast<WPARAM>(std::atoi(row)),
                    reinterpret_cast<LPARAM>(memory.At(0)))) {
    return NotFound();
  }
  memory.Read(0, &r, sizeof r);
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(c, &p);
  Activate(GetAncestor(c, GA_ROOT));
  SetCursorPos(p.x, p.y);
  SendClicks(twice ? 2 : 1);
  std::printf("clicked\n");
  return 0;
}

// owner CAPTION: the caption of the window's owner.
int Owner(const char* caption) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  HWND owner = GetWindow(top, GW_OWNER);
  char text[256] = "";
  if (owner != nullptr) GetWindowTextA(owner, text, sizeof text);
  std::printf("owner caption=%s\n", OneLine(text).c_str());
  return 0;
}

// ping CAPTION MS: asks the window something every millisecond for MS
// milliseconds; the longest it took to answer, in milliseconds.
int Ping(const char* caption, const char* ms) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  LARGE_INTEGER frequency{}, start{}, now{};
  QueryPerformanceFrequency(&frequency);
  auto elapsed = [&] {
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };
  QueryPerformanceCounter(&start);
  double longest = 0;
  int polls = 0;
  while (elapsed() < std::atof(ms)) {
    const double asked = elapsed();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    longest = std::max(longest, elapsed() - asked);
    ++polls;
    Sleep(1);
  }
  std::printf("pinged longest=%.1f polls=%d\n", longest, polls);
  return 0;
}

// clickwatch CAPTION BUTTON LIST STATUS BUSY MS [EVERY]: empties the status
// text, clicks a button, then watches the window until its status text is
// back and does not begin with BUSY (at most MS milliseconds), asking it
// something every EVERY milliseconds (1 unless given): when the list first
// had rows, when the status settled, and the longest the window took to
// answer, in milliseconds.  Each question wakes the window's thread and
// Wine's server, so asking every millisecond measures the answers finely
// but slows what it watches; asking seldom times the work more truly.
int ClickWatch(const char* caption, const char* button, const char* list, const char* status,
               const char* busy, const char* ms, const char* every) {
  HWND top = TopWindow(caption);
  HWND b = Control(caption, button);
  HWND l = Control(caption, list);
  HWND s = Control(caption, status);
  if (top == nullptr || b == nullptr || l == nullptr || s == nullptr) return NotFound();
  LARGE_INTEGER frequency{}, start{}, now{};
  QueryPerformanceFrequency(&frequency);
  auto elapsed = [&] {
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };
  SendMessageA(s, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  QueryPerformanceCounter(&start);
  PostMessageA(b, BM_CLICK, 0, 0);
  double firstRow = -1, longest = 0;
  int polls = 0;
  std::string text;
  const double limit = std::atof(ms);
  const DWORD pause = every != nullptr ? static_cast<DWORD>(std::atoi(every)) : 1;
  while (elapsed() < limit) {
    const double asked = elapsed();
    text = TextOf(s);
    longest = std::max(longest, elapsed() - asked);
    ++polls;
    // Rows count once the window has begun this search (its status is back).
    DWORD_PTR rows = 0;
    if (!text.empty()) SendMessageTimeoutA(l, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &rows);
    if (rows > 0 && firstRow < 0) firstRow = elapsed();
    if (!text.empty() && text.compare(0, std::strlen(busy), busy) != 0) break;
    Sleep(pause);
  }
  std::printf("watched firstrow=%.1f done=%.1f longest=%.1f polls=%d status=%s\n", firstRow,
              elapsed(), longest, polls, OneLine(text).c_str());
  return 0;
}

// settext CAPTION ID TEXT: types a whole new text into an edit.
int SetText(const char* caption, const char* id, const char* text) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  SendMessageA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  std::printf("set\n");
  return 0;
}

// A function of one of the hook libraries built beside the robot, loaded
// once and kept loaded, so that the hooks it sets stay in; null when the
// library or the function is missing.
template <typename Function>
Function* ExportOf(const char* library, const char* name) {
  const HMODULE dll = LoadLibraryA(corvane::BesideThisProgram(library).c_str());
  return reinterpret_cast<Function*>(
      reinterpret_cast<void*>(dll != nullptr ? GetProcAddress(dll, name) : nullptr));
}

// One line of an edit or rich edit (its first 1,000 characters), read in
// the control's own thread by control_reader.dll: an EM_GETLINE sent from here
// would be answered with a buffer of much of the text (see that library).
std::string LineOf(HWND c, LRESULT line) {
  static auto* readLine =
      ExportOf<LONG __cdecl(HWND, WPARAM, char*)>("control_reader.dll", "ReadControlLine");
  char buffer[1001] = "";
  const LONG copied = readLine != nullptr ? readLine(c, static_cast<WPARAM>(line), buffer) : -1;
  return OneLine(std::string(buffer, copied > 0 ? static_cast<size_t>(copied) : 0));
}

// How DrawText lays out a control's text as the control draws it, the part
// of its client area the text may take, and the width of a box beside it at
// 96 dots per inch; false for a control that shows no text of its own
// (icons, group boxes, edits, lists...).
bool TextLayout(HWND c, UINT* format, RECT* room, int* box) {
  const std::string cls = Upper(ClassOf(c));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE));
  GetClientRect(c, room);
  *box = 0;
  if (cls == "STATIC") {
    const DWORD type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
      return false;
    *format = (type == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK) | DT_EXPANDTABS |
              ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0);
    return true;
  }
  if (cls != "BUTTON") return false;
  *format = DT_SINGLELINE;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      // Inside the button's raised edge.
      InflateRect(room, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
      return true;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      // The box, 13 pixels, and a gap of 4.
      *box = 17;
      return true;
    default:
      return false;
  }
}

BOOL CALLBACK PrintTextFit(HWND child, LPARAM param) {
  static auto* measure = ExportOf<BOOL __cdecl(HWND, LONG, UINT, SIZE*, LONG*)>(
      "control_reader.dll", "MeasureControlText");
  UINT format = 0;
  RECT room{};
  int box = 0;
  if (GetParent(child) != reinterpret_cast<HWND>(param) || !IsWindowVisible(child) ||
      !TextLayout(child, &format, &room, &box) || TextOf(child).empty()) {
    return TRUE;
  }
  SIZE need{};
  LONG dpi = 0;
  if (measure == nullptr || !measure(child, room.right - room.left, format, &need, &dpi)) {
    std::printf("error no-reader\n");
    return FALSE;
  }
  room.left += MulDiv(box, dpi, 96);
  std::printf("textfit id=%d class=%s dpi=%ld need=%ld,%ld room=%ld,%ld text=%s\n",
              GetDlgCtrlID(child), ClassOf(child).c_str(), dpi, need.cx, need.cy,
              room.right - room.left, room.bottom - room.top, OneLine(TextOf(child)).c_str());
  return TRUE;
}

// textfit CAPTION: for each visible label, button and check box of the
// window, the size its text takes in its own font and the room it has.
int TextFit(const char* caption) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  EnumChildWindows(top, PrintTextFit, reinterpret_cast<LPARAM>(top));
  return 0;
}

// topline CAPTION ID: which line of an edit or rich edit is at the top of
// its sight and that line's text, how many lines and characters (a line end
// counted once) there are.  Never WM_GETTEXTLENGTH: Wine answers it across
// processes by fetching the whole text.  The count is asked first: a view
// that loads behind its sight only ever grows between the questions.
int TopLine(const char* caption, const char* id) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  const LRESULT lines = SendMessageA(c, EM_GETLINECOUNT, 0, 0);
  const LRESULT lastStart = SendMessageA(c, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0);
  const LRESULT characters =
      lastStart + SendMessageA(c, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0);
  const LRESULT line = SendMessageA(c, EM_GETFIRSTVISIBLELINE, 0, 0);
  std::printf("topline index=%d lines=%d characters=%d text=%s\n", static_cast<int>(line),
              static_cast<int>(lines), static_cast<int>(characters), LineOf(c, line).c_str());
  return 0;
}

// lastline CAPTION ID: the text of the last line that holds any.
int LastLine(const char* caption, const char* id) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  std::string text;
  for (LRESULT line = SendMessageA(c, EM_GETLINECOUNT, 0, 0) - 1; line >= 0 && text.empty();
       --line) {
    text = LineOf(c, line);
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, "\\r") == 0)
      text.resize(text.size() - 2);
  }
  std::printf("lastline text=%s\n", text.c_str());
  return 0;
}

// vscroll CAPTION ID CODE [COUNT]: COUNT scroll bar actions (SB_LINEUP 0,
// SB_PAGEUP 2, SB_TOP 6, SB_BOTTOM 7, ...), as clicks on the bar send them.
int VScroll(const char* caption, const char* id, const char* code, const char* count) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  const int times = count ? std::atoi(count) : 1;
  for (int i = 0; i < times; ++i) SendMessageA(c, WM_VSCROLL, MAKEWPARAM(std::atoi(code), 0), 0);
  std::printf("scrolled\n");
  return 0;
}

// trackbar CAPTION ID POS: drags the slider's thumb to POS.
int Trackbar(const char* caption, const char* id, const char* position) {
  HWND c = Control(caption, id);
  if (c == nullptr) return NotFound();
  const int pos = std::atoi(position);
  SendMessageA(c, TBM_SETPOS, TRUE, pos);
  const UINT scroll = (GetWindowLongA(c, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
  PostMessageA(GetParent(c), scroll, MAKEWPARAM(TB_THUMBPOSITION, pos),
               reinterpret_cast<LPARAM>(c));
  PostMessageA(GetParent(c), scroll, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(c));
  std::printf("moved\n");
  return 0;
}

// key CAPTION ID VK: a key press on the control (ID 0: on the window).
int Key(const char* caption, const char* id, const char* key) {
  HWND c = std::atoi(id) == 0 ? TopWindow(caption) : Control(caption, id);
  if (c == nullptr) return NotFound();
  const WPARAM vk = static_cast<WPARAM>(std::atoi(key));
  PostMessageA(c, WM_KEYDOWN, vk, 1);
  PostMessageA(c, WM_KEYUP, vk, 0xC0000001);
  std::printf("keyed\n");
  return 0;
}

// move CAPTION X Y W H: places the window as a user dragging it would.
int Move(const char* caption, const char* x, const char* y, const char* w, const char* h) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  SetWindowPos(top, nullptr, std::atoi(x), std::atoi(y), std::atoi(w), std::atoi(h),
               SWP_NOZORDER | SWP_NOACTIVATE);
  std::printf("moved\n");
  return 0;
}

// sys CAPTION SC: a title-bar command (minimize, maximize, restore, close).
int Sys(const char* caption, const char* command) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  PostMessageA(top, WM_SYSCOMMAND, static_cast<WPARAM>(std::atoi(command)), 0);
  std::printf("posted\n");
  return 0;
}

// alpha CLASS: each top-level window of the class and its translucency.
int Alpha(const char* cls) {
  const std::vector<HWND> windows = TopLevel(cls, nullptr);
  for (HWND w : windows) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    BYTE alpha = 255;
    DWORD flags = 0;
    const bool layered = (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (!layered || !GetLayeredWindowAttributes(w, nullptr, &alpha, &flags)) alpha = 255;
    std::printf("alpha hwnd=0x%lx pid=%lu layered=%d value=%u\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(w)),
                static_cast<unsigned long>(pid), layered ? 1 : 0, static_cast<unsigned>(alpha));
  }
  return windows.empty() ? 1 : 0;
}

// redraw CAPTION: the whole window and its controls drawn afresh, as the
// picture to hold what the screen showed against.
int Redraw(const char* caption) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  std::printf("redrawn\n");
  return 0;
}

BOOL CALLBACK FindUpdateRegion(HWND child, LPARAM pending) {
  if (GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(pending) = true;
  return TRUE;
}

// idle CAPTION: waits (up to 10 s) until the window and its controls have
// nothing left to paint and its thread has finished what it was doing.
int Idle(const char* caption) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  const DWORD start = GetTickCount();
  bool pending = true;
  while (pending && GetTickCount() - start < 10000) {
    pending = GetUpdateRect(top, nullptr, FALSE) != FALSE;
    EnumChildWindows(top, FindUpdateRegion, reinterpret_cast<LPARAM>(&pending));
    if (pending) Sleep(20);
  }
  DWORD_PTR ignored = 0;
  const bool answered = SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
  std::printf(pending || !answered ? "busy\n" : "idle\n");
  return pending || !answered ? 1 : 0;
}

// Whether the process has the hook library loaded, and with it the library's
// shared settings record.
bool HoldsHookLibrary(DWORD pid) {
  HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  if (modules == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  for (BOOL more = Module32First(modules, &module); more && !found;
       more = Module32Next(modules, &module)) {
    found = lstrcmpiA(module.szModule, "Corvane.dll") == 0;
  }
  CloseHandle(modules);
  return found;
}

// processes: every process of the prefix, as Wine lists them.
int Processes() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) {
    std::printf("error code=%lu\n", static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    std::printf("process pid=%lu self=%d library=%d name=%s\n",
                static_cast<unsigned long>(entry.th32ProcessID),
                entry.th32ProcessID == GetCurrentProcessId() ? 1 : 0,
                HoldsHookLibrary(entry.th32ProcessID) ? 1 : 0, entry.szExeFile);
  }
  CloseHandle(snapshot);
  return 0;
}

// kill PID: ends a process as Task Manager does and waits for it to be
// gone, so that a process list read next no longer holds it.
int Kill(const char* pid) {
  HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, std::strtoul(pid, nullptr, 10));
  if (p == nullptr) return NotFound();
  const bool ended = TerminateProcess(p, 1) && WaitForSingleObject(p, 10000) == WAIT_OBJECT_0;
  CloseHandle(p);
  std::printf(ended ? "killed\n" : "error running\n");
  return ended ? 0 : 1;
}

// The harness's registry chores at each end of a test.  reg.exe would be
// two Windows programs each time (Wine starts it through start.exe).  Keys
// are written "HKCU\..." or "HKLM\..."; texts come as UTF-8.
std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                  &wide[0], static_cast<int>(wide.size())));
  return wide;
}

// The root key of `path`, which is left holding the path below it.
HKEY RootOf(std::string& path) {
  const size_t cut = path.find('\\');
  const std::string root = path.substr(0, cut);
  path = cut == std::string::npos ? "" : path.substr(cut + 1);
  if (root == "HKCU") return HKEY_CURRENT_USER;
  if (root == "HKLM") return HKEY_LOCAL_MACHINE;
  return nullptr;
}

int RegistryAnswer(LSTATUS status) {
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
    std::printf("done\n");
    return 0;
  }
  std::printf("error code=%ld\n", static_cast<long>(status));
  return 1;
}

// regdelete KEY: deletes the key and all below it; one not there is fine.
int RegDelete(const char* key) {
  std::string path = key;
  const HKEY root = RootOf(path);
  if (root == nullptr) return NotFound();
  return RegistryAnswer(SHDeleteKeyW(root, Wide(path).c_str()));
}

// regset KEY NAME sz|dword|none [DATA]: sets a value (NAME "" is the key's
// default value), or deletes it with none.
int RegSet(const char* key, const char* name, const std::string& kind, const char* data) {
  std::string path = key;
  const HKEY root = RootOf(path);
  if (root == nullptr) return NotFound();
  HKEY opened = nullptr;
  LSTATUS status =
      kind == "none"
          ? RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_SET_VALUE, &opened)
          : RegCreateKeyExW(root, Wide(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &opened, nullptr);
  if (status != ERROR_SUCCESS) return RegistryAnswer(status);
  const std::wstring value = Wide(name);
  if (kind == "none") {
    status = RegDeleteValueW(opened, value.c_str());
  } else if (kind == "dword") {
    const DWORD number = std::strtoul(data != nullptr ? data : "", nullptr, 10);
    status = RegSetValueExW(opened, value.c_str(), 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&number), sizeof number);
  } else {
    const std::wstring text = Wide(data != nullptr ? data : "");
    status = RegSetValueExW(opened, value.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(opened);
  return RegistryAnswer(status);
}

// countpaints CAPTION: from now on counts the erase and paint messages of
// every window of the window's thread.
int CountPaints(const char* caption) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  static auto* start = ExportOf<BOOL __cdecl(DWORD)>("paint_counter.dll", "StartCountingPaints");
  if (start == nullptr || !start(GetWindowThreadProcessId(top, nullptr))) {
    std::printf("error no-counter\n");
    return 1;
  }
  std::printf("counting\n");
  return 0;
}

BOOL CALLBACK PrintPaints(HWND child, LPARAM) {
  static auto* paintsOf =
      ExportOf<void __cdecl(HWND, LONG*, LONG*)>("paint_counter.dll", "PaintsOf");
  LONG erases = 0, paints = 0;
  if (paintsOf != nullptr) paintsOf(child, &erases, &paints);
  std::printf("paints id=%d class=%s erase=%ld paint=%ld\n", GetDlgCtrlID(child),
              ClassOf(child).c_str(), erases, paints);
  return TRUE;
}

// paints CAPTION: what each control of the window received since countpaints.
int Paints(const char* caption) {
  HWND top = TopWindow(caption);
  if (top == nullptr) return NotFound();
  EnumChildWindows(top, PrintPaints, 0);
  return 0;
}

// The processes `spawn` started; their handles stay open so that their
// exit codes can be read after they ended.
std::vector<PROCESS_INFORMATION>& Spawned() {
  static std::vector<PROCESS_INFORMATION> processes;
  return processes;
}

// spawn [PROGRAM], then one line: starts a program with exactly that line
// as its command line (quotes and all, as the shell would pass it), which no
// argument list given to wine can produce.  PROGRAM names the executable
// when the line's first word cannot (an unquoted path with blanks).
// spawnbare does the same but gives the program no standard handles at
// all, as the shell starts a program without a console.
int Spawn(const char* program, bool bare = false) {
  std::string line;
  int c;
  while ((c = std::getchar()) != EOF && c != '\n') line += static_cast<char>(c);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::vector<char> command(line.begin(), line.end());
  command.push_back('\0');
  // The program's output must not mix with the robot's answers.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = bare ? nullptr : nul;
  PROCESS_INFORMATION process{};
  const auto create = [&] {
    return CreateProcessA(program, command.data(), nullptr, nullptr, !bare,
                          bare ? DETACHED_PROCESS : 0, nullptr, nullptr, &startup, &process);
  };
  // Under a full test run Wine now and then loses a new process before its
  // first instruction (ERROR_INTERNAL_ERROR): nothing of it ran, so it is
  // started once more.
  const BOOL started = create() || (GetLastError() == ERROR_INTERNAL_ERROR && create());
  CloseHandle(nul);
  if (!started) {
    std::printf("error code=%lu\n", static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  CloseHandle(process.hThread);
  Spawned().push_back(process);
  std::printf("spawned pid=%lu\n", static_cast<unsigned long>(process.dwProcessId));
  return 0;
}

// exited PID MS: waits up to MS milliseconds for a spawned process to end
// and gives its exit code.
int Exited(const char* pid, const char* ms) {
  HANDLE p = nullptr;
  for (const PROCESS_INFORMATION& process : Spawned()) {
    if (process.dwProcessId == std::strtoul(pid, nullptr, 10)) p = process.hProcess;
  }
  if (p == nullptr) return NotFound();
  DWORD code = 0;
  const bool ended = WaitForSingleObject(p, static_cast<DWORD>(std::atoi(ms))) == WAIT_OBJECT_0;
  if (!ended) {
    std::printf("running\n");
    return 1;
  }
  GetExitCodeProcess(p, &code);
  std::printf("exited code=%lu\n", static_cast<unsigned long>(code));
  return 0;
}

// holdfile PATH SHARING: another program reading a file.  Opens it for
// reading, sharing it for reading and writing ("rw", as many editors and
// backup tools do), also for deleting ("rwd", as the viewer does) or not at
// all ("none", as backup programs and virus scanners may), prints
// "holding", and keeps it open until stdin closes.
int HoldFile(const char* path, const char* sharing) {
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (std::strcmp(sharing, "rwd") == 0) share |= FILE_SHARE_DELETE;
  if (std::strcmp(sharing, "none") == 0) share = 0;
  HANDLE file = CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("error open=%lu\n", GetLastError());
    return 1;
  }
  std::printf("holding\n");
  std::fflush(stdout);
  char line[16];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
  }
  CloseHandle(file);
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
  HMODULE dll = LoadLibraryA(corvane::BesideThisProgram("Corvane.dll").c_str());
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

int Dispatch(const std::vector<std::string>& args);

// Splits a command line into words; "double quotes" keep blanks.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() &&
           (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n'))
      ++i;
    if (i >= line.size()) break;
    std::string word;
    if (line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      const size_t end = close == std::string::npos ? line.size() : close;
      word = line.substr(i + 1, end - i - 1);
      i = end + 1;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
             line[i] != '\n')
        word += line[i++];
    }
    words.push_back(word);
  }
  return words;
}

// serve: one command per stdin line, each answer closed by a line ".", so a
// test keeps one robot for a whole session instead of starting one per step.
int Serve() {
  std::string line;
  int c;
  while ((c = std::getchar()) != EOF) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    std::vector<std::string> args{"robot"};
    for (const std::string& w : Words(line)) args.push_back(w);
    line.clear();
    if (args.size() > 1) Dispatch(args);
    std::printf(".\n");
    std::fflush(stdout);
  }
  return 0;
}

int Dispatch(const std::vector<std::string>& args) {
  const size_t n = args.size();
  auto a = [&](size_t i) { return i < n ? args[i].c_str() : nullptr; };
  const std::string command = n > 1 ? args[1] : "";
  if (command == "dialogs") return ListDialogs(a(2));
  if (command == "press" && n > 3) return Press(a(2), a(3));
  if (command == "close" && n > 2) return Close(a(2));
  if (command == "command" && n > 3) return Command(WM_COMMAND, a(2), a(3));
  if (command == "syscommand" && n > 3) return Command(WM_SYSCOMMAND, a(2), a(3));
  if (command == "settings") return Settings(false, nullptr);
  if (command == "hold" && n > 2) return Settings(true, a(2));
  if (command == "holdfile" && n > 3) return HoldFile(a(2), a(3));
  if (command == "controls" && n > 2) return Controls(a(2));
  if (command == "window" && n > 2) return Window(a(2));
  if (command == "click" && n > 3) return Click(a(2), a(3));
  if (command == "select" && n > 4) return Select(a(2), a(3), a(4));
  if (command == "items" && n > 3) return Items(a(2), a(3));
  if (command == "text" && n > 3) return Text(a(2), a(3));
  if (command == "settext" && n > 4) return SetText(a(2), a(3), a(4));
  if (command == "topline" && n > 3) return TopLine(a(2), a(3));
  if (command == "lastline" && n > 3) return LastLine(a(2), a(3));
  if (command == "textfit" && n > 2) return TextFit(a(2));
  if (command == "vscroll" && n > 4) return VScroll(a(2), a(3), a(4), a(5));
  if (command == "trackbar" && n > 4) return Trackbar(a(2), a(3), a(4));
  if (command == "key" && n > 4) return Key(a(2), a(3), a(4));
  if (command == "move" && n > 6) return Move(a(2), a(3), a(4), a(5), a(6));
  if (command == "sys" && n > 3) return Sys(a(2), a(3));
  if (command == "alpha" && n > 2) return Alpha(a(2));
  if (command == "rows" && n > 3) return Rows(a(2), a(3), a(4), a(5));
  if (command == "keys" && n > 3) return Keys(a(2), a(3));
  if (command == "clickrow" && n > 4)
    return ClickRow(a(2), a(3), a(4), n > 5 && args[5] == "double");
  if (command == "owner" && n > 2) return Owner(a(2));
  if (command == "ping" && n > 3) return Ping(a(2), a(3));
  if (command == "clickwatch" && n > 7)
    return ClickWatch(a(2), a(3), a(4), a(5), a(6), a(7), n > 8 ? a(8) : nullptr);
  if (command == "spawn") return Spawn(a(2));
  if (command == "spawnbare") return Spawn(a(2), true);
  if (command == "exited" && n > 3) return Exited(a(2), a(3));
  if (command == "redraw" && n > 2) return Redraw(a(2));
  if (command == "idle" && n > 2) return Idle(a(2));
  if (command == "processes") return Processes();
  if (command == "kill" && n > 2) return Kill(a(2));
  if (command == "regdelete" && n > 2) return RegDelete(a(2));
  if (command == "regset" && n > 4) return RegSet(a(2), a(3), args[4], a(5));
  if (command == "countpaints" && n > 2) return CountPaints(a(2));
  if (command == "paints" && n > 2) return Paints(a(2));
  if (command == "serve") return Serve();
  std::printf(
      "usage: robot dialogs [CAPTION] | press CAPTION BUTTON | close CLASS |"
      " command CLASS ID | syscommand CLASS ID | settings | hold CURDIR | holdfile PATH "
      "rw|rwd|none |"
      " controls CAPTION | window CAPTION | click CAPTION ID | select CAPTION ID INDEX |"
      " items CAPTION ID | text CAPTION ID | settext CAPTION ID TEXT | topline CAPTION ID |"
      " lastline CAPTION ID | textfit CAPTION |"
      " vscroll CAPTION ID CODE [COUNT] |"
      " trackbar CAPTION ID POS | key CAPTION ID VK | move CAPTION X Y W H |"
      " sys CAPTION SC | alpha CLASS | redraw CAPTION | idle CAPTION | processes | countpaints "
      "CAPTION | paints CAPTION | rows CAPTION ID [FIRST [COUNT]] | keys CAPTION COMBO |"
      " clickrow CAPTION ID ROW [double] | owner CAPTION |"
      " ping CAPTION MS | clickwatch CAPTION BUTTON LIST STATUS BUSY MS [EVERY] | spawn [PROGRAM] "
      "(then the command line) | exited PID MS | regdelete KEY | regset KEY NAME sz|dword|none [DATA] |"
      " serve\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  return Dispatch(std::vector<std::string>(argv, argv + argc));
}
