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
  const std::optional<std::uint64_t>& Size() const { return size_; }

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

void Remember(DayFileMark& mark, std::uint64_t keyOffset, std::string block) {
  mark.keyOffset = keyOffset;
  mark.fileSize = keyOffset + block.size();
  mark.block = std::move(block);
}

// The new content of the whole file, and where the block stands in it.
struct Rewrite {
  std::string content;
  std::uint64_t blockStart;
  // The block is the one the next write finds.  An appended block may not
  // be: the line feed put before it can complete a key line that a write
  // cut short left at the old end of the file.
  bool foundAgain;

  Rewrite(std::string_view disk, std::string_view sessionKey, std::optional<BlockSpan> oldBlock,
          std::string_view block)
      : content(SpliceDayFile(disk, oldBlock, block)),
        blockStart(oldBlock ? oldBlock->start : content.size() - block.size()),
        foundAgain(oldBlock || FindSessionBlock(content, sessionKey)->start == blockStart) {}

  void RememberIfLast(DayFileMark& mark, std::string block) const {
    if (foundAgain && blockStart + block.size() == content.size())
      Remember(mark, blockStart, std::move(block));
  }
};

// Where the append may start when the mark says where the block is.  The
// block is read back (it still stands on a line of its own, as the session
// wrote it, and ends the file), but nothing before it.
std::optional<std::size_t> MarkedAppendStart(DayFileStore& file, std::uint64_t size,
                                             std::string_view sessionKey,
                                             const DayFileMark& previous, std::string_view block) {
  if (previous.block.empty() || size != previous.fileSize) return std::nullopt;
  const std::optional<std::size_t> from = AppendStart(sessionKey, previous.block, block);
  if (!from) return std::nullopt;
  const std::string expected = (previous.keyOffset > 0 ? "\n" : "") + previous.block;
  if (!Holds(file, previous.fileSize - expected.size(), expected)) return std::nullopt;
  return from;
}

// A failed in-place write may have torn the file's end: no other route would
// do better, and the next write reads the file again.
DayFileRoute AppendInPlace(DayFileStore& file, std::uint64_t blockStart, std::size_t from,
                           std::string& block, DayFileMark& mark) {
  if (!file.WriteTail(blockStart + from, std::string_view(block).substr(from)))
    return DayFileRoute::kFailed;
  Remember(mark, blockStart, std::move(block));
  return DayFileRoute::kAppended;
}

}  // namespace

DayFileRoute WriteSessionBlock(DayFileStore& file, std::string_view sessionKey,
                               std::string_view text, DayFileMark& mark) {
  // A write that fails or throws leaves no mark behind.
  DayFileMark previous;
  std::swap(previous.block, mark.block);
  previous.keyOffset = mark.keyOffset;
  previous.fileSize = mark.fileSize;

  if (!file.Exists()) {
    std::string created = ToDiskText(FormatCreationBlock(sessionKey, text));
    if (file.Replace(created, false)) {
      Remember(mark, 0, std::move(created));
      return DayFileRoute::kCreated;
    }
    // Another writer may have made the file meanwhile: then write into it.
    if (!file.Exists()) return DayFileRoute::kFailed;
  }

  std::string block = ToDiskText(FormatRewriteBlock(sessionKey, text));
  std::string disk;
  std::optional<BlockSpan> oldBlock;
  {
    const OpenedForWrite opened(file);
    if (!opened.Size()) return DayFileRoute::kFailed;
    if (const auto from = MarkedAppendStart(file, *opened.Size(), sessionKey, previous, block)) {
      return AppendInPlace(file, previous.keyOffset, *from, block, mark);
    }
    if (!FitsInMemory(*opened.Size()) ||
        !file.Read(0, static_cast<std::size_t>(*opened.Size()), disk)) {
      return DayFileRoute::kFailed;
    }
    oldBlock = FindSessionBlock(disk, sessionKey);
    if (oldBlock && oldBlock->end == disk.size()) {
      const std::string_view last = std::string_view(disk).substr(oldBlock->start);
      if (const auto from = AppendStart(sessionKey, last, block)) {
        return AppendInPlace(file, oldBlock->start, *from, block, mark);
      }
    }
  }

  Rewrite rewrite(disk, sessionKey, oldBlock, block);
  if (file.Replace(rewrite.content, true)) {
    rewrite.RememberIfLast(mark, std::move(block));
    return DayFileRoute::kReplaced;
  }

  const OpenedForWrite reopened(file);
  if (!reopened.Size()) return DayFileRoute::kFailed;
  if (*reopened.Size() != disk.size()) {
    // Another writer changed the file since it was read: build on what it
    // holds now.
    if (!FitsInMemory(*reopened.Size()) ||
        !file.Read(0, static_cast<std::size_t>(*reopened.Size()), disk)) {
      return DayFileRoute::kFailed;
    }
    rewrite = Rewrite(disk, sessionKey, FindSessionBlock(disk, sessionKey), block);
  }
  const std::size_t from = FirstDifference(disk, rewrite.content);
  if (!file.WriteTail(from, std::string_view(rewrite.content).substr(from)))
    return DayFileRoute::kFailed;
  rewrite.RememberIfLast(mark, std::move(block));
  return DayFileRoute::kRewrittenInPlace;
}

}  // namespace corvane
