#include "viewer/export/export_format.h"

#include <cstdio>

#include "common/history_naming.h"

namespace corvane {
namespace {

std::string_view WeekdayName(const CalendarDate& date) {
  return EnglishWeekdayName(WeekdayOf(date));
}

// "2005-01-01 (Saturday)".
std::string DateHeading(const CalendarDate& date) {
  std::string heading = IsoDateText(date);
  heading += " (";
  heading += WeekdayName(date);
  heading += ')';
  return heading;
}

// The anchor a day's heading carries, "d2005-01-01".
std::string DayAnchor(const CalendarDate& date) { return "d" + IsoDateText(date); }

constexpr char kHtmlStyle[] =
    "body{font-family:Arial,Helvetica,sans-serif;font-size:10pt;margin:1em 2em}"
    "p.title{font-size:14pt;font-weight:bold}"
    "table.dates{border-collapse:collapse;margin-bottom:1.5em}"
    "table.dates td{padding:1px 6px;border:1px solid #ccc}"
    "table.dates td.month{font-weight:bold;white-space:nowrap}"
    "h2{font-size:12pt;border-bottom:1px solid #999;margin-top:2em}"
    "div.day{padding:4px}";

}  // namespace

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
  if (EqualsAsciiIgnoringCase(name, "text")) return ExportFormat::kText;
  if (EqualsAsciiIgnoringCase(name, "html")) return ExportFormat::kHtml;
  if (EqualsAsciiIgnoringCase(name, "jsonl")) return ExportFormat::kJsonLines;
  return std::nullopt;
}

void AppendTextDay(const ExportDayName& day, std::string_view viewText, AnsiToUtf8& toUtf8,
                   std::string& out) {
  out += "== ";
  out += day.user;
  out += " / ";
  out += day.buddy;
  out += " / ";
  out += DateHeading(day.date);
  out += " ==\r\n";
  ForEachViewLine(viewText, [&](std::string_view line, std::size_t, std::size_t) {
    toUtf8.Append(line, out);
    out += "\r\n";
  });
}

void AppendJsonString(std::string_view utf8, std::string& out) {
  out += '"';
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", byte);
          out += escape;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendJsonLines(const ExportDayName& day, std::string_view viewText,
                     const std::vector<SessionStart>& sessions, AnsiToUtf8& toUtf8,
                     std::string& out) {
  // What every object of the day begins with.
  std::string head = "{\"user\":";
  AppendJsonString(day.user, head);
  head += ",\"buddy\":";
  AppendJsonString(day.buddy, head);
  head += ",\"date\":\"" + IsoDateText(day.date) + "\",\"session\":";
  std::size_t nextSession = 0;
  std::string_view session;
  std::string utf8;
  ForEachViewLine(viewText, [&](std::string_view line, std::size_t, std::size_t number) {
    while (nextSession < sessions.size() && sessions[nextSession].firstLine <= number) {
      session = sessions[nextSession++].time;
    }
    out += head;
    AppendJsonString(session, out);
    out += ",\"line\":";
    out += std::to_string(number);
    out += ",\"text\":";
    utf8.clear();
    toUtf8.Append(line, utf8);
    AppendJsonString(utf8, out);
    out += "}\n";
  });
}

std::string HtmlExportFileName(std::string_view user, std::string_view buddy) {
  std::string name(user);
  name += " - ";
  name += buddy;
  name += ".html";
  return name;
}

void AppendHtmlEscaped(std::string_view text, std::string& out) {
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

void AppendHtmlHead(std::string_view user, std::string_view buddy,
                    const std::vector<CalendarDate>& dates, std::string& out) {
  std::string who;
  AppendHtmlEscaped(user, who);
  who += " and ";
  AppendHtmlEscaped(buddy, who);
  out += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
  out += who;
  out += "</title>\n<style>";
  out += kHtmlStyle;
  out += "</style>\n</head>\n<body>\n<p class=\"title\">";
  out += who;
  out += "</p>\n<table class=\"dates\">\n";
  for (std::size_t i = 0; i < dates.size(); ++i) {
    const CalendarDate& date = dates[i];
    const bool newMonth =
        i == 0 || dates[i - 1].year != date.year || dates[i - 1].month != date.month;
    if (newMonth) {
      if (i != 0) out += "</tr>\n";
      char month[16];
      std::snprintf(month, sizeof month, "%04d-%02d", date.year, date.month);
      out += "<tr><td class=\"month\">";
      out += month;
      out += "</td>";
    }
    char day[8];
    std::snprintf(day, sizeof day, "%02d", date.day);
    out += "<td><a href=\"#" + DayAnchor(date) + "\">" + day + "</a></td>";
  }
  if (!dates.empty()) out += "</tr>\n";
  out += "</table>\n";
}

void AppendHtmlDay(const CalendarDate& date, std::string_view safeHtml, std::string_view background,
                   std::string& out) {
  out += "<h2 id=\"" + DayAnchor(date) + "\">" + DateHeading(date) + "</h2>\n<div class=\"day\"";
  if (!background.empty()) {
    out += " style=\"background-color:";
    AppendHtmlEscaped(background, out);
    out += '"';
  }
  out += ">\n";
  out += safeHtml;
  out += "\n</div>\n";
}

void AppendHtmlTail(std::string& out) { out += "</body>\n</html>\n"; }

}  // namespace corvane
