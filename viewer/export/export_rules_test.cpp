// The export's and Delete Old Days' plain rules: where an export may go,
// what a format change makes of its path, the texts, which days may go.
#include <gtest/gtest.h>

#include <string>

#include "common/testing/test_code_pages.h"
#include "viewer/export/export_paths.h"
#include "viewer/export/export_texts.h"
#include "viewer/export/old_days.h"

namespace corvane {
namespace {

TEST(IsSameOrInsideFolder, AnyDepthBelowTheFolderOrItself) {
  const char* history = "C:\\Users\\Al\\Documents\\Corvane History";
  const struct {
    const char* path;
    bool inside;
  } cases[] = {
      {"C:\\Users\\Al\\Documents\\Corvane History", true},
      {"C:\\Users\\Al\\Documents\\Corvane History\\", true},
      {"c:\\users\\al\\documents\\corvane history\\alice\\x.txt", true},
      {"C:/Users/Al/Documents/Corvane History/out", true},
      {"C:\\Users\\Al\\Documents\\Corvane History2\\x.txt", false},
      {"C:\\Users\\Al\\Documents\\Corvane Histor", false},
      {"C:\\Users\\Al\\Documents\\x.txt", false},
      {"D:\\Users\\Al\\Documents\\Corvane History", false},
      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSameOrInsideFolder(c.path, history, kSingleByteCodePage), c.inside) << c.path;
  }
  EXPECT_TRUE(IsSameOrInsideFolder("C:\\x\\y", "C:\\", kSingleByteCodePage));
  EXPECT_TRUE(IsSameOrInsideFolder("C:\\x", "C:\\x\\\\", kSingleByteCodePage));
  EXPECT_FALSE(IsSameOrInsideFolder("C:\\x", "", kSingleByteCodePage));
}

// Shift-JIS "\x83\x5c" is one character whose trail byte has the value of
// '\', and "\x83\x41" and "\x83\x61" are two characters, not one in two cases.
TEST(IsSameOrInsideFolder, ReadsTwoByteCharactersWhole) {
  const LeadBytes sjis = ShiftJisLeadBytes();
  EXPECT_TRUE(IsSameOrInsideFolder("C:\\\x83\x5c\\out", "C:\\\x83\x5c", sjis));
  EXPECT_TRUE(IsSameOrInsideFolder("C:\\\x83\x5c\\out", "C:\\\x83\x5c\\", sjis));
  EXPECT_FALSE(IsSameOrInsideFolder("C:\\\x83\x5cout", "C:\\\x83\x5c", sjis));
  EXPECT_FALSE(IsSameOrInsideFolder("C:\\\x83\x41\\out", "C:\\\x83\x61", sjis));
  EXPECT_FALSE(IsSameOrInsideFolder("C:\\\x83\x5c\\out", "C:\\\x83", sjis));
  // Read byte by byte these would all go the other way.
  EXPECT_TRUE(IsSameOrInsideFolder("C:\\\x83\x41\\out", "C:\\\x83\x61", kSingleByteCodePage));
}

TEST(DestinationForFormat, SwapsTheFormatsOwnExtensionsOnly) {
  using F = ExportFormat;
  EXPECT_EQ(DestinationForFormat("C:\\out\\h.txt", F::kText, F::kJsonLines, kSingleByteCodePage),
            "C:\\out\\h.jsonl");
  EXPECT_EQ(DestinationForFormat("C:\\out\\h.JSONL", F::kJsonLines, F::kText, kSingleByteCodePage),
            "C:\\out\\h.txt");
  EXPECT_EQ(DestinationForFormat("C:\\out\\h.txt", F::kText, F::kHtml, kSingleByteCodePage),
            "C:\\out\\h");
  EXPECT_EQ(DestinationForFormat("C:\\out\\h\\", F::kHtml, F::kText, kSingleByteCodePage),
            "C:\\out\\h.txt");
  // A name the user chose otherwise stays as it is.
  EXPECT_EQ(DestinationForFormat("C:\\out\\h.log", F::kText, F::kJsonLines, kSingleByteCodePage),
            "C:\\out\\h.log");
  EXPECT_EQ(DestinationForFormat("C:\\out\\h.log", F::kText, F::kHtml, kSingleByteCodePage),
            "C:\\out\\h.log");
  EXPECT_EQ(DestinationForFormat("", F::kHtml, F::kText, kSingleByteCodePage), "");
  EXPECT_EQ(DestinationForFormat("x.txt", F::kText, F::kText, kSingleByteCodePage), "x.txt");
}

TEST(ExportTexts, CountsSizesAndScopes) {
  EXPECT_EQ(ScopeText("", ""), "all users");
  EXPECT_EQ(ScopeText("alice", ""), "alice");
  EXPECT_EQ(ScopeText("alice", "bob"), "alice and bob");
  EXPECT_EQ(SizeText(0), "0 bytes");
  EXPECT_EQ(SizeText(1), "1 byte");
  EXPECT_EQ(SizeText(1023), "1,023 bytes");
  EXPECT_EQ(SizeText(1024), "1.0 KB");
  EXPECT_EQ(SizeText(1024 * 1024 - 1), "1,024.0 KB");
  EXPECT_EQ(SizeText(1024 * 1024), "1.0 MB");
  EXPECT_EQ(SizeText(59454259), "56.7 MB");
  EXPECT_EQ(SizeText(5000ULL * 1024 * 1024 + 1024 * 1024 / 2), "5,000.5 MB");
}

TEST(ExportTexts, PreviewAndQuestionNameCountDateAndScope) {
  EXPECT_EQ(DeletePreviewText(1234, 59454259, CalendarDate{2005, 1, 1}, "all users"),
            "1,234 days (56.7 MB) before 2005-01-01 for all users");
  EXPECT_EQ(DeletePreviewText(1, 2048, CalendarDate{2002, 6, 14}, "alice and bob"),
            "1 day (2.0 KB) before 2002-06-14 for alice and bob");
  EXPECT_EQ(LinkedDaysLeftText(0, false), "");
  EXPECT_EQ(LinkedDaysLeftText(3, false), " (3 days reached through a link are left)");
  EXPECT_EQ(LinkedDaysLeftText(1, true), " (1 day reached through a link was left)");
  EXPECT_EQ(DeleteQuestionText(1234, CalendarDate{2005, 1, 1}, "alice"),
            "Delete 1,234 days of history before 2005-01-01 for alice?\n\n"
            "The day files go to the Recycle Bin.");
  EXPECT_EQ(ExportProgressText(12, 3456), "Exporting... 12 of 3,456 days");
  EXPECT_EQ(ExportDoneText(3456, 1, false, 1.234), "Exported 3,456 days (1.23 s)");
  EXPECT_EQ(ExportDoneText(1, 1, true, 0.5), "Exported 1 day into 1 file (0.50 s)");
  EXPECT_EQ(ExportDoneText(30, 4, true, 2), "Exported 30 days into 4 files (2.00 s)");
}

TEST(TakeOutLinkedDays, LeavesTheRestInOrder) {
  const auto day = [](const char* buddy, bool linked) {
    return ListedDay{HistoryDay{"alice", buddy, ""}, 0, 0, {}, linked};
  };
  std::vector<ListedDay> days = {day("a", false), day("b", true), day("c", false), day("d", true)};
  EXPECT_EQ(TakeOutLinkedDays(days), 2u);
  ASSERT_EQ(days.size(), 2u);
  EXPECT_EQ(days[0].day.buddy, "a");
  EXPECT_EQ(days[1].day.buddy, "c");
}

TEST(MayDeleteOldDay, NeverTodayNorLaterNorAFileWrittenLately) {
  const CalendarDate today{2005, 6, 1};
  const std::uint64_t now = 1000 * kRecentWriteTicks;
  const std::uint64_t longAgo = now - 2 * kRecentWriteTicks;
  const CalendarDate before{2005, 1, 1};
  EXPECT_TRUE(MayDeleteOldDay(CalendarDate{2004, 12, 31}, longAgo, before, today, now));
  EXPECT_FALSE(MayDeleteOldDay(CalendarDate{2005, 1, 1}, longAgo, before, today, now));
  // Before a date in the future: every day but today's and later.
  const CalendarDate future{2099, 1, 1};
  EXPECT_TRUE(MayDeleteOldDay(CalendarDate{2005, 5, 31}, longAgo, future, today, now));
  EXPECT_FALSE(MayDeleteOldDay(today, longAgo, future, today, now));
  EXPECT_FALSE(MayDeleteOldDay(CalendarDate{2005, 6, 2}, longAgo, future, today, now));
  // Yesterday's file just after midnight, while its last write may go on;
  // a file written "later than now" by a clock set back.
  EXPECT_FALSE(MayDeleteOldDay(CalendarDate{2005, 5, 31}, now - 5, future, today, now));
  EXPECT_FALSE(
      MayDeleteOldDay(CalendarDate{2005, 5, 31}, now - kRecentWriteTicks, future, today, now));
  EXPECT_FALSE(MayDeleteOldDay(CalendarDate{2004, 1, 1}, now + 5, future, today, now));
}

}  // namespace
}  // namespace corvane
