#include "viewer/search/index_text.h"

#include "viewer/search/view_text.h"

#include <algorithm>
#include <set>
#include <unordered_set>

namespace corvane {
namespace {

// Enough pieces to leave few days beside the matches; each costs the index
// one more list to read.
constexpr std::size_t kMostPieces = 32;

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

void IndexTextOf(std::string_view viewText, const FoldTable& fold, std::string& folded,
                 std::string& indexed) {
  folded.resize(viewText.size());
  for (std::size_t i = 0; i < viewText.size(); ++i)
    folded[i] = static_cast<char>(fold[static_cast<unsigned char>(viewText[i])]);
  const std::string_view text = folded;
  std::unordered_set<std::string_view> lines;
  indexed.clear();
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t end = std::min(text.find('\n', begin), text.size());
    const std::string_view line = text.substr(begin, end - begin);
    if (!line.empty() && lines.insert(line).second) {
      for (char c : line) AppendCharacter(static_cast<unsigned char>(c), indexed);
      indexed += '\n';
    }
    begin = end + 1;
  }
}

void MakeIndexText(std::string& html, const FoldTable& fold) {
  std::string text, folded, indexed;
  ViewTextOf(html, text);
  IndexTextOf(text, fold, folded, indexed);
  html.swap(indexed);
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
