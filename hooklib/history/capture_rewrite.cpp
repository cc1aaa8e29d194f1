#include "hooklib/history/capture_rewrite.h"

#include <cstddef>
#include <cstring>
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

// Finds `token` at or after `from` by scanning for its character at `key`,
// chosen to be rare in conversations.  A scan for the leading '<' would stop
// every few characters in text the image step has expanded.
std::size_t FindToken(std::string_view text, std::string_view token, std::size_t key,
                      std::size_t from = 0) {
  constexpr auto kNpos = std::string_view::npos;
  if (from > text.size() || text.size() - from < token.size()) return kNpos;
  const char* const begin = text.data();
  const char* const last = begin + text.size() - token.size() + key;  // last possible key
  const char* p = begin + from + key;
  while (p <= last) {
    p = static_cast<const char*>(
        std::memchr(p, token[key], static_cast<std::size_t>(last - p) + 1));
    if (p == nullptr) return kNpos;
    const std::size_t start = static_cast<std::size_t>(p - begin) - key;
    if (std::memcmp(begin + start, token.data(), token.size()) == 0) return start;
    ++p;
  }
  return kNpos;
}

// The rare character of each searched token.
constexpr std::size_t kImageTagKey = 2;      // 'M'
constexpr std::size_t kCommentOpenKey = 1;   // '!'
constexpr std::size_t kCommentCloseKey = 0;  // '-'
constexpr std::size_t kBodyTagKey = 4;       // 'Y'

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
  constexpr auto kNpos = std::string_view::npos;
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  std::size_t openTags = 0;
  std::size_t nextTag = FindToken(text, kImageTag, kImageTagKey);
  std::size_t nextClose = 0;
  for (;;) {
    // Each '>' is searched for once: the search restarts only past the last.
    if (openTags > 0 && nextClose < copied) nextClose = text.find('>', copied);
    const std::size_t close = openTags > 0 ? nextClose : kNpos;
    if (nextTag == kNpos && close == kNpos) break;
    if (nextTag < close) {
      out.append(text, copied, nextTag - copied);
      out += kImageOpen;
      ++openTags;
      copied = nextTag + 1;
      nextTag = FindToken(text, kImageTag, kImageTagKey, copied);
    } else {
      out.append(text, copied, close - copied);
      for (std::size_t k = 0; k < openTags; ++k) out += kImageCloseHead;
      out += '>';
      for (std::size_t k = 0; k < openTags; ++k) out += kImageCloseTail;
      openTags = 0;
      copied = close + 1;
    }
  }
  out.append(text, copied);
  return out;
}

std::vector<std::size_t> PositionsOf(std::string_view text, std::string_view token,
                                     std::size_t key) {
  std::vector<std::size_t> positions;
  for (std::size_t pos = FindToken(text, token, key); pos != std::string_view::npos;
       pos = FindToken(text, token, key, pos + token.size())) {
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
// it, so that comment is never opened; ends before an opening are written
// before it is reached, so such an end is the next one pending.  An opening whose own "--" is part
// of a "-->" removes that "-->" before any later search could reach it.
std::string RewriteComments(std::string_view text) {
  constexpr auto kNpos = std::string_view::npos;
  const std::vector<std::size_t> closes = PositionsOf(text, kCommentClose, kCommentCloseKey);
  std::size_t nextUnused = 0;
  // Ends taken by openings already written, in text order.
  std::vector<std::size_t> taken;
  std::size_t nextTaken = 0;

  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  std::size_t open = FindToken(text, kCommentOpen, kCommentOpenKey);
  for (;;) {
    const std::size_t close = nextTaken < taken.size() ? taken[nextTaken] : kNpos;
    if (open == kNpos && close == kNpos) break;
    if (close < open) {
      out.append(text, copied, close - copied);
      out += kFontEnd;
      copied = close + kCommentClose.size();
      ++nextTaken;
    } else if (close == open + 2 || close == open + 3) {
      // Destroyed by that end: its characters stay as they are.
      open = FindToken(text, kCommentOpen, kCommentOpenKey, open + kCommentOpen.size());
    } else {
      out.append(text, copied, open - copied);
      out += kSmallFont;
      copied = open + kCommentOpen.size();
      while (nextUnused < closes.size() && closes[nextUnused] < copied) ++nextUnused;
      if (nextUnused < closes.size()) taken.push_back(closes[nextUnused++]);
      open = FindToken(text, kCommentOpen, kCommentOpenKey, copied);
    }
  }
  out.append(text, copied);
  return out;
}

// Cleared-window marks.  A search restarted at the insertion point meets the
// mark first, which holds no body tag and cannot start one with what follows
// it, so the searches run over the unmarked text with the same positions.
std::string MarkClearedWindows(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  for (std::size_t tag = FindToken(text, kBodyTag, kBodyTagKey); tag != std::string_view::npos;) {
    const std::size_t afterTag = tag + kBodyTagWithColourLength;
    if (afterTag >= text.size()) break;
    if (StartsAt(text, afterTag, kLineBreak)) {
      out.append(text, copied, afterTag - copied);
      out += kClearedMark;
      copied = afterTag;
    }
    tag = FindToken(text, kBodyTag, kBodyTagKey, afterTag);
  }
  out.append(text, copied);
  return out;
}

}  // namespace

std::string RewriteConversation(std::string_view html) {
  return MarkClearedWindows(RewriteComments(RewriteImages(CutAtBinary(html))));
}

}  // namespace corvane
