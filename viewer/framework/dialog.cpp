#include "viewer/framework/dialog.h"

#include <algorithm>
#include <vector>

#include "common/exception_boundary.h"

namespace corvane {
namespace {

// The dialog being created on this thread and the hook that catches its
// window, so that the object sees the window's first messages.
thread_local CDialog* t_creating = nullptr;
thread_local HHOOK t_creationHook = nullptr;

void RemoveCreationHook() {
  if (t_creationHook != nullptr) {
    UnhookWindowsHookEx(t_creationHook);
    t_creationHook = nullptr;
  }
  t_creating = nullptr;
}

// The thread's modeless dialogs, for the modal loops to give their keys to:
// made with the first and freed with the last, as under MinGW a
// thread-local object's destructor runs on storage already freed.
thread_local std::vector<HWND>* t_modeless = nullptr;

bool IsModelessDialogMessage(MSG& msg) {
  if (t_modeless == nullptr) return false;
  const std::vector<HWND> windows = *t_modeless;  // a key may close one
  for (HWND window : windows) {
    if (IsWindow(window) && IsDialogMessageA(window, &msg)) return true;
  }
  return false;
}

// Every message is handled in the window procedure in front of the dialog
// manager; what reaches the dialog procedure gets the default treatment.
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

CDialog::CDialog(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

// A modeless window must not outlive the object its messages go to.
CDialog::~CDialog() {
  if (modeless_ && hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// A modeless dialog with a modal loop of our own rather than the system's
// DialogBox: that one shows the window "normal" when its queue first runs
// empty, which would undo a maximized or minimized state restored during
// start-up.  This loop shows the window only if nothing has shown it yet.
INT_PTR CDialog::DoModal() {
  const bool disableParent = parent_ != nullptr && IsWindowEnabled(parent_);
  if (disableParent) EnableWindow(parent_, FALSE);
  modalResult_ = -1;
  inModalLoop_ = true;
  HWND hwnd = CreateFromTemplate(parent_);
  if (hwnd != nullptr) RunModalLoop();
  inModalLoop_ = false;
  if (disableParent) {
    EnableWindow(parent_, TRUE);
    SetActiveWindow(parent_);
  }
  if (hwnd != nullptr && IsWindow(hwnd)) DestroyWindow(hwnd);
  return hwnd != nullptr ? modalResult_ : -1;
}

bool CDialog::Create(HWND owner) {
  modeless_ = true;
  HWND hwnd = CreateFromTemplate(owner);
  if (hwnd == nullptr) return false;
  if (t_modeless == nullptr) t_modeless = new std::vector<HWND>;
  t_modeless->push_back(hwnd);
  return true;
}

bool CDialog::ShowModeless(HWND owner) {
  if (hwnd_ == nullptr && !Create(owner)) return false;
  if (IsIconic(hwnd_)) {
    ShowWindow(hwnd_, SW_RESTORE);
  } else if (!IsWindowVisible(hwnd_)) {
    ShowWindow(hwnd_, SW_SHOW);
  }
  SetForegroundWindow(hwnd_);
  return true;
}

HWND CDialog::CreateFromTemplate(HWND owner) {
  t_creating = this;
  t_creationHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
  if (t_creationHook == nullptr) {
    t_creating = nullptr;
    return nullptr;
  }
  HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                                 PassiveDialogProc, 0);
  RemoveCreationHook();  // still there when the template could not be loaded
  return hwnd;
}

void CDialog::RunModalLoop() {
  HWND hwnd = hwnd_;
  bool showWhenIdle = (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) == 0;
  MSG msg;
  while (inModalLoop_ && IsWindow(hwnd)) {
    if (showWhenIdle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      ShowWindow(hwnd, SW_SHOWNORMAL);
      UpdateWindow(hwnd);
      showWhenIdle = false;
    }
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside ours
      break;
    }
    if (got == -1) break;
    if (PreTranslateMessage(msg) || IsModelessDialogMessage(msg)) continue;
    if (!IsDialogMessageA(hwnd, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

LRESULT CALLBACK CDialog::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  // The dialog window is the first window the dialog manager creates.
  if (code == HCBT_CREATEWND && t_creating != nullptr) {
    CDialog* dialog = t_creating;
    RemoveCreationHook();
    dialog->Attach(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The object rides in the dialog's own user slot, which the dialog class's
// extra bytes hold from the window's creation on.
void CDialog::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
  defaultProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDialog::FrameworkWindowProc)));
}

LRESULT CALLBACK CDialog::FrameworkWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (dialog == nullptr) {
    return DefDlgProcA(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    if (t_modeless != nullptr) {
      t_modeless->erase(std::remove(t_modeless->begin(), t_modeless->end(), hwnd),
                        t_modeless->end());
      if (t_modeless->empty()) {
        delete t_modeless;
        t_modeless = nullptr;
      }
    }
    const WNDPROC next = dialog->defaultProc_;
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
    dialog->hwnd_ = nullptr;
    return CallWindowProcA(next, hwnd, msg, wParam, lParam);
  }
  return dialog->Dispatch(hwnd, msg, wParam, lParam);
}

LRESULT CDialog::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const Message message{msg, wParam, lParam};
  const Message* outer = current_;
  current_ = &message;
  // A handler that failed leaves the message unanswered.
  const std::optional<LRESULT> result = ResultContained(
      [&] { return WindowProc(msg, wParam, lParam); }, [] { return std::optional<LRESULT>(); });
  current_ = outer;
  if (result) {
    return *result;
  }
  return CallWindowProcA(defaultProc_, hwnd, msg, wParam, lParam);
}

LRESULT CDialog::Default() {
  if (current_ == nullptr || hwnd_ == nullptr) {
    return 0;
  }
  return CallWindowProcA(defaultProc_, hwnd_, current_->msg, current_->wParam, current_->lParam);
}

std::optional<LRESULT> CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) {
        return 0;
      }
      break;
    case WM_NOTIFY:
      return OnNotify(wParam, lParam);
    default:
      break;
  }
  return std::nullopt;
}

BOOL CDialog::OnInitDialog() { return TRUE; }

bool CDialog::PreTranslateMessage(const MSG&) { return false; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != BN_CLICKED) {
    return false;
  }
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

std::optional<LRESULT> CDialog::OnNotify(WPARAM, LPARAM) { return std::nullopt; }

HWND CDialog::GetDlgItem(int id) const { return ::GetDlgItem(hwnd_, id); }

void CDialog::EndDialog(INT_PTR result) {
  if (modeless_) {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    return;
  }
  modalResult_ = result;
  inModalLoop_ = false;
  if (hwnd_ == nullptr) return;
  ShowWindow(hwnd_, SW_HIDE);
  PostMessageA(hwnd_, WM_NULL, 0, 0);  // wakes the loop to see it has ended
}

void CDialog::SendMessageToDescendants(UINT msg, WPARAM wParam, LPARAM lParam) const {
  corvane::SendMessageToDescendants(hwnd_, msg, wParam, lParam);
}

void SendMessageToDescendants(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageA(child, msg, wParam, lParam);
    SendMessageToDescendants(child, msg, wParam, lParam);
  }
}

std::string ControlText(HWND control) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace corvane
