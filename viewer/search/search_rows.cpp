#include "viewer/search/search_rows.h"

#include <utility>

#include "viewer/search/search_texts.h"

namespace corvane {

std::vector<SearchRow> SearchRows::Of(const SearchDay& day, std::string_view html) {
  std::vector<SearchRow> batch;
  if (capped_) return batch;
  const std::vector<std::size_t>& found = search_.Find(html);
  if (found.empty()) return batch;
  capped_ = rows_ + found.size() > kMaxSearchRows;
  const std::size_t taken = capped_ ? kMaxSearchRows - rows_ : found.size();
  std::vector<std::string> texts =
      MatchRowTexts(search_.Text(), found, taken, search_.QueryLength());
  batch.reserve(taken);
  for (std::size_t i = 0; i < taken; ++i) {
    batch.push_back(SearchRow{day, std::move(texts[i]), static_cast<int>(i)});
  }
  rows_ += taken;
  return batch;
}

}  // namespace corvane
