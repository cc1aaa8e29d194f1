#include "viewer/history_tree/history_size_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace corvane {
namespace {

TEST(HistorySizeText, ShowsWholeMebibytesOrLessThanOne) {
  const struct {
    std::uint64_t bytes;
    const char* text;
  } cases[] = {
      {0u, "<1"},
      {1u, "<1"},
      {1048575u, "<1"},
      {1048576u, "1"},
      {2097151u, "1"},
      {2097152u, "2"},
      {3500000u, "3"},
      {104857600u, "100"},
      {0x7FFFFFFFu, "2047"},
      {0x80000000u, "2048"},
      {0xFFFFFFFFu, "4095"},
      {0x100000000u, "4096"},
      {0x123456789ABu, "1193046"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HistorySizeText(c.bytes), c.text) << c.bytes;
  }
}

}  // namespace
}  // namespace corvane
