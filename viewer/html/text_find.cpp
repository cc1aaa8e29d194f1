#include "viewer/html/text_find.h"

namespace corvane {

FoldTable IdentityFold() {
  FoldTable fold{};
  for (std::size_t c = 0; c < fold.size(); ++c) fold[c] = static_cast<unsigned char>(c);
  return fold;
}

namespace {

bool MatchesAt(std::string_view text, std::size_t at, std::string_view query,
               const FoldTable& fold) {
  for (std::size_t i = 0; i < query.size(); ++i) {
    if (text[at + i] == '\n') return false;
    if (fold[static_cast<unsigned char>(text[at + i])] !=
        fold[static_cast<unsigned char>(query[i])]) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<std::size_t> FindInLines(std::string_view text, std::string_view query,
                                     const FoldTable& fold) {
  std::vector<std::size_t> found;
  if (query.empty() || query.find('\n') != std::string_view::npos) return found;
  std::size_t at = 0;
  while (at + query.size() <= text.size()) {
    if (MatchesAt(text, at, query, fold)) {
      found.push_back(at);
      at += query.size();
    } else {
      ++at;
    }
  }
  return found;
}

}  // namespace corvane
