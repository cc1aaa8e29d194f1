// Entry point of "Corvane History Viewer.exe" and its application object:
// sets up the controls and the profile, then runs the main dialog; the
// program ends with it.
#include <windows.h>

#include <commctrl.h>

#include "common/code_page_characters.h"
#include "viewer/app/history_viewer_dialog.h"
#include "viewer/app/script_commands.h"
#include "viewer/app/viewer_registry.h"
#include "viewer/framework/win_app.h"
#include "viewer/html/html_view.h"

namespace corvane {
namespace {

constexpr char kPlacementName[] = "Corvane History Viewer";

class CHistoryViewerApp : public CWinApp {
 public:
  bool InitInstance() override;
};

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

namespace {

corvane::CHistoryViewerApp g_theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return g_theApp.Run(); }
