#include "viewer/search/search_rows.h"

#include <algorithm>

#include "common/history_naming.h"
#include "viewer/search/line_finder.h"
#include "viewer/search/search_texts.h"

namespace corvane {

bool SearchesAnything(const SearchTerms& terms) {
  return !terms.query.empty() || !WithoutSpaces(terms.saidBy).empty();
}

SearchRows::SearchRows(const SearchTerms& terms)
    : query_(terms.query),
      fold_(terms.fold),
      search_(terms.query, terms.fold),
      saidBy_(terms.saidBy, terms.nameFold) {}

const std::vector<SearchRows::Match>& SearchRows::Find(std::string_view html) {
  matches_.clear();
  const std::vector<std::size_t>& found = search_.Find(html);
  if (saidBy_.Anyone()) {
    for (std::size_t i = 0; i < found.size(); ++i)
      matches_.push_back(Match{found[i], static_cast<std::uint32_t>(i)});
    return matches_;
  }
  LineWalk walk(search_.Text(), saidBy_);
  if (query_.empty()) {
    for (std::size_t begin = 0; walk.NextSaid(begin);)
      matches_.push_back(Match{begin, static_cast<std::uint32_t>(matches_.size())});
    return matches_;
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (walk.SaidAt(found[i])) matches_.push_back(Match{found[i], static_cast<std::uint32_t>(i)});
  }
  return matches_;
}

std::vector<std::string> SearchRows::TextsOf(std::size_t count) {
  offsets_.clear();
  for (std::size_t i = 0; i < count; ++i) offsets_.push_back(matches_[i].offset);
  return MatchRowTexts(search_.Text(), offsets_, count, search_.QueryLength());
}

std::size_t SearchRows::Of(const HistoryDay& day, std::string_view html, SearchRowList& rows) {
  offsets_.clear();
  if (capped_) return 0;
  const std::vector<Match>& found = Find(html);
  if (found.empty()) return 0;
  capped_ = rows_ + found.size() > kMaxSearchRows;
  const std::size_t taken = capped_ ? kMaxSearchRows - rows_ : found.size();
  if (taken == 0) return 0;
  const std::vector<std::string> texts = TextsOf(taken);
  rows.AddDay(day);
  for (std::size_t i = 0; i < taken; ++i) rows.Add(texts[i], found[i].place);
  rows_ += taken;
  return taken;
}

std::vector<std::uint32_t> SearchRows::LinesOfLastRows() const {
  std::vector<std::uint32_t> lines;
  const std::string& text = search_.Text();
  std::uint32_t line = 1;
  std::size_t counted = 0;
  for (std::size_t offset : offsets_) {
    for (; counted < offset; ++counted) line += text[counted] == '\n' ? 1 : 0;
    lines.push_back(line);
  }
  return lines;
}

std::optional<RowInView> SearchRows::Locate(std::string_view html, std::string_view text,
                                            std::uint32_t place) {
  const std::vector<Match>& found = Find(html);
  const std::vector<std::string> texts = TextsOf(found.size());
  std::optional<std::size_t> best;
  const auto distance = [&](std::size_t i) {
    return found[i].place > place ? found[i].place - place : place - found[i].place;
  };
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (texts[i] == text && (!best || distance(i) < distance(*best))) best = i;
  }
  if (!best) return std::nullopt;
  if (!query_.empty()) return RowInView{query_, static_cast<int>(found[*best].place)};
  // A line said, without a query: the whole line is what the view shows
  // highlighted, as the occurrence of its text that begins there.
  const std::string& shown = search_.Text();
  const std::size_t begin = found[*best].offset;
  const std::size_t end = std::min(shown.find('\n', begin), shown.size());
  RowInView line{shown.substr(begin, end - begin), 0};
  std::vector<std::size_t> occurrences;
  LineFinder(line.highlight, fold_).FindAll(shown, occurrences);
  while (static_cast<std::size_t>(line.occurrence) < occurrences.size() &&
         occurrences[static_cast<std::size_t>(line.occurrence)] < begin) {
    ++line.occurrence;
  }
  return line;
}

}  // namespace corvane
