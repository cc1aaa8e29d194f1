#include "hooklib/history/day_file_write.h"

#include <limits>
#include <optional>
#include <utility>

#include "hooklib/history/day_file.h"

namespace corvane {
namespace {

// Closes the file however the write ends.
class OpenedForWrite {
 public:
  explicit OpenedForWrite(DayFileStore& file) : file_(file), size_(file.Open()) {}
  ~OpenedForWrite() { file_.Close(); }
  OpenedForWrite(const OpenedForWrite&) = delete;
  OpenedForWrite& operator=(const OpenedForWrite&) = delete;
  const std::optional<std::uint64_t>& size() const { return size_; }

 private:
  DayFileStore& file_;
  std::optional<std::uint64_t> size_;
};

// Whether the whole file can be read into memory, and its length said in a
// size_t (a 32-bit one in the library).
bool FitsInMemory(std::uint64_t size) {
  return size <= std::numeric_limits<std::size_t>::max() / 2;
}

bool Holds(DayFileStore& file, std::uint64_t offset, std::string_view expected) {
  std::string found;
  return file.Read(offset, expected.size(), found) && found == expected;
}

void Remember(DayFileMark& mark, std::uint64_t key_offset, std::string block) {
  mark.key_offset = key_offset;
  mark.file_size = key_offset + block.size();
  mark.block = std::move(block);
}

// The new content of the whole file, and where the block stands in it.
struct Rewrite {
  std::string content;
  std::uint64_t block_start;
  // The block is the one the next write finds.  An appended block may not
  // be: the line feed put before it can complete a key line that a write
  // cut short left at the old end of the file.
  bool found_again;

  Rewrite(std::string_view disk, std::string_view session_key, std::optional<BlockSpan> old_block,
          std::string_view block)
      : content(SpliceDayFile(disk, old_block, block)),
        block_start(old_block ? old_block->start : content.size() - block.size()),
        found_again(old_block || FindSessionBlock(content, session_key)->start == block_start) {}

  void RememberIfLast(DayFileMark& mark, std::string block) const {
    if (found_again && block_start + block.size() == content.size())
      Remember(mark, block_start, std::move(block));
  }
};

// Where the append may start when the mark says where the block is.  The
// block is read back (it still stands on a line of its own, as the session
// wrote it, and ends the file), but nothing before it.
std::optional<std::size_t> MarkedAppendStart(DayFileStore& file, std::uint64_t size,
                                             std::string_view session_key,
                                             const DayFileMark& previous, std::string_view block) {
  if (previous.block.empty() || size != previous.file_size) return std::nullopt;
  const std::optional<std::size_t> from = AppendStart(session_key, previous.block, block);
  if (!from) return std::nullopt;
  const std::string expected = (previous.key_offset > 0 ? "\n" : "") + previous.block;
  if (!Holds(file, previous.file_size - expected.size(), expected)) return std::nullopt;
  return from;
}

// A failed in-place write may have torn the file's end: no other route would
// do better, and the next write reads the file again.
DayFileRoute AppendInPlace(DayFileStore& file, std::uint64_t block_start, std::size_t from,
                           std::string& block, DayFileMark& mark) {
  if (!file.WriteTail(block_start + from, std::string_view(block).substr(from)))
    return DayFileRoute::kFailed;
  Remember(mark, block_start, std::move(block));
  return DayFileRoute::kAppended;
}

}  // namespace

DayFileRoute WriteSessionBlock(DayFileStore& file, std::string_view session_key,
                               std::string_view text, DayFileMark& mark) {
  // A write that fails or throws leaves no mark behind.
  DayFileMark previous;
  std::swap(previous.block, mark.block);
  previous.key_offset = mark.key_offset;
  previous.file_size = mark.file_size;

  if (!file.Exists()) {
    std::string created = ToDiskText(FormatCreationBlock(session_key, text));
    if (file.Replace(created, false)) {
      Remember(mark, 0, std::move(created));
      return DayFileRoute::kCreated;
    }
    // Another writer may have made the file meanwhile: then write into it.
    if (!file.Exists()) return DayFileRoute::kFailed;
  }

  std::string block = ToDiskText(FormatRewriteBlock(session_key, text));
  std::string disk;
  std::optional<BlockSpan> old_block;
  {
    const OpenedForWrite opened(file);
    if (!opened.size()) return DayFileRoute::kFailed;
    if (const auto from = MarkedAppendStart(file, *opened.size(), session_key, previous, block)) {
      return AppendInPlace(file, previous.key_offset, *from, block, mark);
    }
    if (!FitsInMemory(*opened.size()) ||
        !file.Read(0, static_cast<std::size_t>(*opened.size()), disk)) {
      return DayFileRoute::kFailed;
    }
    old_block = FindSessionBlock(disk, session_key);
    if (old_block && old_block->end == disk.size()) {
      const std::string_view last = std::string_view(disk).substr(old_block->start);
      if (const auto from = AppendStart(session_key, last, block)) {
        return AppendInPlace(file, old_block->start, *from, block, mark);
      }
    }
  }

  Rewrite rewrite(disk, session_key, old_block, block);
  if (file.Replace(rewrite.content, true)) {
    rewrite.RememberIfLast(mark, std::move(block));
    return DayFileRoute::kReplaced;
  }

  const OpenedForWrite reopened(file);
  if (!reopened.size()) return DayFileRoute::kFailed;
  if (*reopened.size() != disk.size()) {
    // Another writer changed the file since it was read: build on what it
    // holds now.
    if (!FitsInMemory(*reopened.size()) ||
        !file.Read(0, static_cast<std::size_t>(*reopened.size()), disk)) {
      return DayFileRoute::kFailed;
    }
    rewrite = Rewrite(disk, session_key, FindSessionBlock(disk, session_key), block);
  }
  const std::size_t from = FirstDifference(disk, rewrite.content);
  if (!file.WriteTail(from, std::string_view(rewrite.content).substr(from)))
    return DayFileRoute::kFailed;
  rewrite.RememberIfLast(mark, std::move(block));
  return DayFileRoute::kRewrittenInPlace;
}

}  // namespace corvane
