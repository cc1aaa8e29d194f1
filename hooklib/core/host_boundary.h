// Where the library's code is entered from the host: window procedures,
// dialog procedures, the hook procedure and thread procedures.
#pragma once

namespace corvane {

// Runs `work`, which the caller entered from the host, and stops any C++
// exception there.  An exception may not unwind into the host's or the
// system's frames: they cannot pass it on, and the host messenger would be
// ended.  False when `work` threw: it is then given up, and the caller
// undoes what a half-done attempt must not leave behind.
template <typename Work>
bool RunContained(Work&& work) noexcept {
  try {
    work();
    return true;
  } catch (...) {
    // Out of memory in practice (our code throws nothing itself): dropping
    // this one message's work keeps the host running, and the next message
    // finds the library as before.
    return false;
  }
}

}  // namespace corvane
