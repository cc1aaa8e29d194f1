#include "day_file.h"

#include <algorithm>
#include <cstddef>

#include "history_naming.h"

namespace corvane {
namespace {

// What one read with a 255-character line buffer returns.
constexpr std::size_t kLinePieceLimit = 254;

constexpr std::string_view kKeyLineStart = "<!--";

std::size_t PieceLength(std::string_view content, std::size_t start) {
  const std::size_t limit = std::min(kLinePieceLimit, content.size() - start);
  const std::size_t line_feed = content.substr(start, limit).find('\n');
  return line_feed == std::string_view::npos ? limit : line_feed + 1;
}

std::size_t FindPiece(std::string_view content, std::size_t from, std::string_view piece) {
  for (std::size_t start = from; start < content.size(); start += PieceLength(content, start)) {
    if (content.substr(start, PieceLength(content, start)) == piece) return start;
  }
  return std::string_view::npos;
}

std::size_t FindPieceStartingWith(std::string_view content, std::size_t from, std::string_view prefix) {
  for (std::size_t start = from; start < content.size(); start += PieceLength(content, start)) {
    if (content.compare(start, prefix.size(), prefix) == 0) return start;
  }
  return content.size();
}

}  // namespace

std::string FormatCreationBlock(std::string_view session_key, std::string_view text) {
  std::string block = SessionKeyLine(session_key);
  block += '\n';
  block += text;
  block += '\n';
  return block;
}

std::string FormatRewriteBlock(std::string_view session_key, std::string_view text) {
  std::string block = SessionKeyLine(session_key);
  block += "\n<BASE TARGET=\"_new\">\n";
  block += text;
  block += "<BR>\n";
  return block;
}

std::string RewriteDayFile(std::string_view content, std::string_view session_key, std::string_view text) {
  const std::string key_piece = SessionKeyLine(session_key) + '\n';
  const std::size_t block = FindPiece(content, 0, key_piece);
  if (block == std::string_view::npos) {
    std::string appended(content);
    if (!appended.empty() && appended.back() != '\n') appended += '\n';
    return appended + FormatRewriteBlock(session_key, text);
  }
  const std::size_t next_block = FindPieceStartingWith(content, block + key_piece.size(), kKeyLineStart);
  std::string rewritten(content.substr(0, block));
  rewritten += FormatRewriteBlock(session_key, text);
  rewritten += content.substr(next_block);
  return rewritten;
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
