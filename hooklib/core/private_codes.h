#pragma once

// Private system-menu command ids and timer ids the hook adds to host windows.
// Chosen so they never collide with the host's own command and timer ids.

namespace corvane {

inline constexpr unsigned CMD_PREFERENCES = 10;
inline constexpr unsigned CMD_APPLY_ALPHA = 20;
inline constexpr unsigned CMD_RELAYOUT = 30;
inline constexpr unsigned CMD_LAUNCH_CLONE = 40;
inline constexpr unsigned CMD_HISTORY_VIEWER = 57005;

inline constexpr unsigned TIMER_FADE = 77;
inline constexpr unsigned kFadePeriodMs = 50;
inline constexpr unsigned TIMER_LOG_POLL = 9999;
inline constexpr unsigned kLogPollPeriodMs = 1000;

}  // namespace corvane
