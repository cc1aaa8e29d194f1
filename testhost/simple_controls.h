// The host's small painted controls: `_Oscar_IconBtn` (a button that sends
// WM_COMMAND with its id to its parent), `_Oscar_Static`, `_Oscar_Separator`,
// `_Oscar_Tree` (shows its window text, one line per item) and
// `_Oscar_PersistantCombo` (a drop-down look around its `Edit` child).
#pragma once

namespace testhost {

void RegisterSimpleControlClasses();

}  // namespace testhost
