// Where our code is entered from code that is not ours: window, dialog,
// hook and thread procedures, in the messenger's process, the launcher and
// the viewer alike.  No C++ exception may unwind into the system's or the
// host's frames: they cannot pass it on, and the process would be ended.
#pragma once

#include <utility>

namespace corvane {

// Runs `work` and gives its result; when it threw, gives `fallback()`
// instead (what the caller's kind of procedure answers for a message it
// dropped).  Out of memory in practice, as our code throws nothing itself:
// dropping this one message's work keeps the program running, and the next
// message finds everything as before.
template <typename Work, typename Fallback>
auto ResultContained(Work&& work, Fallback&& fallback) noexcept -> decltype(work()) {
  try {
    return work();
  } catch (...) {
    // Dropped, as said above; the fallback answers instead.
  }
  return fallback();
}

// Runs `work`; false when it threw: it is then given up, and the caller
// undoes what a half-done attempt must not leave behind.
template <typename Work>
bool RunContained(Work&& work) noexcept {
  return ResultContained(
      [&] {
        std::forward<Work>(work)();
        return true;
      },
      [] { return false; });
}

}  // namespace corvane
