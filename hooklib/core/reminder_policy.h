// CheckVersion: how often the library looks for a newer version, and the
// reminder lists that choose it.  The preferences dialog ("all versions.",
// "next version.", "never.") and the upgrade dialog ("later.",
// "next version.", "never.") list the three policies in this order.
#pragma once

namespace corvane {

// Look once a day and show every newer version.
inline constexpr int kRemindEveryVersion = 0;
// Look once a day but show each newer version only once.
inline constexpr int kRemindNextVersion = 1;
// Never look unless asked.
inline constexpr int kRemindNever = -1;

// Any stored value that is not a known policy shows as "never.".
int ReminderIndexFromCheckVersion(int checkVersion);
// Index 2, no selection (-1) and anything out of range mean never.
int CheckVersionFromReminderIndex(int index);

// The upgrade dialog's "Remind me again" list, in its order; the first is
// selected when it opens.
inline constexpr const char* kReminderChoices[] = {"later.", "next version.", "never."};

}  // namespace corvane
