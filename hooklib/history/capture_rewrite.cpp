#include "capture_rewrite.h"

#include <cstddef>
#include <vector>

// The rewrite is defined as repeated searches from the start of a growing
// string, which is quadratic.  Each step below produces the same text in one
// pass, for the reasons given at each step.

namespace corvane {
namespace {

constexpr std::string_view kBinaryMarker = "<BINARY>";

constexpr std::string_view kImageTag = "<IMG";
constexpr std::string_view kImageOpen = "<FONT SIZE=1><B>[";
constexpr std::string_view kImageCloseHead = "]</B";
constexpr std::string_view kImageCloseTail = "</FONT>";

constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";
constexpr std::string_view kSmallFont = "<FONT SIZE=1>";
constexpr std::string_view kFontEnd = "</FONT>";

constexpr std::string_view kBodyTag = "<BODY BGCOLOR=\"#";
constexpr std::size_t kBodyTagWithColourLength = 24;  // the tag, six hex digits, '"' and '>'
constexpr std::string_view kLineBreak = "<BR>";
constexpr std::string_view kClearedMark = "<FONT SIZE=2><B>(IM Window Cleared)</B></FONT>";

bool StartsAt(std::string_view text, std::size_t pos, std::string_view token) {
  return text.compare(pos, token.size(), token) == 0;
}

std::string_view CutAtBinary(std::string_view html) {
  return html.substr(0, html.find(kBinaryMarker));
}

// Image tags, one by one from the start: '<' becomes kImageOpen, then the
// first '>' after it becomes "]</B></FONT>".
//
// Neither replacement text contains "<IMG" or forms one with its neighbours:
// each starts with '<' or ']', not with 'I', 'M' or 'G', and has no '<' among
// its last three characters.  A '>' is never part of "<IMG".  So the tags are
// taken in their original order and each is rewritten exactly once.
//
// A tag's '>' search starts inside the tag, past any earlier tag.  The text
// from there on is the original with some '>' already replaced by earlier
// tags, so the '>' found lies in the expansion of the first original '>'
// after the tag.  That expansion is "]</B" X "</FONT>" with X the '>' it
// replaced, and its first '>' is the innermost X.  A '>' that k tags reach
// therefore becomes "]</B" k times, '>', "</FONT>" k times: the tags since
// the previous original '>' all close on it.  A tag with no '>' after it
// gets its opening only.
std::string RewriteImages(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t open_tags = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (StartsAt(text, i, kImageTag)) {
      out += kImageOpen;
      ++open_tags;
    } else if (text[i] == '>' && open_tags > 0) {
      for (std::size_t k = 0; k < open_tags; ++k) out += kImageCloseHead;
      out += '>';
      for (std::size_t k = 0; k < open_tags; ++k) out += kImageCloseTail;
      open_tags = 0;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::size_t> PositionsOf(std::string_view text, std::string_view token) {
  std::vector<std::size_t> positions;
  for (std::size_t pos = text.find(token); pos != std::string_view::npos;
       pos = text.find(token, pos + token.size())) {
    positions.push_back(pos);
  }
  return positions;
}

// Comments, one by one from the start: "<!--" becomes "<FONT SIZE=1>", then
// the first "-->" from there becomes "</FONT>".
//
// Neither replacement contains "<!--" or "-->" or forms one with its
// neighbours: each starts with '<', not with '!', '-' or '>', its '<' is
// followed by 'F' or '/', and it ends in "1>" or "T>", which cannot start
// either token.  Neither token can overlap itself.  So every "-->" found is one
// of the original ones, searched from just past the opening (the opening's
// own "--" is gone), and each is used at most once.  The searches start ever
// further right and each takes the first unused "-->", so those skipped are
// left of every later search: one cursor over the original "-->"s suffices.
//
// A used "-->" that overlaps a later "<!--" ("<!-->" or "<!--->") destroys
// it, so that comment is never opened.  An opening whose own "--" is part of
// a "-->" removes that "-->" before any later search could reach it.
std::string RewriteComments(std::string_view text) {
  const std::vector<std::size_t> closes = PositionsOf(text, kCommentClose);
  std::vector<bool> closed_at(text.size() + kCommentOpen.size(), false);
  std::size_t next_close = 0;

  auto destroyed = [&](std::size_t open) { return closed_at[open + 2] || closed_at[open + 3]; };

  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (closed_at[i]) {
      out += kFontEnd;
      i += kCommentClose.size();
    } else if (StartsAt(text, i, kCommentOpen) && !destroyed(i)) {
      out += kSmallFont;
      const std::size_t search_from = i + kCommentOpen.size();
      while (next_close < closes.size() && closes[next_close] < search_from) ++next_close;
      if (next_close < closes.size()) closed_at[closes[next_close++]] = true;
      i = search_from;
    } else {
      out += text[i];
      ++i;
    }
  }
  return out;
}

// Cleared-window marks.  A search restarted at the insertion point meets the
// mark first, which holds no body tag and cannot start one with what follows
// it, so the searches run over the unmarked text with the same positions.
std::string MarkClearedWindows(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  for (std::size_t tag = text.find(kBodyTag); tag != std::string_view::npos;) {
    const std::size_t after_tag = tag + kBodyTagWithColourLength;
    if (after_tag >= text.size()) break;
    if (StartsAt(text, after_tag, kLineBreak)) {
      out.append(text, copied, after_tag - copied);
      out += kClearedMark;
      copied = after_tag;
    }
    tag = text.find(kBodyTag, after_tag);
  }
  out.append(text, copied);
  return out;
}

}  // namespace

std::string RewriteConversation(std::string_view html) {
  return MarkClearedWindows(RewriteComments(RewriteImages(CutAtBinary(html))));
}

}  // namespace corvane
