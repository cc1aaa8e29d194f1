#include "viewer/search/index_text.h"

#include "viewer/html/view_text.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

namespace corvane {
namespace {

// Enough pieces to leave few days beside the matches; each costs the index
// one more list to read.
constexpr std::size_t kMostPieces = 32;

std::uint64_t FoldedHash(std::string_view line, const FoldTable& fold) {
  std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (char c : line) hash = (hash ^ fold[static_cast<unsigned char>(c)]) * 1099511628211ULL;
  return hash;
}

bool SameFolded(std::string_view a, std::string_view b, const FoldTable& fold) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold[static_cast<unsigned char>(a[i])] != fold[static_cast<unsigned char>(b[i])])
      return false;
  }
  return true;
}

void AppendCharacter(unsigned char byte, std::string& out) {
  if (byte == 0) {
    out += "\xC4\x80";  // U+0100
  } else if (byte < 0x80) {
    out += static_cast<char>(byte);
  } else {
    out += static_cast<char>(0xC0 | (byte >> 6));
    out += static_cast<char>(0x80 | (byte & 0x3F));
  }
}

}  // namespace

void IndexTextOf(std::string_view viewText, const FoldTable& fold, std::string& indexed,
                 IndexTextBuffers& buffers) {
  // The lines seen, found by the hash of their folded bytes in a table of
  // twice as many slots (a power of two), so that a day's thousands of
  // lines cost no allocation each.
  const std::size_t lineFeeds =
      static_cast<std::size_t>(std::count(viewText.begin(), viewText.end(), '\n'));
  std::size_t slots = 16;
  while (slots < 2 * (lineFeeds + 1)) slots *= 2;
  buffers.slots.assign(slots, 0);
  buffers.lines.clear();
  indexed.clear();
  indexed.reserve(viewText.size() / 4);
  for (std::size_t begin = 0; begin < viewText.size();) {
    const std::size_t end = std::min(viewText.find('\n', begin), viewText.size());
    const std::string_view line = viewText.substr(begin, end - begin);
    begin = end + 1;
    if (line.empty()) continue;
    std::size_t slot = static_cast<std::size_t>(FoldedHash(line, fold)) & (slots - 1);
    bool seen = false;
    for (; buffers.slots[slot] != 0; slot = (slot + 1) & (slots - 1)) {
      if (SameFolded(buffers.lines[buffers.slots[slot] - 1], line, fold)) {
        seen = true;
        break;
      }
    }
    if (seen) continue;
    buffers.lines.push_back(line);
    buffers.slots[slot] = static_cast<std::uint32_t>(buffers.lines.size());
    for (char c : line) AppendCharacter(fold[static_cast<unsigned char>(c)], indexed);
    indexed += '\n';
  }
}

// The text is copied into the HTML's own buffer: a reader's buffers are
// then never given up and made again.
void MakeIndexText(std::string& html, const FoldTable& fold, IndexTextBuffers& buffers) {
  ViewTextOf(html, buffers.text);
  IndexTextOf(buffers.text, fold, buffers.indexed, buffers);
  html.assign(buffers.indexed);
}

std::optional<std::string> IndexQueryOf(std::string_view query, const FoldTable& fold) {
  if (query.size() < kIndexGram || query.find('\n') != std::string_view::npos) return std::nullopt;
  std::string folded;
  for (char c : query) folded += static_cast<char>(fold[static_cast<unsigned char>(c)]);
  // Where pieces start: all of them, or as many as taken, first and last
  // included, evenly apart.
  const std::size_t starts = folded.size() - kIndexGram + 1;
  const std::size_t taken = std::min(starts, kMostPieces);
  std::set<std::string> pieces;
  for (std::size_t i = 0; i < taken; ++i) {
    const std::size_t at = taken == starts ? i : i * (starts - 1) / (taken - 1);
    pieces.insert(folded.substr(at, kIndexGram));
  }
  std::string match;
  for (const std::string& piece : pieces) {
    if (!match.empty()) match += " AND ";
    match += '"';
    for (char c : piece) {
      if (c == '"') match += '"';  // FTS5 doubles a quote inside a string
      AppendCharacter(static_cast<unsigned char>(c), match);
    }
    match += '"';
  }
  return match;
}

}  // namespace corvane
