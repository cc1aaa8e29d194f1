// The rules that make the view's text of a day's HTML from the tokenizer's
// tokens: references decoded, control characters dropped, white space
// collapsed as in a browser, and the line breaks of BR, P, HR and HTML.  The
// view's conversion (ConvertHtml) and the search's text (ViewTextOf) both
// follow them, so that the two agree byte for byte; each writes the text
// into an Output of its own:
//
//   void Visible(const char* bytes, std::size_t count);  // shown characters
//   void SpaceMet();   // a run of white space begins, which may show later
//   void Space();      // that run shows as one space, before what follows
//   void LineBreak();  // "\n"
//   void Separator();  // HR's line, SeparatorLine()
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "viewer/html/html_entities.h"
#include "viewer/html/html_tokenizer.h"

namespace corvane {

// The line of dashes an HR shows as.
inline std::string_view SeparatorLine() { return "------------------------"; }

namespace view_text_detail {

// What a byte of text between tags is to the view.
enum class ByteKind : unsigned char { kShown, kSpace, kReference, kDropped, kOpen };

struct ByteTable {
  ByteKind kind[256];

  constexpr ByteTable() : kind() {
    for (int byte = 0; byte < 256; ++byte) {
      const char c = static_cast<char>(byte);
      if (IsHtmlSpace(c)) {
        kind[byte] = ByteKind::kSpace;
      } else if (c == '&') {
        kind[byte] = ByteKind::kReference;
      } else if (c == '<') {
        kind[byte] = ByteKind::kOpen;
      } else if (byte < 0x20 || byte == 0x7F) {
        kind[byte] = ByteKind::kDropped;
      } else {
        kind[byte] = ByteKind::kShown;
      }
    }
  }
};

inline constexpr ByteTable kBytes;

inline ByteKind KindOf(char c) { return kBytes.kind[static_cast<unsigned char>(c)]; }

inline bool IsShown(char c) { return KindOf(c) == ByteKind::kShown; }

// The first byte in [at, last) that is not shown, or last.  Four at a
// time, as runs of text are read for every text of a history: the loop's
// own count and test then cost a quarter per byte.
inline const char* ShownEnd(const char* at, const char* last) {
  for (; last - at >= 4; at += 4) {
    if (!IsShown(at[0])) return at;
    if (!IsShown(at[1])) return at + 1;
    if (!IsShown(at[2])) return at + 2;
    if (!IsShown(at[3])) return at + 3;
  }
  while (at != last && IsShown(*at)) ++at;
  return at;
}

// Where the shown characters that begin at `from` end, before `end`.  A
// single space between two of them shows as itself, so it stays in the run:
// whole sentences are written at once.
inline std::size_t ShownRunEnd(std::string_view text, std::size_t from, std::size_t end) {
  const char* const last = text.data() + end;
  const char* at = ShownEnd(text.data() + from, last);
  while (last - at > 1 && *at == ' ' && IsShown(at[1])) at = ShownEnd(at + 2, last);
  return static_cast<std::size_t>(at - text.data());
}

// Whether c is the letter `lower` in either case: setting the bit that
// tells the cases apart maps no other byte to a lower-case letter.
constexpr bool IsLetterInAnyCase(char c, char lower) { return (c | 0x20) == lower; }

}  // namespace view_text_detail

template <typename Output>
class ViewTextRules {
 public:
  explicit ViewTextRules(Output& out) : out_(out) {}

  // A text span's raw text from `from`, up to what begins at `limit` (a
  // reference begun before it is read whole) or to a '<' past its first
  // character, where the span ends.  Returns where it stopped.
  std::size_t Text(std::string_view raw, std::size_t from = 0,
                   std::size_t limit = std::string_view::npos) {
    using view_text_detail::ByteKind;
    const std::size_t end = std::min(limit, raw.size());
    std::size_t at = from;
    while (at < end) {
      switch (view_text_detail::KindOf(raw[at])) {
        case ByteKind::kShown: {
          const std::size_t runEnd = view_text_detail::ShownRunEnd(raw, at + 1, end);
          Visible(raw.data() + at, runEnd - at);
          at = runEnd;
          break;
        }
        case ByteKind::kSpace:
          Space();
          ++at;
          break;
        case ByteKind::kReference:
          at += Reference(raw, at);
          break;
        case ByteKind::kDropped:
          ++at;
          break;
        case ByteKind::kOpen:
          if (at != 0) return at;
          Visible(raw.data(), 1);  // the '<' that opens nothing
          ++at;
          break;
      }
    }
    return at;
  }

  // Tags by their names, in any case; those that break no line change
  // nothing.  The length tells most tags apart before any letter is read.
  void StartTag(std::string_view name) {
    switch (name.size()) {
      case 1:
        if (view_text_detail::IsLetterInAnyCase(name[0], 'p')) ParagraphBreak();
        break;
      case 2:
        if (!view_text_detail::IsLetterInAnyCase(name[1], 'r')) break;
        if (view_text_detail::IsLetterInAnyCase(name[0], 'b')) {
          LineBreak();
        } else if (view_text_detail::IsLetterInAnyCase(name[0], 'h')) {
          StartLine();
          out_.Separator();
          lineBreaksAtEnd_ = 0;
          LineBreak();
        }
        break;
      case 4:
        if (IsTagNamed(name, "HTML")) StartLine();
        break;
    }
  }
  void EndTag(std::string_view name) {
    if (name.size() == 1 && view_text_detail::IsLetterInAnyCase(name[0], 'p')) ParagraphBreak();
  }

 private:
  // The length of the reference at raw[at]; a '&' that begins none shows.
  std::size_t Reference(std::string_view raw, std::size_t at) {
    std::size_t length = 0;
    const auto codePoint = ReadCharacterReference(raw, at, length);
    if (!codePoint) {
      Visible(raw.data() + at, 1);
      return 1;
    }
    if (const auto ansi = AnsiFromCodePoint(*codePoint)) {
      if (IsHtmlSpace(*ansi)) {
        Space();
      } else {
        Visible(&*ansi, 1);
      }
    }
    return length;
  }

  void Visible(const char* bytes, std::size_t count) {
    if (spacePending_) {
      spacePending_ = false;
      out_.Space();
    }
    out_.Visible(bytes, count);
    empty_ = atLineStart_ = false;
    lineBreaksAtEnd_ = 0;
  }

  void Space() {
    if (atLineStart_ || spacePending_) return;
    spacePending_ = true;
    out_.SpaceMet();
  }

  void LineBreak() {
    spacePending_ = false;
    out_.LineBreak();
    empty_ = false;
    atLineStart_ = true;
    ++lineBreaksAtEnd_;
  }

  void StartLine() {
    if (!atLineStart_) LineBreak();
  }

  // A paragraph is set off by one empty line, however many P tags meet.
  void ParagraphBreak() {
    if (empty_) return;
    StartLine();
    if (lineBreaksAtEnd_ < 2) LineBreak();
  }

  Output& out_;
  bool empty_ = true;
  bool atLineStart_ = true;
  // A run of white space shows as one space, and only when visible text
  // follows on the same line.
  bool spacePending_ = false;
  std::size_t lineBreaksAtEnd_ = 0;
};

}  // namespace corvane
