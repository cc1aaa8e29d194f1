#include "hooklib/history/day_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "common/history_naming.h"

namespace corvane {
namespace {

// What one read with a 255-character line buffer returns.
constexpr std::size_t kLinePieceLimit = 254;

constexpr std::string_view kKeyLineStart = "<!--";
constexpr std::string_view kBlockEnd = "<BR>\r\n";

// The end of the piece that starts at `start`: after the first line feed
// ("\r\n" is one character, a lone "\n" another) within 254 characters.
std::size_t PieceEnd(std::string_view disk, std::size_t start) {
  const std::size_t window = std::min(kLinePieceLimit + 1, disk.size() - start);
  const std::size_t lineFeed = disk.substr(start, window).find('\n');
  if (lineFeed != std::string_view::npos) {
    const bool pair = lineFeed > 0 && disk[start + lineFeed - 1] == '\r';
    if (lineFeed + 1 - (pair ? 1 : 0) <= kLinePieceLimit) return start + lineFeed + 1;
  }
  return start + std::min(kLinePieceLimit, disk.size() - start);
}

std::size_t FindPieceStartingWith(std::string_view disk, std::size_t from,
                                  std::string_view prefix) {
  for (std::size_t start = from; start < disk.size(); start = PieceEnd(disk, start)) {
    if (disk.compare(start, prefix.size(), prefix) == 0) return start;
  }
  return disk.size();
}

// The start of the end tags ("</...>") that close the text before `end`.
std::size_t ClosingTagsStart(std::string_view block, std::size_t end) {
  while (end > 0 && block[end - 1] == '>') {
    const std::size_t open = block.rfind('<', end - 1);
    if (open == std::string_view::npos || block.compare(open, 2, "</") != 0 ||
        block.find('>', open) != end - 1) {
      break;
    }
    end = open;
  }
  return end;
}

}  // namespace

std::string FormatCreationBlock(std::string_view sessionKey, std::string_view text) {
  std::string block = SessionKeyLine(sessionKey);
  block += '\n';
  block += text;
  block += '\n';
  return block;
}

std::string FormatRewriteBlock(std::string_view sessionKey, std::string_view text) {
  std::string block = SessionKeyLine(sessionKey);
  block += "\n<BASE TARGET=\"_new\">\n";
  block += text;
  block += "<BR>\n";
  return block;
}

std::optional<BlockSpan> FindSessionBlock(std::string_view disk, std::string_view sessionKey) {
  const std::string keyPiece = SessionKeyLine(sessionKey) + '\n';
  for (std::size_t start = 0; start < disk.size();) {
    const std::size_t end = PieceEnd(disk, start);
    const std::string_view piece = disk.substr(start, end - start);
    if (piece.compare(0, kKeyLineStart.size(), kKeyLineStart) == 0 &&
        FromDiskText(piece) == keyPiece) {
      return BlockSpan{start, FindPieceStartingWith(disk, end, kKeyLineStart)};
    }
    start = end;
  }
  return std::nullopt;
}

std::string SpliceDayFile(std::string_view disk, std::optional<BlockSpan> oldBlock,
                          std::string_view newBlock) {
  std::string spliced;
  spliced.reserve(disk.size() + newBlock.size() + 2);
  if (oldBlock) {
    spliced.append(disk.substr(0, oldBlock->start));
    spliced.append(newBlock);
    spliced.append(disk.substr(oldBlock->end));
    return spliced;
  }
  spliced.append(disk);
  if (!spliced.empty() && spliced.back() != '\n') spliced += "\r\n";
  spliced.append(newBlock);
  return spliced;
}

std::optional<std::size_t> AppendStart(std::string_view sessionKey, std::string_view oldBlock,
                                       std::string_view newBlock) {
  const std::string head = ToDiskText(FormatRewriteBlock(sessionKey, ""));
  const std::string_view header = std::string_view(head).substr(0, head.size() - kBlockEnd.size());
  const auto inRewriteForm = [&](std::string_view block) {
    return block.size() >= head.size() && block.compare(0, header.size(), header) == 0 &&
           block.compare(block.size() - kBlockEnd.size(), kBlockEnd.size(), kBlockEnd) == 0;
  };
  if (!inRewriteForm(oldBlock) || !inRewriteForm(newBlock)) return std::nullopt;
  const std::size_t differ = FirstDifference(oldBlock, newBlock);
  if (differ < ClosingTagsStart(oldBlock, oldBlock.size() - kBlockEnd.size())) return std::nullopt;
  return differ;
}

std::size_t FirstDifference(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  return static_cast<std::size_t>(
      std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(common), b.begin()).first -
      a.begin());
}

std::string TemporaryDayFileName(int year, int month, int day, unsigned long writer) {
  // At most 20 characters; the shortest day file name has 24.
  char name[32];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d.~%lx", year % 10000, month % 100, day % 100,
                writer & 0xffffffffUL);
  return name;
}

std::string ToDiskText(std::string_view logical) {
  std::string disk;
  disk.reserve(logical.size());
  for (const char c : logical) {
    if (c == '\n') disk += '\r';
    disk += c;
  }
  return disk;
}

std::string FromDiskText(std::string_view disk) {
  std::string logical;
  logical.reserve(disk.size());
  for (std::size_t i = 0; i < disk.size(); ++i) {
    if (disk[i] == '\r' && i + 1 < disk.size() && disk[i + 1] == '\n') continue;
    logical += disk[i];
  }
  return logical;
}

}  // namespace corvane
