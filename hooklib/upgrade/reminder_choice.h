// The upgrade dialog's "Remind me again" list; its entries stand for the
// CheckVersion policies in hooklib/core/reminder_policy.h, in order.
#pragma once

namespace corvane {

// The list's entries in their order; the first is selected when it opens.
inline constexpr const char* kReminderChoices[] = {"later.", "next version.", "never."};

}  // namespace corvane
