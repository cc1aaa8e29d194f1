#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "common/testing/allocation_counter.h"
#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_breaks.h"
#include "viewer/html/testing/hostile_days.h"
#include "viewer/html/view_text.h"

namespace corvane {
namespace {

// The most a conversion holds at once stays within a multiple of the day's
// size (and a little for any conversion), whatever the day holds: a long
// link once copied into every run took 1.9 GB for a 1.1 MB day.
struct Conversion {
  const char* name;
  std::function<std::string(const std::string& html)> text;
  std::size_t mostBytesPerInputByte;
  std::size_t mostBytesBeyond;
};

TEST(ConversionMemory, StaysProportionalToTheDayOnHostileDays) {
  const Conversion conversions[] = {
      // The view's text, a few words a run and each format once, and where
      // its pages break it, a word in 64 characters at most.
      {"ConvertHtml and PageBreaks",
       [](const std::string& html) {
         FormattedText view = ConvertHtml(html);
         const PageBreaks breaks(view.text);
         return std::move(view.text);
       },
       12, 64 * 1024},
      // The search's text alone, grown in steps.
      {"ViewTextOf",
       [](const std::string& html) {
         std::string text;
         ViewTextOf(html, text);
         return text;
       },
       4, 16 * 1024},
  };
  std::vector<HostileDay> days = HostileDays();
  days.push_back(HostileDay{"plain", PlainDayOfSize(1 << 20), "omegaplain"});
  for (const Conversion& conversion : conversions) {
    for (const HostileDay& day : days) {
      const PeakAllocation peak;
      const std::string text = conversion.text(day.html);
      EXPECT_LE(peak.Bytes(),
                conversion.mostBytesPerInputByte * day.html.size() + conversion.mostBytesBeyond)
          << conversion.name << ", " << day.name << ": " << peak.Bytes() << " bytes for "
          << day.html.size();
      EXPECT_EQ(text.substr(text.rfind(':') + 2), day.lastWord + "\n")
          << conversion.name << ", " << day.name;
    }
  }
}

}  // namespace
}  // namespace corvane
