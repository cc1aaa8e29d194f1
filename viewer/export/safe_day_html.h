// A day file's markup made safe to open in any browser: the formatting the
// host writes is kept (bold, italic, underline, strike, FONT face, size,
// colour and background, line breaks, paragraphs, rules) and links to http,
// https and mailto addresses stay links; everything else goes: scripts and
// styles with their contents, every other element and attribute (event
// handlers, images and whatever else would load from elsewhere), comments
// and declarations.  The text is kept as the view shows it.
//
// What it writes is bounded by a few times the day's length: an element
// closed out of order is opened again after the end tag, as a browser keeps
// a misnested B or I going, but only to a fixed depth inside the element
// closed and only twice for each element; deeper or oftener, the formatting
// inside is flattened.
#pragma once

#include <string>
#include <string_view>

#include "viewer/export/ansi_text.h"

namespace corvane {

struct SafeHtml {
  // UTF-8; every element opened in it is closed in it.
  std::string html;
  // The first BODY BGCOLOR as "#rrggbb", or empty.
  std::string background;
};

// `html` is in the ANSI code page, which `toUtf8` converts; text and
// attribute values are converted before they are escaped.
SafeHtml SafeDayHtml(std::string_view html, AnsiToUtf8& toUtf8);

}  // namespace corvane
