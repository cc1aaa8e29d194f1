// How far each kind of window has faded down in this process: all
// conversation windows share one level, the Buddy List has its own.
#pragma once

#include <windows.h>

namespace corvane {

struct FadeLevels {
  BYTE buddyList = 0;      // the Buddy List's opacity while it fades down
  BYTE conversations = 0;  // shared by all conversation windows while they fade
};

FadeLevels& ProcessFadeLevels();

}  // namespace corvane
