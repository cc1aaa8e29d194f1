#include "viewer/search/line_finder.h"

namespace corvane {

LineFinder::LineFinder(std::string_view query, const FoldTable& fold) : fold_(fold) {
  if (query.empty() || query.find('\n') != std::string_view::npos) return;
  for (char c : query) folded_ += static_cast<char>(fold[static_cast<unsigned char>(c)]);
  const std::size_t last = folded_.size() - 1;
  // Horspool: a window whose last byte folds as query byte i (the last such
  // i before the end) can hold a match only after moving last - i on.
  std::array<std::size_t, 256> byFold;
  byFold.fill(folded_.size());
  for (std::size_t i = 0; i < last; ++i) byFold[static_cast<unsigned char>(folded_[i])] = last - i;
  for (std::size_t byte = 0; byte < shift_.size(); ++byte) shift_[byte] = byFold[fold[byte]];
  const unsigned char lineFeed = fold['\n'];
  checkLineFeeds_ = folded_.find(static_cast<char>(lineFeed)) != std::string::npos;
}

bool LineFinder::MatchesAt(const unsigned char* at) const {
  for (std::size_t i = folded_.size(); i-- > 0;) {
    if (fold_[at[i]] != static_cast<unsigned char>(folded_[i])) return false;
  }
  if (!checkLineFeeds_) return true;
  for (std::size_t i = 0; i < folded_.size(); ++i) {
    if (at[i] == '\n') return false;
  }
  return true;
}

// Leftmost first and never overlapping, so the offsets are those of the
// plain scan.
void LineFinder::FindAll(std::string_view text, std::vector<std::size_t>& found) const {
  const std::size_t length = folded_.size();
  if (length == 0 || text.size() < length) return;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t lastStart = text.size() - length;
  for (std::size_t at = 0; at <= lastStart;) {
    if (MatchesAt(bytes + at)) {
      found.push_back(at);
      at += length;
    } else {
      at += shift_[bytes[at + length - 1]];
    }
  }
}

}  // namespace corvane
