// Where a search's processor time goes on this machine, natively: the day
// files under a folder (tools/viewer-bench's tree), each held in memory, then
// for each query the view's text made from every file, and the matcher run
// over it.  The reads under Wine are timed by tools/viewer-bench.  Build it
// with optimisation (the `bench` preset) for figures worth comparing:
//
//     day_search_bench TREE [QUERY...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "viewer/html/testing/ascii_lower_fold.h"
#include "viewer/html/view_text.h"
#include "viewer/search/day_search.h"
#include "viewer/search/line_finder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The least of a few runs: the figure the machine's other jobs stretch least.
template <typename Work>
double LeastSeconds(Work work) {
  double least = 1e9;
  for (int run = 0; run < 3; ++run) {
    const Clock::time_point began = Clock::now();
    work();
    least = std::min(least, Seconds(Clock::now() - began));
  }
  return least;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: day_search_bench TREE [QUERY...]\n");
    return 2;
  }
  std::vector<std::string> files;
  std::size_t bytes = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argv[1])) {
    if (!entry.is_regular_file()) continue;
    std::string& html = files.emplace_back(static_cast<std::size_t>(entry.file_size()), '\0');
    std::ifstream(entry.path(), std::ios::binary)
        .read(&html[0], static_cast<std::streamsize>(html.size()));
    bytes += html.size();
  }
  const double megabytes = static_cast<double>(bytes) / (1 << 20);
  std::printf("%zu files, %.0f MB of HTML\n", files.size(), megabytes);

  std::string text;
  std::size_t textBytes = 0;
  const double convert = LeastSeconds([&] {
    textBytes = 0;
    for (const std::string& html : files) {
      corvane::ViewTextOf(html, text);
      textBytes += text.size();
    }
  });
  std::printf("%-24s %8.3f s %8.0f MB/s  (%.0f MB of text)\n", "view text only", convert,
              megabytes / convert, static_cast<double>(textBytes) / (1 << 20));

  // tools/viewer-bench's queries: in 24 days, nowhere, in most days.
  const std::vector<std::string> kQueries = {"buddy017", "zebra crossing", "pictures"};
  const std::vector<std::string> queries =
      argc > 2 ? std::vector<std::string>(argv + 2, argv + argc) : kQueries;
  const corvane::FoldTable fold = corvane::AsciiLowerFold();
  for (const std::string& query : queries) {
    corvane::DaySearch search(query, fold);
    std::size_t found = 0;
    const double whole = LeastSeconds([&] {
      found = 0;
      for (const std::string& html : files) found += search.Find(html).size();
    });
    // The matcher alone, over the texts the conversion made.
    corvane::LineFinder finder(query, fold);
    std::vector<std::size_t> offsets;
    std::vector<std::string> texts;
    for (const std::string& html : files) corvane::ViewTextOf(html, texts.emplace_back());
    const double match = LeastSeconds([&] {
      for (const std::string& day : texts) {
        offsets.clear();
        finder.FindAll(day, offsets);
      }
    });
    std::printf("%-24s %8.3f s %8.0f MB/s  matching alone %.3f s; %zu matches\n", query.c_str(),
                whole, megabytes / whole, match, found);
  }
  return 0;
}
