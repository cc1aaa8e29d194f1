// The History Viewer's main dialog: the User, Buddy and date lists over the
// history tree, the HTML view of the selected day, the delete buttons, the
// size total and the live following of the history folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "list_controls.h"
#include "placement_dialog.h"

namespace corvane {

class CHistoryViewerDlg : public CPlacementDialog {
 public:
  // Loads the icon and reads the history folder from the settings.
  CHistoryViewerDlg();

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
  bool OnCommand(WPARAM wparam, LPARAM lparam) override;
  std::optional<LRESULT> OnNotify(WPARAM wparam, LPARAM lparam) override;

 private:
  void BindControls();
  void AnchorControls();
  void OnTimer();
  void OnMinimizedPaint();
  void ShowSizeTotal(WPARAM total_bytes);

  // Browsing the tree (history_viewer_browse.cpp).
  void FillAllLists(const std::string& preferred_user, const std::string& preferred_buddy);
  void FillBuddyList();
  void FillDateList();
  void ShowSelectedHistory();
  void MergeNewEntries();
  void FillUsers();
  void FillBuddiesOfSelectedUser();
  void FillDatesOfSelectedBuddy();
  void SelectNewestDate();
  std::string SelectedUser() const;
  std::string SelectedBuddy() const;
  std::string SelectedDate() const;

  // Deleting (history_viewer_delete.cpp).
  void OnClearAll();
  void OnDeleteUser();
  void OnDeleteBuddy();
  void OnDeleteDate();

  std::string preferred_user_;
  std::string preferred_buddy_;
  int end_key_countdown_ = 0;
  std::string history_folder_;
  CListBox date_list_;
  CComboBox user_list_;
  CComboBox buddy_list_;
  HWND html_view_ = nullptr;
  HICON icon_ = nullptr;
};

}  // namespace corvane
