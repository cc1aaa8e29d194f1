// One capture written into a day file that already holds other sessions'
// blocks, as the hook library does on every poll that sees new text:
//   DayFile/pure/...     from the file's bytes to the bytes to write
//                        (FromDiskText, RewriteConversation, RewriteDayFile,
//                        ToDiskText);
//   DayFile/with_io/...  the same, plus reading the file, writing the new
//                        bytes beside it and moving them over it.
// Each runs with the session's own block first and last in the file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "bench_conversation.h"
#include "capture_rewrite.h"
#include "day_file.h"
#include "history_naming.h"

using corvane::HostConversation;

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kConversationSize = 60000;

struct DayFileCase {
  std::string name;
  std::string session_key;
  std::string conversation;
  std::string disk;  // the day file's bytes before the capture
};

// A day file built the way sessions write it: the first block in creation
// form, each later one appended.  The session's own block holds its previous
// capture, a little shorter than the conversation now.
DayFileCase MakeCase(std::size_t other_blocks, bool own_block_first) {
  DayFileCase c;
  c.name = "others_" + std::to_string(other_blocks) + (own_block_first ? "/own_first" : "/own_last");
  c.session_key = corvane::MakeSessionKey(21, 30, 0, 0x1a04b2);
  c.conversation = HostConversation(kConversationSize);

  std::vector<std::pair<std::string, std::string>> blocks;
  const std::string others_text = corvane::RewriteConversation(c.conversation);
  for (std::size_t i = 0; i < other_blocks; ++i) {
    blocks.emplace_back(corvane::MakeSessionKey(9, static_cast<int>(i % 60), 7, 0x2b0000u + i), others_text);
  }
  const auto own_block = std::make_pair(
      c.session_key, corvane::RewriteConversation(HostConversation(kConversationSize - 1000)));
  blocks.insert(own_block_first ? blocks.begin() : blocks.end(), own_block);

  std::string content = corvane::FormatCreationBlock(blocks.front().first, blocks.front().second);
  for (std::size_t i = 1; i < blocks.size(); ++i) {
    content = corvane::RewriteDayFile(content, blocks[i].first, blocks[i].second);
  }
  c.disk = corvane::ToDiskText(content);
  return c;
}

std::string NewDayFileBytes(const DayFileCase& c, std::string_view disk) {
  return corvane::ToDiskText(corvane::RewriteDayFile(corvane::FromDiskText(disk), c.session_key,
                                                     corvane::RewriteConversation(c.conversation)));
}

void Pure(benchmark::State& state, const DayFileCase& c) {
  for (auto _ : state) {
    std::string bytes = NewDayFileBytes(c, c.disk);
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["file_bytes"] = static_cast<double>(c.disk.size());
}

bool ReadFile(const fs::path& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad() && in.is_open();
}

bool WriteFile(const fs::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  return !out.fail();
}

// A folder of its own in /tmp, removed when the case is done.
class ScratchFolder {
 public:
  ScratchFolder() {
    char name[] = "/tmp/day_file_bench.XXXXXX";
    if (mkdtemp(name) != nullptr) path_ = name;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void WithIo(benchmark::State& state, const DayFileCase& c) {
  ScratchFolder folder;
  const fs::path day_file = folder.path() / corvane::DayFileName(2002, 6, 14, 5);
  fs::path pending = day_file;
  pending += ".new";
  if (folder.path().empty() || !WriteFile(day_file, c.disk)) {
    state.SkipWithError("cannot write the day file in /tmp");
    return;
  }
  for (auto _ : state) {
    std::string disk;
    if (!ReadFile(day_file, disk)) {
      state.SkipWithError("cannot read the day file");
      break;
    }
    if (!WriteFile(pending, NewDayFileBytes(c, disk))) {
      state.SkipWithError("cannot write the new content");
      break;
    }
    std::error_code error;
    fs::rename(pending, day_file, error);
    if (error) {
      state.SkipWithError("cannot move the new content over the day file");
      break;
    }
  }
  state.counters["file_bytes"] = static_cast<double>(c.disk.size());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  std::vector<DayFileCase> cases;
  for (const std::size_t others : {1, 50}) {
    cases.push_back(MakeCase(others, true));
    cases.push_back(MakeCase(others, false));
  }
  for (const DayFileCase& c : cases) {
    benchmark::RegisterBenchmark(("DayFile/pure/" + c.name).c_str(), Pure, c)->Unit(benchmark::kMillisecond);
  }
  for (const DayFileCase& c : cases) {
    benchmark::RegisterBenchmark(("DayFile/with_io/" + c.name).c_str(), WithIo, c)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
