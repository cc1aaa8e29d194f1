// Thin wrappers around a dialog's combo boxes and list boxes.  Indexes and
// error values are the controls' own (CB_ERR and LB_ERR are -1).
// CComboBox and CListBox are our own small stand-ins for the dialog
// framework's classes, under the names the viewer's design uses.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace corvane {

class CDialog;

// Puts `texts` in the order of a sorted list of `locale` (its GetLocale);
// any thread may sort, so that a long list is sorted away from its window.
void SortAsList(LCID locale, std::vector<std::string>& texts);

class CComboBox {
 public:
  void Attach(HWND control) { hwnd_ = control; }
  void AttachDlgItem(const CDialog& dialog, int id);
  HWND GetSafeHwnd() const { return hwnd_; }

  void ResetContent();
  int AddString(const char* text);  // index where a sorted box put it
  // Adds `texts`, in the box's order (SortAsList when it sorts), where
  // AddString would put each, drawn once, much faster into an empty box.
  void AddSortedStrings(const std::vector<std::string>& texts);
  LCID GetLocale() const;
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  // Selects the first entry after start (-1: from the top) that begins with
  // text, ignoring case; its index or CB_ERR.
  int SelectString(int start, const char* text);
  // The first entry after start equal to text, ignoring case, or CB_ERR.
  int FindStringExact(int start, const char* text) const;
  std::string GetLBText(int index) const;  // "" for a bad index

 private:
  HWND hwnd_ = nullptr;
};

class CListBox {
 public:
  void Attach(HWND control) { hwnd_ = control; }
  void AttachDlgItem(const CDialog& dialog, int id);
  HWND GetSafeHwnd() const { return hwnd_; }

  void ResetContent();
  int AddString(const char* text);
  void AddSortedStrings(const std::vector<std::string>& texts);
  LCID GetLocale() const;
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int SelectString(int start, const char* text);
  int FindStringExact(int start, const char* text) const;
  std::string GetText(int index) const;  // "" for a bad index

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace corvane
