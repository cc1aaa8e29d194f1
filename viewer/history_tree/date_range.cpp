#include "viewer/history_tree/date_range.h"

namespace corvane {
namespace {

constexpr std::size_t kIsoDateLength = 10;  // "yyyy-mm-dd"

std::string_view TrimmedBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool ReadEnd(std::string_view typed, std::optional<CalendarDate>& end) {
  const std::string_view text = TrimmedBlanks(typed);
  end.reset();
  if (text.empty()) return true;
  end = ParseIsoDate(text);
  return end.has_value();
}

}  // namespace

bool DateRange::HoldsDayText(std::string_view dateText) const {
  if (!Bounded()) return true;
  const std::optional<CalendarDate> date = ParseIsoDate(dateText.substr(0, kIsoDateLength));
  return date && Holds(*date);
}

DateRangeFault ReadDateRange(std::string_view from, std::string_view to, DateRange& range) {
  if (!ReadEnd(from, range.from)) return DateRangeFault::kFrom;
  if (!ReadEnd(to, range.to)) return DateRangeFault::kTo;
  if (range.from && range.to && DateKey(*range.from) > DateKey(*range.to))
    return DateRangeFault::kReversed;
  return DateRangeFault::kNone;
}

std::string DateRangeComplaint(DateRangeFault fault, const DateRange& range) {
  switch (fault) {
    case DateRangeFault::kFrom:
      return "From: enter a date as yyyy-mm-dd, or leave it empty.";
    case DateRangeFault::kTo:
      return "To: enter a date as yyyy-mm-dd, or leave it empty.";
    case DateRangeFault::kReversed:
      return "From " + IsoDateText(*range.from) + " is after To " + IsoDateText(*range.to) + ".";
    case DateRangeFault::kNone:
      break;
  }
  return {};
}

}  // namespace corvane
