// The History Viewer's export window, "Corvane History Export": a scope (as
// the search offers it, and the day shown), an optional date range, a
// format and where to save, then the export on a worker thread with its
// progress and Cancel.  Modeless and owned by the viewer, with a placement
// of its own.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "viewer/export/export_worker.h"
#include "viewer/framework/placement_dialog.h"

namespace corvane {

class CHistoryExportDlg : public CPlacementDialog {
 public:
  explicit CHistoryExportDlg(std::string historyFolder);
  ~CHistoryExportDlg() override;

  // Opens the window owned by `owner`, or brings the open one to the front.
  void Open(HWND owner);

  // The viewer's selected user, buddy and date-list text (empty: none), for
  // the scope list.
  void SetViewerSelection(const std::string& user, const std::string& buddy,
                          const std::string& date);

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  struct Scope {
    std::string text;
    HistoryScope scope;
  };

  void FillScopes();
  void OnFormatChange();
  void OnBrowse();
  void OnStart();
  void OnClose();
  std::optional<ExportRequest> RequestFromControls();
  bool MayReplace(const std::string& destination);
  void SetRunning(bool running);
  void OnProgress();
  void ShowOutcome(const ExportOutcome& outcome);
  ExportFormat SelectedFormat() const;

  const std::string historyFolder_;
  std::string viewerUser_;
  std::string viewerBuddy_;
  std::string viewerDate_;
  std::vector<Scope> scopes_;
  int scope_ = 0;
  ExportFormat format_ = ExportFormat::kText;

  std::unique_ptr<ExportWorker> worker_;
  bool html_ = false;  // the running export's format is HTML
  int shownPercent_ = -1;
  DWORD shownAt_ = 0;  // GetTickCount of the last drawing
  LARGE_INTEGER started_{};
};

// "&Export History..." with `exportCommand` and "&Delete Old Days..." with
// `deleteCommand`, put into the window's system menu right after the item
// with `after` (before its Close item when it has no such item): the items
// that open the export window and Delete Old Days.
void AddExportMenuItems(HWND window, UINT after, UINT exportCommand, UINT deleteCommand);

}  // namespace corvane
