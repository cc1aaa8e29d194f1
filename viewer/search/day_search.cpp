#include "viewer/search/day_search.h"

#include "viewer/html/view_text.h"

namespace corvane {

const std::vector<std::size_t>& DaySearch::Find(std::string_view html) {
  found_.clear();
  ViewTextOf(html, text_);
  finder_.FindAll(text_, found_);
  return found_;
}

}  // namespace corvane
