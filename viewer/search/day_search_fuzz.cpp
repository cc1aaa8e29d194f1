// Differential fuzzing of the search's matcher: for any HTML, query and
// fold, the day's text is the view's own conversion and the occurrences are
// those the plain scan finds in it; every row text holds its match.  The
// conversion holds no more than a small multiple of the day.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/testing/allocation_counter.h"
#include "viewer/html/html_to_view.h"
#include "viewer/html/testing/ascii_lower_fold.h"
#include "viewer/html/view_text.h"
#include "viewer/search/day_search.h"
#include "viewer/search/search_texts.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Identity, ASCII, Latin-1 as a code page folds it, and a fold that merges
// many bytes (some with the line feed) that no code page makes.
corvane::FoldTable FoldFor(std::uint8_t choice) {
  corvane::FoldTable fold = corvane::IdentityFold();
  switch (choice % 4) {
    case 1:
      fold = corvane::AsciiLowerFold();
      break;
    case 2:
      fold = corvane::AsciiLowerFold();
      for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) fold[c] = static_cast<unsigned char>(c + 0x20);
      }
      break;
    case 3:
      for (std::size_t c = 0; c < fold.size(); ++c) fold[c] = static_cast<unsigned char>(c & 0xDF);
      break;
    default:
      break;
  }
  return fold;
}

}  // namespace

// Input: a fold choice, the query's length, the query, then the HTML.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const corvane::FoldTable fold = FoldFor(data[0]);
  const std::size_t queryLength = std::min<std::size_t>(data[1] % 24, size - 2);
  const std::string_view query(reinterpret_cast<const char*>(data + 2), queryLength);
  const std::string_view html(reinterpret_cast<const char*>(data + 2 + queryLength),
                              size - 2 - queryLength);

  const std::string oracleText = corvane::ConvertHtml(html).text;
  std::string text;
  const corvane::PeakAllocation peak;
  corvane::ViewTextOf(html, text);
  Check(peak.Bytes() <= 4 * html.size() + 16 * 1024);
  Check(text == oracleText);
  corvane::DaySearch search(query, fold);
  const std::vector<std::size_t> found = search.Find(html);
  Check(search.Text() == oracleText);
  Check(found == corvane::FindInLines(oracleText, query, fold));

  const std::vector<std::string> rows =
      corvane::MatchRowTexts(search.Text(), found, found.size(), query.size());
  Check(rows.size() == found.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    Check(rows[i].find(search.Text().substr(found[i], query.size())) != std::string::npos);
    Check(rows[i].find('\n') == std::string::npos);
  }
  return 0;
}
