#include "viewer/export/export_texts.h"

#include <cstdio>

#include "viewer/days/history_day.h"

namespace corvane {

std::string ScopeText(const std::string& user, const std::string& buddy) {
  if (user.empty()) return "all users";
  if (buddy.empty()) return user;
  return user + " and " + buddy;
}

std::string SizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kKilobyte = 1024;
  constexpr std::uint64_t kMegabyte = kKilobyte * 1024;
  if (bytes < kKilobyte) return GroupedNumber(bytes) + (bytes == 1 ? " byte" : " bytes");
  const bool megabytes = bytes >= kMegabyte;
  // Tenths, rounded, so that 0.05 MB more shows as 0.1 more.
  const std::uint64_t unit = megabytes ? kMegabyte : kKilobyte;
  const std::uint64_t tenths = (bytes * 10 + unit / 2) / unit;
  return GroupedNumber(static_cast<std::size_t>(tenths / 10)) + "." + std::to_string(tenths % 10) +
         (megabytes ? " MB" : " KB");
}

std::string DeletePreviewText(std::size_t days, std::uint64_t bytes, const CalendarDate& before,
                              const std::string& scope) {
  return DaysText(days) + " (" + SizeText(bytes) + ") before " + IsoDateText(before) + " for " +
         scope;
}

std::string LinkedDaysLeftText(std::size_t days, bool deleted) {
  if (days == 0) return "";
  const char* verb = days == 1 ? (deleted ? "was" : "is") : (deleted ? "were" : "are");
  return " (" + DaysText(days) + " reached through a link " + verb + " left)";
}

std::string DeleteQuestionText(std::size_t days, const CalendarDate& before,
                               const std::string& scope) {
  return "Delete " + DaysText(days) + " of history before " + IsoDateText(before) + " for " +
         scope + "?\n\nThe day files go to the Recycle Bin.";
}

std::string ExportProgressText(std::size_t done, std::size_t total) {
  return "Exporting... " + GroupedNumber(done) + " of " + DaysText(total);
}

std::string ExportDoneText(std::size_t days, std::size_t files, bool oneFileABuddy,
                           double seconds) {
  char time[32];
  std::snprintf(time, sizeof time, " (%.2f s)", seconds);
  std::string text = "Exported " + DaysText(days);
  if (oneFileABuddy) text += " into " + GroupedNumber(files) + (files == 1 ? " file" : " files");
  return text + time;
}

}  // namespace corvane
