// The upgrade dialog's "Remind me again" list and the CheckVersion policy
// that each of its entries stands for.
#pragma once

namespace corvane {

// The list's entries in their order; the first is selected when it opens.
inline constexpr const char* kReminderChoices[] = {"later.", "next version.", "never."};

// CheckVersion for a selection of the list: 0 "later.", 1 "next version.",
// -1 for "never." and for no selection at all.
int CheckVersionForReminderChoice(int selection);

}  // namespace corvane
