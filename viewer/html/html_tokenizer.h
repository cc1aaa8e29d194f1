// Splits HTML into text and tags for the HTML view.  Comments, declarations
// and the contents of SCRIPT and STYLE are skipped.  A '<' that does not open
// a complete tag or comment is text, so no visible text is ever swallowed.
// Runs in time linear in the length of the input.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// HTML's white space.
constexpr bool IsHtmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

struct HtmlAttribute {
  std::string name;   // upper case
  std::string value;  // references decoded
};

constexpr char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether a tag's name as written is `upper` (an upper-case name), in any
// case.
inline bool IsTagNamed(std::string_view name, std::string_view upper) {
  if (name.size() != upper.size()) return false;
  for (std::size_t i = 0; i < upper.size(); ++i) {
    if (UpperAscii(name[i]) != upper[i]) return false;
  }
  return true;
}

enum class HtmlTokenKind { kText, kStartTag, kEndTag, kEnd };

// A token as the scan finds it, nothing built of it yet: what the search's
// text, which needs no more, reads.
struct HtmlSpan {
  HtmlTokenKind kind = HtmlTokenKind::kEnd;
  std::string_view text;        // kText: raw text, references not yet decoded
  std::string_view name;        // tags: as written
  std::string_view attributes;  // start tags: as written
};

struct HtmlToken {
  using Kind = HtmlTokenKind;
  Kind kind = Kind::kEnd;
  std::string_view text;  // kText: raw text, references not yet decoded
  std::string name;       // tags: upper case
  // A start tag's attributes as written; FindAttribute reads them when first
  // asked, so that tags nobody asks about cost nothing more.
  std::string_view attributeText;
  mutable std::vector<HtmlAttribute> attributes;
  mutable bool attributesRead = false;
};

// The value of the first attribute with that (upper case) name.
const std::string* FindAttribute(const HtmlToken& tag, std::string_view name);

class HtmlTokenizer {
 public:
  explicit HtmlTokenizer(std::string_view html);

  // The next token; kEnd at the end of the input, and ever after.
  HtmlToken Next();
  // Where a text span ends: at the next '<' (which never opens anything
  // when it is the span's first character), or for a reader that reads
  // text up to that '<' anyway, at the end of the input, the reader then
  // saying where it stopped with EndText.
  // Fills the fields of span that its kind has, and kind.
  enum class TextEnd { kFound, kLeftToReader };
  void NextSpan(HtmlSpan& span, TextEnd textEnd = TextEnd::kFound);
  void EndText(const HtmlSpan& text, std::size_t length) {
    pos_ = static_cast<std::size_t>(text.text.data() - html_.data()) + length;
  }
  // Where the next token, or a comment or declaration skipped before it,
  // begins.
  std::size_t Position() const { return pos_; }

 private:
  char At(std::size_t i) const { return i < html_.size() ? html_[i] : '\0'; }
  void TextUpTo(std::size_t end, HtmlSpan& span);
  bool SkipComment();
  bool SkipDeclaration();
  bool ReadTag(HtmlSpan& tag);
  void SkipRawTextOf(const HtmlSpan& tag);
  void SkipRawTextOf(std::string_view upper);

  std::string_view html_;
  std::size_t pos_ = 0;
  // The last '>' of the input: a '<' after it cannot close, which keeps the
  // scan linear on input full of stray '<'.  Likewise once no "-->" follows
  // a "<!--", none follows a later one.
  std::size_t lastTagClose_;
  std::size_t unclosedCommentsFrom_;
};

// The scan's common path is inline: the search runs it over every day of a
// history, a token every few bytes.
namespace html_detail {

constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

constexpr bool IsNameChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9'); }

// The first c in text at or after `from`, or the end: a word at a time, as
// the stretches between the host's tags and the attributes of a tag run for
// a few dozen bytes, too few for memchr to pay for its call.
inline std::size_t FindByte(std::string_view text, char c, std::size_t from) {
  using Word = std::size_t;
  constexpr Word kOnes = ~Word(0) / 0xFF;
  constexpr Word kHighs = kOnes << 7;
  const Word pattern = kOnes * static_cast<unsigned char>(c);
  std::size_t at = from;
  while (text.size() >= at + sizeof(Word)) {
    Word word;
    std::memcpy(&word, text.data() + at, sizeof word);
    const Word diff = word ^ pattern;
    if (((diff - kOnes) & ~diff & kHighs) != 0) break;  // some byte is c
    at += sizeof word;
  }
  while (at < text.size() && text[at] != c) ++at;
  return at;
}

}  // namespace html_detail

inline void HtmlTokenizer::NextSpan(HtmlSpan& span, TextEnd textEnd) {
  const auto endOfText = [&](std::size_t from) {
    return textEnd == TextEnd::kFound ? html_detail::FindByte(html_, '<', from) : html_.size();
  };
  while (pos_ < html_.size()) {
    if (html_[pos_] != '<') {
      TextUpTo(endOfText(pos_), span);
      return;
    }
    const char next = At(pos_ + 1);
    if (next == '!' || next == '?') {
      if (SkipComment() || SkipDeclaration()) continue;
    } else if (ReadTag(span)) {
      return;
    }
    TextUpTo(endOfText(pos_ + 1), span);  // a '<' that opens nothing
    return;
  }
  span.kind = HtmlTokenKind::kEnd;
}

inline void HtmlTokenizer::TextUpTo(std::size_t end, HtmlSpan& span) {
  span.kind = HtmlTokenKind::kText;
  span.text = std::string_view(html_.data() + pos_, end - pos_);
  pos_ = end;
}

inline bool HtmlTokenizer::ReadTag(HtmlSpan& tag) {
  const bool endTag = At(pos_ + 1) == '/';
  const std::size_t nameStart = pos_ + (endTag ? 2 : 1);
  if (!html_detail::IsLetter(At(nameStart))) return false;
  if (lastTagClose_ == std::string_view::npos || lastTagClose_ < nameStart) return false;
  // A '>' follows, which no name holds.
  std::size_t nameEnd = nameStart + 1;
  while (html_detail::IsNameChar(html_[nameEnd])) ++nameEnd;
  // The first '>' ends the tag, quoted or not, as the capture's own rewrite
  // of image tags assumes; the host writes no '>' inside attribute values.
  // Most tags the host writes end at once.
  const std::size_t end =
      html_[nameEnd] == '>' ? nameEnd : html_detail::FindByte(html_, '>', nameEnd);
  tag.kind = endTag ? HtmlTokenKind::kEndTag : HtmlTokenKind::kStartTag;
  tag.name = std::string_view(html_.data() + nameStart, nameEnd - nameStart);
  pos_ = end + 1;
  if (endTag) return true;
  tag.attributes = std::string_view(html_.data() + nameEnd, end - nameEnd);
  if (tag.name.size() == 5 || tag.name.size() == 6) SkipRawTextOf(tag);
  return true;
}

}  // namespace corvane
