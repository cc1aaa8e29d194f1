// A day file's markup made safe to open in any browser: the formatting the
// host writes is kept (bold, italic, underline, strike, FONT face, size,
// colour and background, line breaks, paragraphs, rules) and links to http,
// https and mailto addresses stay links; everything else goes: scripts and
// styles with their contents, every other element and attribute (event
// handlers, images and whatever else would load from elsewhere), comments
// and declarations.  The text is kept as the view shows it.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

struct SafeHtml {
  // ANSI like its source; every element opened in it is closed in it.
  std::string html;
  // The first BODY BGCOLOR as "#rrggbb", or empty.
  std::string background;
};

SafeHtml SafeDayHtml(std::string_view html);

}  // namespace corvane
