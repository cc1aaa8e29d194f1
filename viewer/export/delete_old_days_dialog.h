// "Corvane Delete Old Days": a date, the scope as the search offers it, and
// a line that counts what would go before anything goes.  Delete asks once
// more, naming the count and the date, then sends those day files to the
// recycle bin.  The count runs on a thread of its own, anew after each
// change, so that the dialog keeps answering on a large history.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/joined_thread.h"
#include "viewer/days/day_scope.h"
#include "viewer/framework/dialog.h"

namespace corvane {

class CDeleteOldDaysDlg : public CDialog {
 public:
  // The scope list offers the viewer's selected user and buddy (empty: none).
  CDeleteOldDaysDlg(HWND parent, std::string historyFolder, std::string user, std::string buddy);
  ~CDeleteOldDaysDlg() override;

  // Whether a Delete has sent anything to the recycle bin.
  bool DeletedAny() const { return deletedAny_; }
  // The day files that went, for the search index to forget.
  const std::vector<std::string>& DeletedDayFiles() const { return deleted_; }

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

 private:
  struct Count;

  std::optional<CalendarDate> Before() const;
  HistoryScope SelectedScope() const;
  void StartCount();
  void OnCounted();

  const std::string historyFolder_;
  const std::string user_;
  const std::string buddy_;
  std::shared_ptr<Count> count_;  // the running or last count
  JoinedThread counter_;
  bool deletedAny_ = false;
  std::vector<std::string> deleted_;
};

}  // namespace corvane
