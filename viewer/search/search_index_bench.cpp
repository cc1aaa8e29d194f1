// Where the search index's build and its answers spend their time, natively:
// every day file under a folder (tools/viewer-bench's tree) held in memory,
// searched once as the full scan does (the first query), then indexed from
// nothing into a fresh database, committed as often as the indexer does,
// and each query asked of the index.  Each step gives its processor seconds
// beside the clock's, as the machine's other jobs stretch the latter.
// Build it with optimisation (the `bench` preset):
//
//     search_index_bench TREE [QUERY...]
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "viewer/html/testing/ascii_lower_fold.h"
#include "viewer/search/day_index.h"
#include "viewer/search/index_text.h"
#include "viewer/search/search_rows.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The clock's and the processor's seconds since it was made.
struct Timer {
  Clock::time_point wall = Clock::now();
  std::clock_t cpu = std::clock();
  std::string Text() const {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f s (processor %.2f s)", Seconds(Clock::now() - wall),
                  static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
    return text;
  }
};

// The indexer commits what it indexed this often.
constexpr auto kBatch = std::chrono::milliseconds(250);

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: search_index_bench TREE [QUERY...]\n");
    return 2;
  }
  std::vector<std::pair<corvane::ListedDay, std::string>> days;
  std::size_t bytes = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argv[1])) {
    if (!entry.is_regular_file()) continue;
    const fs::path& path = entry.path();
    corvane::ListedDay day{{path.parent_path().parent_path().filename().string(),
                            path.parent_path().filename().string(), path.stem().string()},
                           static_cast<std::uint64_t>(entry.file_size()),
                           1};
    std::string html(static_cast<std::size_t>(entry.file_size()), '\0');
    std::ifstream(path, std::ios::binary).read(&html[0], static_cast<std::streamsize>(html.size()));
    bytes += html.size();
    days.emplace_back(std::move(day), std::move(html));
  }
  std::printf("%zu files, %.0f MB of HTML\n", days.size(), static_cast<double>(bytes) / (1 << 20));

  const corvane::FoldTable fold = corvane::AsciiLowerFold();
  if (argc > 2) {
    corvane::SearchTerms terms{argv[2], fold, {}, fold};
    corvane::SearchRows search(terms);
    corvane::SearchRowList rows;
    const Timer scan;
    for (const auto& [day, html] : days) search.Of(day.day, html, rows);
    std::printf("one full scan for %s: %s, %zu rows\n", argv[2], scan.Text().c_str(), rows.Size());
    std::printf(
        "the rows kept: %.1f bytes a row, %.1f MB a million rows\n",
        static_cast<double>(rows.Bytes()) / static_cast<double>(rows.Size()),
        static_cast<double>(rows.Bytes()) / static_cast<double>(rows.Size()) * 1e6 / (1 << 20));
  }

  // The texts first, as the indexer's reading threads make them; then the
  // database's share, as its writing thread has it.
  std::size_t indexedBytes = 0;
  const Timer texts;
  corvane::IndexTextBuffers buffers;
  for (auto& entry : days) {
    corvane::MakeIndexText(entry.second, fold, buffers);
    indexedBytes += entry.second.size();
  }
  std::printf("the index's texts: %s (%.0f MB)\n", texts.Text().c_str(),
              static_cast<double>(indexedBytes) / (1 << 20));

  const std::string path = (fs::temp_directory_path() / "corvane-search-index-bench.db").string();
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path + suffix);
  const Timer inserts;
  {
    corvane::DayIndex index(path, "bench", fold);
    Clock::time_point batch = Clock::now();
    for (const auto& [day, html] : days) {
      index.PutIndexed(day, html);
      if (Clock::now() - batch >= kBatch) {
        index.Commit();
        batch = Clock::now();
      }
    }
    index.Commit();
    std::printf(
        "index built: %s, %llu bytes\n", inserts.Text().c_str(),
        static_cast<unsigned long long>(
            fs::file_size(path) + (fs::exists(path + "-wal") ? fs::file_size(path + "-wal") : 0)));
    std::vector<corvane::ListedDay> listed;
    for (const auto& entry : days) listed.push_back(entry.first);
    for (int q = 2; q < argc; ++q) {
      std::size_t unheld = 0;
      const Clock::time_point began = Clock::now();
      const auto read = index.DaysToRead(listed, argv[q], fold, unheld);
      std::printf("%-20s %6zu days to read, %.4f s\n", argv[q], read ? read->size() : listed.size(),
                  Seconds(Clock::now() - began));
    }
  }
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path + suffix);
  return 0;
}
