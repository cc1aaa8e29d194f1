// Modal and modeless dialogs from the executable's dialog templates, with
// their messages handed to virtual functions of a C++ object.  CDialog is
// our own small stand-in for the dialog framework's class of that name,
// which this toolchain lacks; it keeps the name the viewer's design uses.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace corvane {

class CDialog {
 public:
  explicit CDialog(int templateId, HWND parent = nullptr);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog from the template in the executable's resources; the
  // value given to EndDialog, or -1 when the dialog could not be created.
  INT_PTR DoModal();

  // Creates the dialog from its template as a modeless window owned by
  // `owner` (shown if its template says so); false when it could not be
  // created.  The framework's modal loops give it its dialog keys (Tab,
  // Enter, Escape); EndDialog destroys it.
  bool Create(HWND owner);

  // A modeless dialog's Open: creates it owned by `owner` when it is not
  // there, restores or shows it, and brings it to the front; false when it
  // could not be created.
  bool ShowModeless(HWND owner);

  // Null before the window exists and after it is destroyed.
  HWND GetSafeHwnd() const { return hwnd_; }
  HWND GetDlgItem(int id) const;
  // Modal: ends the loop with result.  Modeless: destroys the window.
  void EndDialog(INT_PTR result);
  // Sends to every child, grandchild and deeper descendant.
  void SendMessageToDescendants(UINT msg, WPARAM wParam, LPARAM lParam) const;

 protected:
  // Every message of the dialog window comes here first, from the window's
  // creation on (WM_MOVE and WM_SIZE arrive before WM_INITDIALOG).  Return
  // the message's result when handled; nullopt leaves it to the dialog's
  // default processing.  Overrides handle their own messages and pass the
  // rest to their base class's WindowProc.  This one routes WM_INITDIALOG,
  // WM_COMMAND and WM_NOTIFY to the handlers below.
  virtual std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // A message the framework's modal loop of this dialog is about to
  // dispatch, for keys that mean something anywhere in its windows (an
  // accelerator); true when handled, and then it is not dispatched.  This
  // one handles nothing.
  virtual bool PreTranslateMessage(const MSG& msg);

  // Default processing of the message being handled, for handlers that act
  // before or after it; its result is what they return.
  LRESULT Default();

  // True: the system puts the focus on the first control; false: the
  // handler has set the focus itself.
  virtual BOOL OnInitDialog();
  virtual void OnOK();      // IDOK, also Enter: ends the dialog with IDOK
  virtual void OnCancel();  // IDCANCEL, also Escape and WM_CLOSE: IDCANCEL
  // True when handled.  This one sends IDOK and IDCANCEL to OnOK/OnCancel.
  virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
  // Result when handled; nullopt: not handled.
  virtual std::optional<LRESULT> OnNotify(WPARAM wParam, LPARAM lParam);

 private:
  struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };
  static LRESULT CALLBACK FrameworkWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
  HWND CreateFromTemplate(HWND owner);
  void Attach(HWND hwnd);
  LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void RunModalLoop();

  int templateId_;
  HWND parent_;
  HWND hwnd_ = nullptr;
  WNDPROC defaultProc_ = nullptr;
  const Message* current_ = nullptr;
  bool inModalLoop_ = false;
  bool modeless_ = false;
  INT_PTR modalResult_ = -1;
};

// Sends msg to every descendant of parent, at all depths.
void SendMessageToDescendants(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

// The whole window text of a control.
std::string ControlText(HWND control);

// Seconds from a QueryPerformanceCounter reading until now, as the windows
// tell how long their work took.
double SecondsSince(const LARGE_INTEGER& start);

}  // namespace corvane
