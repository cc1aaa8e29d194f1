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
    std::string file_name;
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
    EXPECT_EQ(DateEntryText(c.file_name), c.text) << '"' << c.file_name << '"';
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

}  // namespace
}  // namespace corvane
