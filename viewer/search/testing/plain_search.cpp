#include "viewer/search/testing/plain_search.h"

#include <optional>

#include "common/capacities.h"
#include "viewer/html/html_to_view.h"
#include "viewer/html/text_find.h"
#include "viewer/search/search_texts.h"

namespace corvane {
namespace {

struct LineOwner {
  enum { kNamed, kNobody, kAsBefore } kind;
  std::string name;
};

// "(10:02:11 PM) bob: hi" and "bob: hi" are bob's, "(IM Window Cleared)"
// nobody's, anything else the sender's of the line before.  A name is
// shorter than kNameCapacity.
LineOwner OwnerOf(std::string line) {
  if (!line.empty() && line[0] == '(' && line.find(')') != std::string::npos) {
    std::string after = line.substr(line.find(')') + 1);
    after.erase(0, after.find_first_not_of(' '));
    if (after.empty()) return {LineOwner::kNobody, ""};
    if (line[1] >= '0' && line[1] <= '9') line = after;
  }
  const std::size_t colon = line.find(": ");
  if (colon == std::string::npos || colon == 0 || colon >= kNameCapacity)
    return {LineOwner::kAsBefore, ""};
  return {LineOwner::kNamed, line.substr(0, colon)};
}

std::string NameKey(const std::string& name, const FoldTable& fold) {
  std::string key;
  for (char c : name) {
    if (c != ' ') key += static_cast<char>(fold[static_cast<unsigned char>(c)]);
  }
  return key;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

}  // namespace

bool PlainDateWithin(std::string_view dateText, std::string_view from, std::string_view to) {
  const std::string_view date = dateText.substr(0, 10);
  return (from.empty() || from <= date) && (to.empty() || date <= to);
}

void AddPlainRows(const HistoryDay& day, std::string_view html, const SearchTerms& terms,
                  std::vector<PlainRow>& rows) {
  const std::string text = ConvertHtml(html).text;
  const std::string wanted = NameKey(terms.saidBy, terms.nameFold);
  const std::vector<std::size_t> found = FindInLines(text, terms.query, terms.fold);
  std::vector<std::size_t> offsets;
  std::vector<std::uint32_t> places;
  std::optional<std::string> owner;  // of the line, once one is named
  std::size_t begin = 0;
  std::uint32_t saidLines = 0;
  for (const std::string& line : LinesOf(text)) {
    const LineOwner said = OwnerOf(line);
    if (said.kind == LineOwner::kNamed) owner = said.name;
    if (said.kind == LineOwner::kNobody) owner.reset();
    const bool kept = wanted.empty() || (owner && NameKey(*owner, terms.nameFold) == wanted);
    if (kept && terms.query.empty() && !wanted.empty() && !line.empty()) {
      offsets.push_back(begin);
      places.push_back(saidLines++);
    }
    for (std::size_t i = 0; i < found.size(); ++i) {
      if (kept && found[i] >= begin && found[i] < begin + line.size()) {
        offsets.push_back(found[i]);
        places.push_back(static_cast<std::uint32_t>(i));
      }
    }
    begin += line.size() + 1;
  }
  const std::vector<std::string> texts =
      MatchRowTexts(text, offsets, offsets.size(), terms.query.size());
  for (std::size_t i = 0; i < texts.size(); ++i) rows.push_back(PlainRow{day, texts[i], places[i]});
}

}  // namespace corvane
