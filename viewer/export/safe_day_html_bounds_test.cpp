// The HTML made safe stays within a few times the day that it is made
// from, in what it writes and in the memory it takes, on days made to
// blow it up.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/testing/allocation_counter.h"
#include "common/testing/model_ansi_to_utf8.h"
#include "common/testing/test_code_pages.h"
#include "viewer/export/safe_day_html.h"

namespace corvane {
namespace {

std::string Repeat(const std::string& text, std::size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

struct CraftedDay {
  const char* what;
  std::string html;
};

std::vector<CraftedDay> CraftedDays() {
  const std::string longLink = "<A HREF=\"http://" + std::string(60000, 'l') + "\">";
  return {
      // Each end tag closed 128 fonts with long faces and wrote them again.
      {"127 bold around 128 long fonts",
       Repeat("<B>", 127) + Repeat("<FONT FACE=\"" + std::string(8000, 'f') + "\">x", 128) +
           Repeat("</B>", 127)},
      {"100,000 bold runs inside a long link", longLink + Repeat("<B>x</B>", 100000) + "</A>"},
      // The link closed out of order again and again.
      {"a long link misnested over and over",
       "<B><I>" + longLink + Repeat("</B><B></I><I>", 20000)},
      {"faces of quotes, each six bytes escaped",
       "<B><I><FONT FACE='" + std::string(100000, '"') + "'>x</B>y</I>z"},
      {"elements as deep as kept, and stray end tags",
       Repeat("<U>", 300) + Repeat("</B></I>x", 10000)},
  };
}

TEST(SafeDayHtmlBounds, OutputAndMemoryStayWithinAFixedMultipleOfTheDay) {
  for (const CraftedDay& day : CraftedDays()) {
    ModelAnsiToUtf8 toUtf8(kSingleByteCodePage);
    const PeakAllocation memory;
    const std::size_t written = SafeDayHtml(day.html, toUtf8).html.size();
    const double outPerIn = static_cast<double>(written) / day.html.size();
    const double memoryPerIn = static_cast<double>(memory.Bytes()) / day.html.size();
    std::printf("%-46s %8zu bytes in: %5.2f out, %5.2f peak allocation per byte\n", day.what,
                day.html.size(), outPerIn, memoryPerIn);
    EXPECT_LE(outPerIn, 20) << day.what;
    EXPECT_LE(memoryPerIn, 64) << day.what;
  }
}

}  // namespace
}  // namespace corvane
