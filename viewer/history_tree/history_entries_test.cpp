#include "viewer/history_tree/history_entries.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/history_naming.h"

namespace corvane {
namespace {

TEST(IsDotEntry, OnlyDotAndDotDotExactly) {
  const struct {
    const char* name;
    bool dot;
  } cases[] = {
      {".", true},       {"..", true},  {"...", false}, {"alice", false},       {".alice", false},
      {"alice ", false}, {" .", false}, {"", false},    {"Alice Smith", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsDotEntry(c.name), c.dot) << '"' << c.name << '"';
  }
}

TEST(DateEntryText, DropsTheHtmlSuffixInAnyCase) {
  const struct {
    std::string fileName;
    std::optional<std::string> text;
  } cases[] = {
      {"2002-06-14 [Friday].html", "2002-06-14 [Friday]"},
      {"2002-06-14 [Friday].HTML", "2002-06-14 [Friday]"},
      {"2002-06-14 [Friday].HtMl", "2002-06-14 [Friday]"},
      {"notes.html", "notes"},
      {".html", ""},
      {"a.html.html", "a.html"},
      {"2002-06-14 [Friday].htm", std::nullopt},
      {"2002-06-14 [Friday].html ", std::nullopt},
      {"2002-06-14 [Friday].html.bak", std::nullopt},
      {"html", std::nullopt},
      {"xhtml", std::nullopt},
      {"", std::nullopt},
      {"readme.txt", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateEntryText(c.fileName), c.text) << '"' << c.fileName << '"';
  }
}

TEST(DateEntryText, ShowsTheDayFilesTheHookLibraryWrites) {
  const std::string name = DayFileName(2002, 6, 14, 5);
  EXPECT_EQ(DateEntryText(name), std::optional<std::string>("2002-06-14 [Friday]"));
  EXPECT_EQ(DateEntryFileName(*DateEntryText(name)), name);
}

TEST(DateEntryFileName, AppendsTheSuffix) {
  EXPECT_EQ(DateEntryFileName("2002-06-14 [Friday]"), "2002-06-14 [Friday].html");
  EXPECT_EQ(DateEntryFileName(""), ".html");
}

TEST(ParseIsoDate, OnlyRealDaysInTheExactForm) {
  EXPECT_EQ(ParseIsoDate("2005-01-01"), (CalendarDate{2005, 1, 1}));
  EXPECT_EQ(ParseIsoDate("2004-02-29"), (CalendarDate{2004, 2, 29}));
  EXPECT_EQ(ParseIsoDate("2000-02-29"), (CalendarDate{2000, 2, 29}));
  EXPECT_EQ(ParseIsoDate("9999-12-31"), (CalendarDate{9999, 12, 31}));
  for (const char* text : {"1900-02-29", "2005-02-29", "2005-04-31", "2005-13-01", "2005-00-10",
                           "2005-01-00", "0000-01-01", "2005-1-1", "2005/01/01", " 2005-01-01",
                           "2005-01-01 ", "20050101", "", "2005-01-0x"}) {
    EXPECT_EQ(ParseIsoDate(text), std::nullopt) << text;
  }
  EXPECT_EQ(IsoDateText(CalendarDate{987, 6, 5}), "0987-06-05");
  EXPECT_LT(DateKey(CalendarDate{2004, 12, 31}), DateKey(CalendarDate{2005, 1, 1}));
}

TEST(ParseDayFileName, TheHookLibrarysNamesAndNothingElse) {
  // Every day of a few years names its file as the library does.
  for (int year : {1999, 2000, 2004, 2005, 2100}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        const CalendarDate date{year, month, day};
        if (!ParseIsoDate(IsoDateText(date))) continue;
        const std::string name = DayFileName(year, month, day, WeekdayOf(date));
        EXPECT_EQ(ParseDayFileName(name), date) << name;
      }
    }
  }
  EXPECT_EQ(ParseDayFileName("2002-06-14 [FRIDAY].HTML"), (CalendarDate{2002, 6, 14}));
  for (const char* name :
       {"2002-06-14 [Monday].html", "2002-06-14 [Friday].htm", "2002-06-14 [Friday].html.bak",
        "2002-06-14.html", "2002-06-14 [Friday]", "2002-06-31 [Monday].html", "notes.html",
        "notes.txt", "2002-06-14  [Friday].html", "x2002-06-14 [Friday].html", ""}) {
    EXPECT_EQ(ParseDayFileName(name), std::nullopt) << name;
  }
}

}  // namespace
}  // namespace corvane
