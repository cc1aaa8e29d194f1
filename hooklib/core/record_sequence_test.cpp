#include "hooklib/core/record_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

namespace corvane {
namespace {

// Big enough that a copy takes long beside a store of the count.
using Record = std::array<std::uint32_t, 512>;

Record Filled(std::uint32_t value) {
  Record record;
  record.fill(value);
  return record;
}

bool IsWhole(const Record& record) {
  return std::all_of(record.begin(), record.end(), [&](std::uint32_t v) { return v == record[0]; });
}

// Launcher starts once made every reader see the defaults, then the
// registry's values: a reader must see one publication or the next, never a
// mixture, and never go back.
TEST(RecordSequenceTest, ReadersSeeOnlyWholeRecordsWhileAWriterPublishes) {
  std::atomic<std::uint32_t> count{0};
  Record shared{};
  const Record first = Filled(1);
  PublishSequenced(count, &shared, &first, sizeof shared);
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (std::uint32_t n = 2; n < 20000; ++n) {
      const Record next = Filled(n);
      PublishSequenced(count, &shared, &next, sizeof shared);
    }
    done = true;
  });
  std::uint32_t last = 1;
  int whole = 0;
  while (!done) {
    Record copy;
    if (!ReadSequenced(count, &shared, &copy, sizeof copy)) continue;
    ASSERT_TRUE(IsWhole(copy));
    ASSERT_GE(copy[0], last);
    last = copy[0];
    ++whole;
  }
  writer.join();
  EXPECT_GT(whole, 0);
}

TEST(RecordSequenceTest, AWriterKilledHalfWayBlocksNoReaderAndTheNextOneMendsIt) {
  std::atomic<std::uint32_t> count{0};
  Record shared{};
  Record copy = Filled(7);
  EXPECT_FALSE(ReadSequenced(count, &shared, &copy, sizeof copy));  // never filled

  const Record good = Filled(3);
  PublishSequenced(count, &shared, &good, sizeof shared);
  // Killed after its first store and half its copy.
  count.store(count.load() + 1);
  std::fill(shared.begin(), shared.begin() + 100, 4u);
  EXPECT_FALSE(ReadSequenced(count, &shared, &copy, sizeof copy));

  const Record mended = Filled(5);
  PublishSequenced(count, &shared, &mended, sizeof shared);
  ASSERT_TRUE(ReadSequenced(count, &shared, &copy, sizeof copy));
  EXPECT_EQ(copy, mended);
}

}  // namespace
}  // namespace corvane
