#include "viewer/app/history_viewer_app.h"

#include <commctrl.h>

#include "common/system_code_page.h"
#include "viewer/app/history_viewer_dialog.h"
#include "viewer/app/script_commands.h"
#include "viewer/app/viewer_registry.h"
#include "viewer/html/html_view.h"

namespace corvane {
namespace {

constexpr char kPlacementName[] = "Corvane History Viewer";

// The dialog template holds the HTML view, and the manifest's visual-styles
// controls need the common controls library loaded.
void PrepareControls(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterHtmlViewClass(instance);
}

}  // namespace

bool CHistoryViewerApp::InitInstance() {
  const ScriptCommand command = ParseScriptCommand(GetCommandLineA(), SystemLeadBytes());
  if (command.kind != ScriptCommand::Kind::kNone) {
    SetExitCode(RunScriptCommand(command, ReadLogDirSetting()));
    return false;
  }
  PrepareControls(Instance());
  CHistoryViewerDlg dialog;
  // The profile (the window placement) joins the maker's registry key only
  // where the add-on is installed; elsewhere it stays in the viewer's .ini.
  if (ProductKeyExists()) SetRegistryKey("Halvard");
  dialog.SetApplyPlacement(true);
  dialog.SetPersistPlacement(true);
  dialog.SetPlacementName(kPlacementName);
  dialog.DoModal();
  return false;
}

}  // namespace corvane
