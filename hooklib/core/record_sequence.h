// A record that its writers publish whole and its readers copy without ever
// waiting: a count beside the record says whether it stands still.  Odd:
// the record is whole.  Even: a writer is at work (or was killed at work,
// or the record was never filled: 0).  A reader copies the record between
// two readings of the count and keeps the copy only when both are the same
// odd number; it tries a bounded number of times and then gives up, so a
// writer that never finishes blocks nobody.  Writers take turns among
// themselves (the caller sees to that); a writer finds the count even only
// after one was killed, and its publication makes the record whole again.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace corvane {

inline constexpr int kSequencedReadTries = 64;

// Copies the `size` bytes of `record` into `copy`; false when no whole
// record could be had in kSequencedReadTries tries (`copy` is then
// scratch).
bool ReadSequenced(const std::atomic<std::uint32_t>& count, const void* record, void* copy,
                   std::size_t size);

// Puts the `size` bytes of `update` into `record`, which no reader takes
// for whole until all of them are there.
void PublishSequenced(std::atomic<std::uint32_t>& count, void* record, const void* update,
                      std::size_t size);

}  // namespace corvane
