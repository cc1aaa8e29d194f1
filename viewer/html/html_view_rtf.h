// The HTML view's formatted text as RTF, so that a RichEdit control takes
// many formatting runs in one stream instead of one message per run.
#pragma once

#include <string>
#include <vector>

#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_breaks.h"
#include "viewer/html/html_view_marks.h"
#include "viewer/html/html_view_ranges.h"

namespace corvane {

// The face of text that names none, as a browser shows it.
inline constexpr char kHtmlViewDefaultFace[] = "Times New Roman";

// A self-contained RTF document for the characters of `range` and their
// runs: face, size, bold, italic, underline, strike-through, colour and
// background colour; link text is underlined, and blue where no colour is
// set; marked characters (marks ascending, not overlapping) take the mark's
// background.  Characters are Windows-1252; each "\n" becomes a paragraph
// end or, where PageBreaks says, a line break inside one; each of the breaks a hidden zero-width
// space before that character, or a paragraph end where the page starts a new line (see
// PageBreaks), so a character stands in the control where PageBreaks::Shown
// puts it.  The document's own background is
// not part of the RTF.
std::string RtfForView(const FormattedText& view, TextRange range,
                       const std::vector<TextMark>& marks = {},
                       const PageBreaks& breaks = PageBreaks());

}  // namespace corvane
