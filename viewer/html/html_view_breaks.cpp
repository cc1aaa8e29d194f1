#include "viewer/html/html_view_breaks.h"

#include <algorithm>

namespace corvane {

PageBreaks::PageBreaks(std::string_view text, std::size_t longest, std::size_t longestLine) {
  std::size_t lineStart = 0;  // of the page's paragraph
  std::size_t textLineStart = 0;
  std::size_t stretchStart = 0;  // the line's start or the last break
  std::size_t afterSpace = 0;    // past the stretch's last space, or its start
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      if (i + 1 - lineStart >= longestLine || i - textLineStart >= kLongestSharedLine) {
        paragraphEnds_.push_back(i);
        lineStart = i + 1;
      }
      textLineStart = stretchStart = afterSpace = i + 1;
      continue;
    }
    if (i - stretchStart == longest) {
      stretchStart = afterSpace > stretchStart ? afterSpace : i;
      places_.push_back(stretchStart);
      afterSpace = stretchStart;
      if (stretchStart - lineStart >= longestLine) {
        lineStarts_.push_back(stretchStart);
        lineStart = stretchStart;
      }
    }
    if (text[i] == ' ') afterSpace = i + 1;
  }
}

bool PageBreaks::Alters(std::string_view text, std::size_t begin, std::size_t end) const {
  const auto place = std::lower_bound(places_.begin(), places_.end(), begin);
  if (place != places_.end() && *place < end) return true;
  auto paragraphEnd = std::lower_bound(paragraphEnds_.begin(), paragraphEnds_.end(), begin);
  for (std::size_t at = text.find('\n', begin); at < end; at = text.find('\n', at + 1)) {
    while (paragraphEnd != paragraphEnds_.end() && *paragraphEnd < at) ++paragraphEnd;
    if (paragraphEnd == paragraphEnds_.end() || *paragraphEnd != at) return true;
  }
  return false;
}

std::size_t PageBreaks::Shown(std::size_t position) const {
  return position +
         static_cast<std::size_t>(std::lower_bound(places_.begin(), places_.end(), position) -
                                  places_.begin());
}

std::size_t PageBreaks::Text(std::size_t shown) const {
  // Break k stands at places_[k] + k on the page, which grows with k.
  std::size_t before = 0, after = places_.size();
  while (before < after) {
    const std::size_t middle = before + (after - before) / 2;
    if (places_[middle] + middle < shown) {
      before = middle + 1;
    } else {
      after = middle;
    }
  }
  return shown - before;
}

}  // namespace corvane
