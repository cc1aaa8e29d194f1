// Live preview: tells every Buddy List, IM and chat window of every host
// process to re-read the shared settings.  Each send waits until the
// receiver, in whatever process, has handled it.
#pragma once

namespace corvane {

// CMD_RELAYOUT to every top-level Buddy List.
void BroadcastRelayout();
// CMD_APPLY_ALPHA to every Buddy List, then every IM window, then every
// chat window.
void BroadcastApplyAlpha();

}  // namespace corvane
