#include "viewer/days/history_day.h"

#include <algorithm>

namespace corvane {

int CompareFolded(const std::string& a, const std::string& b, const FoldTable& fold) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int x = fold[static_cast<unsigned char>(a[i])];
    const int y = fold[static_cast<unsigned char>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

namespace {

bool NewerFirst(const HistoryDay& a, const HistoryDay& b, const FoldTable& fold) {
  if (const int date = CompareFolded(a.date, b.date, fold)) return date > 0;
  if (const int user = CompareFolded(a.user, b.user, fold)) return user < 0;
  return CompareFolded(a.buddy, b.buddy, fold) < 0;
}

}  // namespace

void SortNewestFirst(std::vector<ListedDay>& days, const FoldTable& fold) {
  std::sort(days.begin(), days.end(), [&fold](const ListedDay& a, const ListedDay& b) {
    return NewerFirst(a.day, b.day, fold);
  });
}

void KeepDaysInRange(std::vector<ListedDay>& days, const DateRange& range) {
  if (!range.Bounded()) return;
  days.erase(
      std::remove_if(days.begin(), days.end(),
                     [&range](const ListedDay& day) { return !range.HoldsDayText(day.day.date); }),
      days.end());
}

std::string GroupedNumber(std::size_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

std::string DaysText(std::size_t days) {
  return GroupedNumber(days) + (days == 1 ? " day" : " days");
}

}  // namespace corvane
