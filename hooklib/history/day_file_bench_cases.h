// The day files that the write benchmarks time, and how they print: the
// native benchmark (the write routes on a POSIX disk) and the Windows one
// (the library's own WriteHistory, under Wine) share both, so that their
// tables read side by side.
//
// A session's 60,000-character conversation grows by one message; the day
// file holds 0, 10, 50 or 200 other sessions' blocks of the same size (200
// is about 12 MB).  Each route has its own file:
//   append    the session's block is the file's last, and the session's
//             mark says where it is (the usual poll);
//   replace   the session's block is the file's first, so the whole file
//             is written anew and moved over the old one;
//   in place  as replace, but another program holds the file open, so the
//             bytes from the new message on are rewritten in place.
// The file (and the mark) are restored, untimed, before every write.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "common/history_naming.h"
#include "hooklib/history/bench_conversation.h"
#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/day_file.h"
#include "hooklib/history/day_file_write.h"

namespace corvane {

enum class BenchRoute { kAppend, kReplace, kInPlace };

struct WriteBenchCase {
  std::size_t otherBlocks;
  BenchRoute route;
  std::string sessionKey;
  std::string text;  // the capture with the new message
  std::string disk;  // the file's bytes before the write
  DayFileMark mark;  // what the session's previous write left
  int iterations;
};

inline const char* RouteName(BenchRoute route) {
  switch (route) {
    case BenchRoute::kAppend:
      return "append";
    case BenchRoute::kReplace:
      return "replace";
    case BenchRoute::kInPlace:
      return "in place";
  }
  return "";
}

inline WriteBenchCase MakeWriteBenchCase(std::size_t otherBlocks, BenchRoute route) {
  constexpr std::size_t kConversationSize = 60000;
  WriteBenchCase c{otherBlocks, route, MakeSessionKey(21, 30, 0, 0x1a04b2), {}, {}, {}, 0};
  const std::string before = RewriteConversation(ClosedHostConversation(kConversationSize));
  c.text = RewriteConversation(ClosedHostConversation(kConversationSize, 1));
  const std::string own = ToDiskText(FormatRewriteBlock(c.sessionKey, before));
  std::string others;
  for (std::size_t i = 0; i < otherBlocks; ++i) {
    const std::string key =
        MakeSessionKey(9 + static_cast<int>(i / 60 % 12), static_cast<int>(i % 60), 7, 0x2b00);
    const bool fileStart = i == 0 && route == BenchRoute::kAppend;
    others +=
        ToDiskText(fileStart ? FormatCreationBlock(key, before) : FormatRewriteBlock(key, before));
  }
  if (route == BenchRoute::kAppend) {
    c.disk = others + own;
    c.mark.keyOffset = others.size();
    c.mark.fileSize = c.disk.size();
    c.mark.block = own;
  } else {
    c.disk = own + others;
  }
  // Fewer rounds where each one moves megabytes.
  c.iterations =
      route == BenchRoute::kAppend ? 200 : std::max<int>(8, 60 - static_cast<int>(otherBlocks / 4));
  return c;
}

inline std::vector<WriteBenchCase> WriteBenchCases() {
  std::vector<WriteBenchCase> cases;
  for (const BenchRoute route : {BenchRoute::kAppend, BenchRoute::kReplace, BenchRoute::kInPlace}) {
    for (const std::size_t others : {0, 10, 50, 200}) {
      // With no other block the session's is the last one whatever the route.
      if (others == 0 && route != BenchRoute::kAppend) continue;
      cases.push_back(MakeWriteBenchCase(others, route));
    }
  }
  return cases;
}

// Milliseconds per write: the median and the fastest; `flushMs` the median
// time of the flushes within them, when the benchmark can tell.
struct WriteTimes {
  double medianMs;
  double fastestMs;
  double flushMs;
};

inline WriteTimes Summarize(std::vector<double> totals, std::vector<double> flushes) {
  std::sort(totals.begin(), totals.end());
  std::sort(flushes.begin(), flushes.end());
  const double flush = flushes.empty() ? -1 : flushes[flushes.size() / 2];
  return {totals[totals.size() / 2], totals.front(), flush};
}

inline void PrintWriteBenchHeader(const char* title) {
  std::printf("%s\n%-9s %13s %9s %12s %12s %12s\n", title, "route", "other blocks", "file MB",
              "median ms", "fastest ms", "flush ms");
}

inline void PrintWriteBenchRow(const WriteBenchCase& c, const WriteTimes& t) {
  std::printf("%-9s %13zu %9.2f %12.3f %12.3f ", RouteName(c.route), c.otherBlocks,
              c.disk.size() / 1e6, t.medianMs, t.fastestMs);
  if (t.flushMs < 0)
    std::printf("%12s\n", "-");
  else
    std::printf("%12.3f\n", t.flushMs);
  std::fflush(stdout);
}

}  // namespace corvane
