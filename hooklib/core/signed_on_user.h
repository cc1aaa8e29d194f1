// `ScreenName`: the signed-on user of this process, taken from the Buddy
// List's title.  The Buddy List writes it; conversations name their user
// folder after it and the History commands hand it to the viewer.
#pragma once

#include "common/capacities.h"

namespace corvane {

using ScreenNameText = char[kNameCapacity];

// Empty until a Buddy List shows a signed-on title.
ScreenNameText& ScreenName();

}  // namespace corvane
