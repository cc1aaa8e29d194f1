// The text the HTML view shows for a history file, without its formatting:
// what the search matches against.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Sets `text` to exactly ConvertHtml(html).text (tags dropped, references
// decoded, white space collapsed, lines broken where the view breaks them):
// the conversion's own tokenizer and text rules, building the text alone,
// in memory that is `text`'s, so that a search can afford it for every day
// of a history.  The search's fuzz target holds it to the conversion.
void ViewTextOf(std::string_view html, std::string& text);

// The same text, and for each of `stops` (ascending offsets into the HTML)
// the text's length when the conversion reached it: where the text of what
// begins there starts.  A stop inside a tag, a comment or skipped script is
// reached where that ends.
void ViewTextOf(std::string_view html, std::string& text, const std::vector<std::size_t>& stops,
                std::vector<std::size_t>& textAtStops);

}  // namespace corvane
