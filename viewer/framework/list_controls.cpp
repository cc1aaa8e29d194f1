#include "viewer/framework/list_controls.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
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

// The messages of one kind of list that AddInOrder sends.
struct ListMessages {
  LONG_PTR sortStyle;
  UINT getCount;
  UINT initStorage;
  UINT addString;
  UINT insertString;
};

constexpr ListMessages kComboBoxMessages{CBS_SORT, CB_GETCOUNT, CB_INITSTORAGE, CB_ADDSTRING,
                                         CB_INSERTSTRING};
constexpr ListMessages kListBoxMessages{LBS_SORT, LB_GETCOUNT, LB_INITSTORAGE, LB_ADDSTRING,
                                        LB_INSERTSTRING};

std::wstring WideOf(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length) - 1);
  return wide;
}

// A sorted list looks for each new entry's place: tens of thousands of
// AddString calls take seconds.  Into an empty list, the texts in the
// list's order appended make the same list in a fraction of that; into a
// list that holds entries, each still finds its place.  Either way the
// list is drawn once, after the last.
void AddInOrder(HWND control, const ListMessages& messages, const std::vector<std::string>& texts) {
  const bool sorted = (GetWindowLongPtrA(control, GWL_STYLE) & messages.sortStyle) != 0;
  Send(control, WM_SETREDRAW, FALSE);
  if (sorted && Send(control, messages.getCount) != 0) {
    for (const std::string& text : texts)
      Send(control, messages.addString, 0, TextParam(text.c_str()));
  } else {
    std::size_t bytes = 0;
    for (const std::string& text : texts) bytes += text.size() + 1;
    Send(control, messages.initStorage, static_cast<WPARAM>(texts.size()),
         static_cast<LPARAM>(bytes));
    for (const std::string& text : texts)
      Send(control, messages.insertString, static_cast<WPARAM>(-1), TextParam(text.c_str()));
  }
  Send(control, WM_SETREDRAW, TRUE);
  InvalidateRect(control, nullptr, TRUE);
}

}  // namespace

// Entries compare as CompareStringW does in the list's locale, ignoring
// case, on the text the ANSI message carries in wide characters.
void SortAsList(LCID locale, std::vector<std::string>& texts) {
  std::vector<std::wstring> wide;
  wide.reserve(texts.size());
  for (const std::string& text : texts) wide.push_back(WideOf(text));
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return CompareStringW(locale, NORM_IGNORECASE, wide[a].c_str(), -1, wide[b].c_str(), -1) ==
           CSTR_LESS_THAN;
  });
  std::vector<std::string> sorted;
  sorted.reserve(texts.size());
  for (std::size_t i : order) sorted.push_back(std::move(texts[i]));
  texts = std::move(sorted);
}

void CComboBox::AttachDlgItem(const CDialog& dialog, int id) { hwnd_ = dialog.GetDlgItem(id); }
void CComboBox::ResetContent() { Send(hwnd_, CB_RESETCONTENT); }
int CComboBox::AddString(const char* text) { return Send(hwnd_, CB_ADDSTRING, 0, TextParam(text)); }
void CComboBox::AddSortedStrings(const std::vector<std::string>& texts) {
  AddInOrder(hwnd_, kComboBoxMessages, texts);
}
LCID CComboBox::GetLocale() const { return static_cast<LCID>(Send(hwnd_, CB_GETLOCALE)); }
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
void CListBox::AddSortedStrings(const std::vector<std::string>& texts) {
  AddInOrder(hwnd_, kListBoxMessages, texts);
}
LCID CListBox::GetLocale() const { return static_cast<LCID>(Send(hwnd_, LB_GETLOCALE)); }
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
