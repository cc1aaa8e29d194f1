#include "common/version_info.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FormatVersionText, OmitsZeroReleaseAndBuild) {
  EXPECT_EQ(FormatVersionText(2, 2, 1, 65), "2.2.1 (build 65)");
  EXPECT_EQ(FormatVersionText(2, 2, 0, 65), "2.2 (build 65)");
  EXPECT_EQ(FormatVersionText(2, 2, 1, 0), "2.2.1");
  EXPECT_EQ(FormatVersionText(3, 0, 0, 0), "3.0");
  EXPECT_EQ(FormatVersionText(0, 0, 0, 0), "0.0");
}

TEST(FormatVersionText, LongestTextFitsTheBuffer) {
  const std::string text = FormatVersionText(65535, 65535, 65535, 65535);
  EXPECT_EQ(text, "65535.65535.65535 (build 65535)");
  EXPECT_EQ(text.size(), 31u);
  EXPECT_LT(text.size(), static_cast<size_t>(kVersionTextCapacity));
}

}  // namespace
}  // namespace corvane
