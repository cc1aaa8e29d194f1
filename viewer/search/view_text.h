// The text the HTML view shows for a history file, without its formatting:
// what the search matches against.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Sets `text` to exactly ConvertHtml(html).text (tags dropped, references
// decoded, white space collapsed, lines broken where the view breaks them),
// in one pass over the HTML that allocates nothing but `text`, so that a
// search can afford it for every day of a history.  The fuzz target holds
// it to the conversion.
void ViewTextOf(std::string_view html, std::string& text);

}  // namespace corvane
