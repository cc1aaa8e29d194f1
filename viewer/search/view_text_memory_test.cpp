#include <gtest/gtest.h>

#include "viewer/html/testing/allocation_peak.h"
#include "viewer/html/testing/hostile_days.h"
#include "viewer/search/view_text.h"

namespace corvane {
namespace {

// The search converts every day of a history; what it holds for one is the
// day's text, grown in steps, and nothing per tag or run.
constexpr std::size_t kMostBytesPerInputByte = 4;
constexpr std::size_t kMostBytesBeyond = 16 * 1024;

TEST(ViewTextMemory, StaysProportionalToTheDayOnHostileDays) {
  std::vector<HostileDay> days = HostileDays();
  days.push_back(HostileDay{"plain", PlainDayOfSize(1 << 20), "omegaplain"});
  for (const HostileDay& day : days) {
    std::string text;
    const AllocationPeak peak;
    ViewTextOf(day.html, text);
    EXPECT_LE(peak.Bytes(), kMostBytesPerInputByte * day.html.size() + kMostBytesBeyond)
        << day.name << ": " << peak.Bytes() << " bytes for " << day.html.size();
    EXPECT_EQ(text.substr(text.rfind(':') + 2), day.lastWord + "\n") << day.name;
  }
}

}  // namespace
}  // namespace corvane
