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
  std::string_view attributes;  // start tags read whole: as written
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
  // What a span is read for.  kWhole: a text span ends at the next '<'
  // (which never opens anything when it is the span's first character),
  // and a start tag comes with its attributes.  kTextAlone, for a reader of
  // the text alone, which reads up to that '<' anyway: a text span runs to
  // the end of the input, the reader saying with EndText how much of it was
  // text, and tags come without attributes.
  enum class SpanUse { kWhole, kTextAlone };
  // Fills kind and the fields of span that its kind has (for that use).
  void NextSpan(HtmlSpan& span, SpanUse use = SpanUse::kWhole);
  void EndText(std::size_t length) { pos_ += length; }
  // Where the next token, or a comment or declaration skipped before it,
  // begins.
  std::size_t Position() const { return pos_; }

 private:
  char At(std::size_t i) const { return i < html_.size() ? html_[i] : '\0'; }
  bool SkipComment();
  bool SkipDeclaration();
  // The tag whose name begins at nameStart (with a letter).
  void ReadTag(std::size_t nameStart, HtmlTokenKind kind, SpanUse use, HtmlSpan& tag);
  void SkipRawTextOf(const HtmlSpan& tag);
  void SkipRawTextOf(std::string_view upper);

  std::string_view html_;
  std::size_t pos_ = 0;
  // Just past the last '>' of the input (0 when there is none): a '<' at or
  // after it cannot close, which keeps the scan linear on input full of
  // stray '<'.  Likewise once no "-->" follows a "<!--", none follows a
  // later one.
  std::size_t closesEnd_;
  std::size_t unclosedCommentsFrom_;
};

// The scan's common path is inline: the search runs it over every day of a
// history, a token every few bytes.
namespace html_detail {

// What a byte is to a tag's name.  A name is read a character at a time
// for every tag of a history: a table answers in one load where the
// comparisons took four.
enum class NameByte : unsigned char { kNone, kLetter, kDigit };

struct NameByteTable {
  NameByte kind[256];

  constexpr NameByteTable() : kind() {
    for (int byte = 0; byte < 256; ++byte) {
      if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')) {
        kind[byte] = NameByte::kLetter;
      } else if (byte >= '0' && byte <= '9') {
        kind[byte] = NameByte::kDigit;
      }
    }
  }
};

inline constexpr NameByteTable kNameBytes;

inline bool IsLetter(char c) {
  return kNameBytes.kind[static_cast<unsigned char>(c)] == NameByte::kLetter;
}

inline bool IsNameChar(char c) {
  return kNameBytes.kind[static_cast<unsigned char>(c)] != NameByte::kNone;
}

// The first c in text at or after `from`, or the end: a word at a time, as
// the stretches between the host's tags and the attributes of a tag run for
// a few dozen bytes, too few for memchr to pay for its call.
inline std::size_t FindByte(std::string_view text, char c, std::size_t from) {
  using Word = std::size_t;
  constexpr Word kOnes = ~Word(0) / 0xFF;
  constexpr Word kHighs = kOnes << 7;
  const Word pattern = kOnes * static_cast<unsigned char>(c);
  const char* at = text.data() + from;
  const char* const last = text.data() + text.size();
  while (static_cast<std::size_t>(last - at) >= sizeof(Word)) {
    Word word;
    std::memcpy(&word, at, sizeof word);
    const Word diff = word ^ pattern;
    if (((diff - kOnes) & ~diff & kHighs) != 0) break;  // some byte is c
    at += sizeof word;
  }
  while (at != last && *at != c) ++at;
  return static_cast<std::size_t>(at - text.data());
}

}  // namespace html_detail

inline void HtmlTokenizer::NextSpan(HtmlSpan& span, SpanUse use) {
  // A text span from pos_, where what follows `from` may end it.
  const auto text = [&](std::size_t from) {
    span.kind = HtmlTokenKind::kText;
    if (use == SpanUse::kTextAlone) {
      span.text = html_.substr(pos_);  // pos_ moves on at EndText
      return;
    }
    const std::size_t end = html_detail::FindByte(html_, '<', from);
    span.text = std::string_view(html_.data() + pos_, end - pos_);
    pos_ = end;
  };
  while (pos_ < html_.size()) {
    if (html_[pos_] != '<') {
      text(pos_);
      return;
    }
    // Whatever a '<' opens ends in a '>' after the character that follows
    // it; a tag's name begins with a letter.
    if (pos_ + 1 < closesEnd_) {
      const char next = html_[pos_ + 1];
      if (html_detail::IsLetter(next)) {
        ReadTag(pos_ + 1, HtmlTokenKind::kStartTag, use, span);
        return;
      }
      if (next == '/') {
        if (pos_ + 2 < closesEnd_ && html_detail::IsLetter(html_[pos_ + 2])) {
          ReadTag(pos_ + 2, HtmlTokenKind::kEndTag, use, span);
          return;
        }
      } else if ((next == '!' || next == '?') && (SkipComment() || SkipDeclaration())) {
        continue;
      }
    }
    text(pos_ + 1);  // a '<' that opens nothing
    return;
  }
  span.kind = HtmlTokenKind::kEnd;
}

inline void HtmlTokenizer::ReadTag(std::size_t nameStart, HtmlTokenKind kind, SpanUse use,
                                   HtmlSpan& tag) {
  // A '>' follows, which no name holds.
  std::size_t nameEnd = nameStart + 1;
  while (html_detail::IsNameChar(html_[nameEnd])) ++nameEnd;
  // The first '>' ends the tag, quoted or not, as the capture's own rewrite
  // of image tags assumes; the host writes no '>' inside attribute values.
  // Most tags the host writes end at once.
  const std::size_t end =
      html_[nameEnd] == '>' ? nameEnd : html_detail::FindByte(html_, '>', nameEnd);
  tag.kind = kind;
  tag.name = std::string_view(html_.data() + nameStart, nameEnd - nameStart);
  pos_ = end + 1;
  if (kind == HtmlTokenKind::kEndTag) return;
  if (use == SpanUse::kWhole)
    tag.attributes = std::string_view(html_.data() + nameEnd, end - nameEnd);
  if (tag.name.size() == 5 || tag.name.size() == 6) SkipRawTextOf(tag);
}

}  // namespace corvane
