// Putting a history file into the HTML view: reading it, and filling a page
// with its formatted text.
#pragma once

#include <windows.h>

#include <string>

#include "html_to_view.h"

namespace corvane {

// The whole file, read while writers may still replace or delete it; false
// (and bytes empty) when it cannot be read.
bool ReadHistoryFile(const std::string& path, std::string& bytes);

// Fills an empty page with the text, its formatting and its background
// colour.
void ShowFormattedText(HWND page, const FormattedText& text);

}  // namespace corvane
