#include <gtest/gtest.h>

#include "viewer/html/html_to_view.h"
#include "viewer/html/testing/allocation_peak.h"
#include "viewer/html/testing/hostile_days.h"

namespace corvane {
namespace {

// What the view holds of a day is its text and a few words a run; the most
// the conversion holds at once stays within this multiple of the day's size
// whatever the day holds (a long link once copied into every run took 1.9 GB
// for a 1.1 MB day).
constexpr std::size_t kMostBytesPerInputByte = 12;
constexpr std::size_t kMostBytesBeyond = 64 * 1024;

TEST(ConvertHtmlMemory, StaysProportionalToTheDayOnHostileDays) {
  std::vector<HostileDay> days = HostileDays();
  days.push_back(HostileDay{"plain", PlainDayOfSize(1 << 20), "omegaplain"});
  for (const HostileDay& day : days) {
    const AllocationPeak peak;
    const FormattedText view = ConvertHtml(day.html);
    EXPECT_LE(peak.Bytes(), kMostBytesPerInputByte * day.html.size() + kMostBytesBeyond)
        << day.name << ": " << peak.Bytes() << " bytes for " << day.html.size();
    EXPECT_EQ(view.text.substr(view.text.rfind(':') + 2), day.lastWord + "\n") << day.name;
  }
}

}  // namespace
}  // namespace corvane
