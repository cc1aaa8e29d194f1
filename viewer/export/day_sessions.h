// The session blocks of a day file, found by their key lines, and the
// view's text of the day with where each block's text begins in it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/export/export_format.h"

namespace corvane {

struct KeyLine {
  std::size_t offset = 0;  // where the line starts in the file
  std::string time;        // "hh:mm:ss" from its session key; empty when it has none
};

// Every line of the file that is a key line, "<!-- key -->" (the only lines
// a day file begins with "<!--"), in file order.
std::vector<KeyLine> FindKeyLines(std::string_view html);

// Sets `text` to the view's text of the day (as ViewTextOf does) and
// `sessions` to the first line that begins in each block.  A block whose
// text continues the line before it begins no line there.
void ViewTextWithSessions(std::string_view html, std::string& text,
                          std::vector<SessionStart>& sessions);

}  // namespace corvane
