#include "viewer/framework/list_controls.h"

#include <vector>

#include "viewer/framework/dialog.h"

namespace corvane {
namespace {

int Send(HWND control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return static_cast<int>(SendMessageA(control, msg, wParam, lParam));
}

LPARAM TextParam(const char* text) { return reinterpret_cast<LPARAM>(text); }

// An entry's text, read into a buffer of the length the control reports.
std::string ItemText(HWND control, UINT lengthMsg, UINT textMsg, int error, int index) {
  const int length = Send(control, lengthMsg, static_cast<WPARAM>(index));
  if (length == error || length < 0) {
    return std::string();
  }
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  const int copied =
      Send(control, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  if (copied == error || copied < 0) {
    return std::string();
  }
  return std::string(text.data());
}

}  // namespace

void CComboBox::AttachDlgItem(const CDialog& dialog, int id) { hwnd_ = dialog.GetDlgItem(id); }
void CComboBox::ResetContent() { Send(hwnd_, CB_RESETCONTENT); }
int CComboBox::AddString(const char* text) { return Send(hwnd_, CB_ADDSTRING, 0, TextParam(text)); }
int CComboBox::GetCount() const { return Send(hwnd_, CB_GETCOUNT); }
int CComboBox::GetCurSel() const { return Send(hwnd_, CB_GETCURSEL); }
int CComboBox::SetCurSel(int index) {
  return Send(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index));
}
int CComboBox::SelectString(int start, const char* text) {
  return Send(hwnd_, CB_SELECTSTRING, static_cast<WPARAM>(start), TextParam(text));
}
int CComboBox::FindStringExact(int start, const char* text) const {
  return Send(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), TextParam(text));
}
std::string CComboBox::GetLBText(int index) const {
  return ItemText(hwnd_, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ERR, index);
}

void CListBox::AttachDlgItem(const CDialog& dialog, int id) { hwnd_ = dialog.GetDlgItem(id); }
void CListBox::ResetContent() { Send(hwnd_, LB_RESETCONTENT); }
int CListBox::AddString(const char* text) { return Send(hwnd_, LB_ADDSTRING, 0, TextParam(text)); }
int CListBox::GetCount() const { return Send(hwnd_, LB_GETCOUNT); }
int CListBox::GetCurSel() const { return Send(hwnd_, LB_GETCURSEL); }
int CListBox::SetCurSel(int index) { return Send(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index)); }
int CListBox::SelectString(int start, const char* text) {
  return Send(hwnd_, LB_SELECTSTRING, static_cast<WPARAM>(start), TextParam(text));
}
int CListBox::FindStringExact(int start, const char* text) const {
  return Send(hwnd_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), TextParam(text));
}
std::string CListBox::GetText(int index) const {
  return ItemText(hwnd_, LB_GETTEXTLEN, LB_GETTEXT, LB_ERR, index);
}

}  // namespace corvane
