#include "hooklib/core/record_sequence.h"

#include <cstring>

namespace corvane {
namespace {

bool Whole(std::uint32_t count) { return count % 2 == 1; }

}  // namespace

bool ReadSequenced(const std::atomic<std::uint32_t>& count, const void* record, void* copy,
                   std::size_t size) {
  for (int tries = 0; tries < kSequencedReadTries; ++tries) {
    const std::uint32_t before = count.load(std::memory_order_acquire);
    if (!Whole(before)) continue;
    std::memcpy(copy, record, size);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (count.load(std::memory_order_relaxed) == before) return true;
  }
  return false;
}

void PublishSequenced(std::atomic<std::uint32_t>& count, void* record, const void* update,
                      std::size_t size) {
  const std::uint32_t found = count.load(std::memory_order_relaxed);
  // Even already (a writer was killed): a step of two still tells a reader
  // that began before that the record moved.
  const std::uint32_t writing = Whole(found) ? found + 1 : found + 2;
  count.store(writing, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  std::memcpy(record, update, size);
  count.store(writing + 1, std::memory_order_release);
}

}  // namespace corvane
