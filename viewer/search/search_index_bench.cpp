// Where the search index's build and its answers spend their time, natively:
// every day file under a folder (tools/viewer-bench's tree) held in memory,
// then indexed from nothing into a fresh database, and each query asked of
// the index.  Build it with optimisation (the `bench` preset):
//
//     search_index_bench TREE [QUERY...]
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "viewer/search/day_index.h"
#include "viewer/search/index_text.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

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

  // The texts first, as the indexer's reading threads make them; then the
  // database's share, as its writing thread has it.
  const corvane::FoldTable fold = corvane::AsciiLowerFold();
  std::size_t indexedBytes = 0;
  Clock::time_point began = Clock::now();
  for (auto& entry : days) {
    corvane::MakeIndexText(entry.second, fold);
    indexedBytes += entry.second.size();
  }
  std::printf("the index's texts: %.2f s (%.0f MB)\n", Seconds(Clock::now() - began),
              static_cast<double>(indexedBytes) / (1 << 20));

  const std::string path = (fs::temp_directory_path() / "corvane-search-index-bench.db").string();
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path + suffix);
  began = Clock::now();
  {
    corvane::DayIndex index(path, "bench", fold);
    std::size_t n = 0;
    for (const auto& [day, html] : days) {
      index.PutIndexed(day, html);
      if (++n % 100 == 0) index.Commit();
    }
    index.Commit();
    std::printf(
        "index built: %.2f s, %llu bytes\n", Seconds(Clock::now() - began),
        static_cast<unsigned long long>(
            fs::file_size(path) + (fs::exists(path + "-wal") ? fs::file_size(path + "-wal") : 0)));
    std::vector<corvane::ListedDay> listed;
    for (const auto& entry : days) listed.push_back(entry.first);
    for (int q = 2; q < argc; ++q) {
      std::size_t unheld = 0;
      began = Clock::now();
      const auto read = index.DaysToRead(listed, argv[q], fold, unheld);
      std::printf("%-20s %6zu days to read, %.4f s\n", argv[q], read ? read->size() : listed.size(),
                  Seconds(Clock::now() - began));
    }
  }
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path + suffix);
  return 0;
}
