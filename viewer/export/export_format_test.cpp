#include "viewer/export/export_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/model_ansi_to_utf8.h"
#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

const ExportDayName kDay{"alice", "bob", CalendarDate{2005, 1, 1}};
ModelAnsiToUtf8 g_latin1(kSingleByteCodePage);

TEST(ExportFormatNamed, TakesTheCommandLineNamesInAnyCase) {
  EXPECT_EQ(ExportFormatNamed("text"), ExportFormat::kText);
  EXPECT_EQ(ExportFormatNamed("HTML"), ExportFormat::kHtml);
  EXPECT_EQ(ExportFormatNamed("JsonL"), ExportFormat::kJsonLines);
  for (const char* other : {"", "txt", "json", "jsonl ", "csv"}) {
    EXPECT_EQ(ExportFormatNamed(other), std::nullopt) << other;
  }
}

TEST(AppendTextDay, HeadsTheDayAndEndsEveryLineWithCrLf) {
  std::string out;
  AppendTextDay(kDay, "bob: hi\n\nalice: h\xE9llo\n", g_latin1, out);
  EXPECT_EQ(out,
            "== alice / bob / 2005-01-01 (Saturday) ==\r\n"
            "bob: hi\r\n\r\nalice: h\xC3\xA9llo\r\n");
  // A last line without its line feed still ends with one; an empty day
  // has its heading alone.
  out.clear();
  AppendTextDay(ExportDayName{"u", "b", CalendarDate{2002, 6, 14}}, "one\ntwo", g_latin1, out);
  AppendTextDay(kDay, "", g_latin1, out);
  EXPECT_EQ(out,
            "== u / b / 2002-06-14 (Friday) ==\r\none\r\ntwo\r\n"
            "== alice / bob / 2005-01-01 (Saturday) ==\r\n");
}

TEST(AppendJsonLines, OneObjectALineWithItsSessionAndNumber) {
  std::string out;
  const std::vector<SessionStart> sessions = {{1, "09:00:00"}, {3, "21:15:30"}};
  AppendJsonLines(kDay, "first\nsecond\nthird \"quoted\"\n", sessions, g_latin1, out);
  EXPECT_EQ(out,
            "{\"user\":\"alice\",\"buddy\":\"bob\",\"date\":\"2005-01-01\","
            "\"session\":\"09:00:00\",\"line\":1,\"text\":\"first\"}\n"
            "{\"user\":\"alice\",\"buddy\":\"bob\",\"date\":\"2005-01-01\","
            "\"session\":\"09:00:00\",\"line\":2,\"text\":\"second\"}\n"
            "{\"user\":\"alice\",\"buddy\":\"bob\",\"date\":\"2005-01-01\","
            "\"session\":\"21:15:30\",\"line\":3,\"text\":\"third \\\"quoted\\\"\"}\n");
}

TEST(AppendJsonLines, LinesBeforeTheFirstBlockHaveNoSession) {
  std::string out;
  AppendJsonLines(ExportDayName{"a\"b", "c\\d", CalendarDate{2002, 6, 14}}, "x\ny",
                  {{2, "10:00:00"}}, g_latin1, out);
  EXPECT_EQ(out,
            "{\"user\":\"a\\\"b\",\"buddy\":\"c\\\\d\",\"date\":\"2002-06-14\",\"session\":\"\","
            "\"line\":1,\"text\":\"x\"}\n"
            "{\"user\":\"a\\\"b\",\"buddy\":\"c\\\\d\",\"date\":\"2002-06-14\","
            "\"session\":\"10:00:00\",\"line\":2,\"text\":\"y\"}\n");
}

// A lead byte at the end of a line, as a reference by number makes one,
// never takes the line end for its trail: a line is converted on its own.
TEST(AppendTextDay, NoCharacterOfADoubleByteCodePageTakesALineEnd) {
  for (const TestCodePage& codePage : kDoubleByteCodePages) {
    ModelAnsiToUtf8 toUtf8(codePage.lead);
    std::string text;
    AppendTextDay(kDay, "x\x81\ny\x81", toUtf8, text);
    EXPECT_EQ(text, "== alice / bob / 2005-01-01 (Saturday) ==\r\nx\xC2\x81\r\ny\xC2\x81\r\n")
        << codePage.number;
    std::string json;
    AppendJsonLines(kDay, "x\x81\ny", {}, toUtf8, json);
    EXPECT_NE(json.find("\"line\":1,\"text\":\"x\xC2\x81\"}\n"), std::string::npos) << json;
    EXPECT_NE(json.find("\"line\":2,\"text\":\"y\"}\n"), std::string::npos) << json;
  }
}

TEST(AppendJsonString, EscapesQuotesBackslashesAndControlCharacters) {
  std::string out;
  AppendJsonString(std::string("a\"\\\n\r\t\x01\x1f\x7f \xE2\x82\xAC", 13), out);
  EXPECT_EQ(out, "\"a\\\"\\\\\\n\\r\\t\\u0001\\u001f\x7f \xE2\x82\xAC\"");
}

TEST(HtmlExport, FileNamesHeadTableAndDays) {
  EXPECT_EQ(HtmlExportFileName("alice", "bob jr"), "alice - bob jr.html");

  std::string head;
  AppendHtmlHead("a<b", "c&d",
                 {CalendarDate{2004, 12, 31}, CalendarDate{2005, 1, 1}, CalendarDate{2005, 1, 7}},
                 head);
  EXPECT_NE(head.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(head.find("<title>a&lt;b and c&amp;d</title>"), std::string::npos);
  // One row a month, each date a link to its heading.
  EXPECT_NE(head.find("<tr><td class=\"month\">2004-12</td><td><a href=\"#d2004-12-31\">31</a>"
                      "</td></tr>\n<tr><td class=\"month\">2005-01</td><td><a "
                      "href=\"#d2005-01-01\">01</a></td><td><a href=\"#d2005-01-07\">07</a></td>"
                      "</tr>\n</table>"),
            std::string::npos)
      << head;
  EXPECT_EQ(head.find("<script"), std::string::npos);

  std::string day;
  AppendHtmlDay(CalendarDate{2005, 1, 1}, "<b>hi</b>", "#ffeedd", day);
  EXPECT_EQ(day,
            "<h2 id=\"d2005-01-01\">2005-01-01 (Saturday)</h2>\n"
            "<div class=\"day\" style=\"background-color:#ffeedd\">\n<b>hi</b>\n</div>\n");
  day.clear();
  AppendHtmlDay(CalendarDate{2005, 1, 2}, "", "", day);
  EXPECT_EQ(day,
            "<h2 id=\"d2005-01-02\">2005-01-02 (Sunday)</h2>\n<div class=\"day\">\n\n</div>\n");
}

}  // namespace
}  // namespace corvane
