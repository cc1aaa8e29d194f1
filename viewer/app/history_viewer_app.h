// The History Viewer's application object: sets up the controls and the
// profile, then runs the main dialog; the program ends with it.
#pragma once

#include "viewer/framework/win_app.h"

namespace corvane {

class CHistoryViewerApp : public CWinApp {
 public:
  bool InitInstance() override;
};

}  // namespace corvane
