// Finding a query in text as the HTML view shows it: line by line, letters
// compared through a fold table, so that the same plain function serves the
// view's highlighting, the search's oracle and native tests.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace corvane {

// What each ANSI byte compares as.  The identity for "Match case"; the code
// page's lower case otherwise (made on Windows by MakeAnsiLowerFold).
using FoldTable = std::array<unsigned char, 256>;

FoldTable IdentityFold();

// Offsets of the occurrences of `query` in `text`, left to right and not
// overlapping (as grep -o counts them).  None spans a line feed; an empty
// query, or one holding a line feed, has none.
std::vector<std::size_t> FindInLines(std::string_view text, std::string_view query,
                                     const FoldTable& fold);

}  // namespace corvane
