// Putting a history file into the HTML view: reading it, and filling a page
// with parts of its formatted text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_breaks.h"
#include "viewer/html/html_view_marks.h"
#include "viewer/html/html_view_ranges.h"

namespace corvane {

// The whole file, read while writers may still replace or delete it; false
// (and bytes empty) when it cannot be read.
bool ReadHistoryFile(const std::string& path, std::string& bytes);

// Replaces what the page holds from character `at` to its end with the
// characters of `range`, their formatting and the marks among them, broken
// where `breaks` says.  Appends when `at` is the page's length.
void PutOnPage(HWND page, LONG at, const FormattedText& text, const PageBreaks& breaks,
               TextRange range, const std::vector<TextMark>& marks);

// The document's background colour, or the system's when it names none.
void SetPageBackground(HWND page, const FormattedText& text);

// Draws characters [begin, end) of the page on the background.
void MarkPageText(HWND page, LONG begin, LONG end, Rgb background);

}  // namespace corvane
