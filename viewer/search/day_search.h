// Finding a query in one day file as the History Viewer shows it: the
// search's matcher, run over every day of a history.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/search/line_finder.h"

namespace corvane {

class DaySearch {
 public:
  DaySearch(std::string_view query, const FoldTable& fold) : finder_(query, fold) {}

  // The offsets in Text() of the query's occurrences in the day's HTML,
  // in document order: those of FindInLines(ConvertHtml(html).text, query,
  // fold), so that occurrence n here is occurrence n of the view's
  // highlighting.  Valid until the next call.
  const std::vector<std::size_t>& Find(std::string_view html);

  // The day's text as the view shows it, from the last Find.
  const std::string& Text() const { return text_; }
  std::size_t QueryLength() const { return finder_.QueryLength(); }

 private:
  LineFinder finder_;
  std::string text_;
  std::vector<std::size_t> found_;
};

}  // namespace corvane
