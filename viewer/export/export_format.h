// The three forms a history is exported in, built as plain text: the caller
// hands in names in UTF-8 and the view's text in the ANSI code page, and
// writes out the UTF-8 that comes back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/export/ansi_text.h"
#include "viewer/history_tree/history_entries.h"

namespace corvane {

enum class ExportFormat { kText, kHtml, kJsonLines };

// "text", "html" or "jsonl", as the command line names them (in any case).
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);

// What names a day in every form; user and buddy in UTF-8.
struct ExportDayName {
  std::string user;
  std::string buddy;
  CalendarDate date;
};

// The first line of the view's text (counted from 1) that begins in a
// session's block, and the time from that block's key line ("09:15:02";
// empty when the key holds none).  Line numbers, unlike offsets, stay
// what they are when the text changes its code page.
struct SessionStart {
  std::size_t firstLine = 1;
  std::string time;
};

// Calls line(text, offset, number) for each line of a view's text: where it
// starts and its number, counted from 1;
// the line feed that ends the last line starts no further one.
template <typename LineFunction>
void ForEachViewLine(std::string_view text, LineFunction line) {
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    line(text.substr(start, end - start), start, ++number);
    start = end + 1;
  }
}

// Text: UTF-8 with this mark first, lines ended by CR LF.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The day's heading "== alice / bob / 2005-01-01 (Saturday) ==" and the
// lines of its view text.  Each line is converted on its own, here and in
// JSON Lines, so that no character of the code page takes a line end in.
void AppendTextDay(const ExportDayName& day, std::string_view viewText, AnsiToUtf8& toUtf8,
                   std::string& out);

// JSON Lines: one object a line of the view's text, {"user", "buddy",
// "date", "session", "line", "text"}, `line` counting the day's lines from 1
// and `session` the time of the block the line begins in (`sessions` in
// ascending lines; empty before the first).  Each object ends in a line feed.
void AppendJsonLines(const ExportDayName& day, std::string_view viewText,
                     const std::vector<SessionStart>& sessions, AnsiToUtf8& toUtf8,
                     std::string& out);

// A JSON string of UTF-8 text, quotes included.
void AppendJsonString(std::string_view utf8, std::string& out);

// HTML: the file of one buddy, "<user> - <buddy>.html" (user and buddy as
// their folders are named, so a valid file name).
std::string HtmlExportFileName(std::string_view user, std::string_view buddy);

// The page up to its first day: title, style and a table of the dates
// (ascending), one row a month, each date a link to its day.
void AppendHtmlHead(std::string_view user, std::string_view buddy,
                    const std::vector<CalendarDate>& dates, std::string& out);

// One day under its date as a heading: `safeHtml` is the day's markup as
// SafeDayHtml leaves it, in UTF-8; `background` its own colour ("#rrggbb")
// or empty.
void AppendHtmlDay(const CalendarDate& date, std::string_view safeHtml, std::string_view background,
                   std::string& out);

void AppendHtmlTail(std::string& out);

// Text with &, <, > and " written as references, for HTML text and quoted
// attribute values alike.
void AppendHtmlEscaped(std::string_view text, std::string& out);

}  // namespace corvane
