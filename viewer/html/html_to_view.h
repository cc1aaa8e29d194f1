// Turns a history file's HTML into formatted text for the History Viewer's
// HTML view: the tags and references the host writes become characters and
// formatting runs; nothing is ever run, and links are kept only when the
// view may open them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/html/html_values.h"

namespace corvane {

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  std::string face;  // empty: the view's own face
  int points = kDefaultPoints;
  std::optional<Rgb> colour;      // none: the view's text colour
  std::optional<Rgb> background;  // FONT BACK; none: the document's
  // Index into FormattedText::links; kNoLink when the text is no link.  A
  // long target is held once, however many runs it spans.
  std::size_t link = 0;
};

inline constexpr std::size_t kNoLink = 0;

bool operator==(const CharFormat& a, const CharFormat& b);
inline bool operator!=(const CharFormat& a, const CharFormat& b) { return !(a == b); }

struct FormatRun {
  std::size_t start = 0;
  std::size_t length = 0;
  std::size_t format = 0;  // index into FormattedText::formats
};

struct FormattedText {
  // ANSI (Windows-1252) text; lines end in "\n".
  std::string text;
  // Consecutive runs that cover the text from its first to its last
  // character, none empty, no two neighbours with the same format.
  std::vector<FormatRun> runs;
  // Each distinct format once, so that a day of many short runs costs a few
  // words a run, whatever its formats hold.
  std::vector<CharFormat> formats;
  // Each distinct link target once (http, https or mailto); entry kNoLink is
  // empty.
  std::vector<std::string> links{std::string()};

  const CharFormat& FormatOf(const FormatRun& run) const { return formats[run.format]; }
  const std::string& LinkOf(const CharFormat& format) const { return links[format.link]; }
  // The first BODY BGCOLOR; none: the view's default.
  std::optional<Rgb> background;
};

// White space collapses as in a browser; BR, P and HR break lines (HR as a
// line of dashes), and each HTML start tag begins a new line, so that the
// blocks of a day file do not run into one another.  Never fails: text that
// is not well-formed HTML is shown as it stands.
FormattedText ConvertHtml(std::string_view html);

}  // namespace corvane
