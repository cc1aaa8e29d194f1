// A range of days typed as two dates, "yyyy-mm-dd", either of them empty
// for no bound: what the export and the search windows and the command
// line narrow the history to.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "viewer/history_tree/history_entries.h"

namespace corvane {

// Both ends included; an empty end is no bound.
struct DateRange {
  std::optional<CalendarDate> from;
  std::optional<CalendarDate> to;

  bool Holds(const CalendarDate& date) const {
    return (!from || DateKey(*from) <= DateKey(date)) && (!to || DateKey(date) <= DateKey(*to));
  }
  bool Bounded() const { return from || to; }
  // A day of the date list ("2002-06-14 [Friday]"): one whose text does not
  // begin with a date is outside every bounded range.
  bool HoldsDayText(std::string_view dateText) const;
};

enum class DateRangeFault { kNone, kFrom, kTo, kReversed };

// Reads the two ends as typed (blanks around them ignored) into `range`;
// which end is not a date, or that From is after To.
DateRangeFault ReadDateRange(std::string_view from, std::string_view to, DateRange& range);

// What a window says of the fault: "From: enter a date as yyyy-mm-dd, or
// leave it empty.", "From 2005-02-01 is after To 2005-01-01."; empty for
// none.
std::string DateRangeComplaint(DateRangeFault fault, const DateRange& range);

}  // namespace corvane
