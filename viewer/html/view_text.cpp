#include "viewer/html/view_text.h"

#include <algorithm>
#include <cstring>

#include "viewer/html/html_entities.h"
#include "viewer/html/html_to_view.h"

namespace corvane {
namespace {

constexpr std::size_t kNpos = std::string_view::npos;

constexpr bool IsHtmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// What a byte is to the view.  A '<' may open a tag; one that opens nothing
// is shown like any other character.
enum class ByteKind : unsigned char { kShown, kSpace, kReference, kDropped, kOpen };

struct ByteTable {
  ByteKind kind[256];
  bool nameChar[256];

  constexpr ByteTable() : kind(), nameChar() {
    for (int byte = 0; byte < 256; ++byte) {
      const char c = static_cast<char>(byte);
      nameChar[byte] = IsLetter(c) || (c >= '0' && c <= '9');
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

constexpr ByteTable kBytes;

ByteKind KindOf(char c) { return kBytes.kind[static_cast<unsigned char>(c)]; }
bool IsNameChar(char c) { return kBytes.nameChar[static_cast<unsigned char>(c)]; }

// Where the shown characters that begin at `at` end.  A single space
// between two of them shows as itself, so it stays in the run: whole
// sentences are copied at once.
const char* ShownRunEnd(const char* at, const char* last) {
  while (at != last) {
    if (KindOf(*at) == ByteKind::kShown) {
      ++at;
    } else if (*at == ' ' && last - at > 1 && KindOf(at[1]) == ByteKind::kShown) {
      at += 2;
    } else {
      break;
    }
  }
  return at;
}

// The first c in [at, last), or last: a word at a time, as the attributes
// of a tag run for a few dozen bytes.
const char* FindByte(const char* at, const char* last, char c) {
  using Word = std::size_t;
  constexpr Word kOnes = ~Word(0) / 0xFF;
  constexpr Word kHighs = kOnes << 7;
  const Word pattern = kOnes * static_cast<unsigned char>(c);
  while (static_cast<std::size_t>(last - at) >= sizeof(Word)) {
    Word word;
    std::memcpy(&word, at, sizeof word);
    const Word diff = word ^ pattern;
    if (((diff - kOnes) & ~diff & kHighs) != 0) break;  // some byte is c
    at += sizeof word;
  }
  while (at != last && *at != c) ++at;
  return at;
}

// Whether `text` begins with `upper` (an upper-case tag name), in any case.
bool StartsWithName(std::string_view text, std::string_view upper) {
  if (text.size() < upper.size()) return false;
  for (std::size_t i = 0; i < upper.size(); ++i) {
    if (UpperAscii(text[i]) != upper[i]) return false;
  }
  return true;
}

bool IsName(std::string_view name, std::string_view upper) {
  return name.size() == upper.size() && StartsWithName(name, upper);
}

// Appends into a string without a capacity check per call of the string's
// own: the string is grown ahead in large steps and cut to length at the end.
class TextWriter {
 public:
  explicit TextWriter(std::string& text) : text_(text) {}
  ~TextWriter() { text_.resize(used_); }

  void Append(const char* bytes, std::size_t count) {
    Reserve(count);
    std::memcpy(&text_[used_], bytes, count);
    used_ += count;
  }
  void Put(char c) {
    Reserve(1);
    text_[used_++] = c;
  }
  bool Empty() const { return used_ == 0; }
  std::size_t Size() const { return used_; }
  // The character `back` places before the end ('\0' when there is none).
  char Back(std::size_t back) const { return used_ >= back ? text_[used_ - back] : '\0'; }

 private:
  void Reserve(std::size_t count) {
    if (used_ + count > text_.size())
      text_.resize(std::max(2 * text_.size(), used_ + count + 4096));
  }

  std::string& text_;
  std::size_t used_ = 0;
};

// The conversion's tokenizer and builder, reduced to what decides the text:
// which '<' open a tag, comment or declaration, the tags that break lines,
// and the white space and references in between.
class ViewTextScanner {
 public:
  ViewTextScanner(std::string_view html, std::string& text)
      : html_(html), out_(text), lastTagClose_(html.rfind('>')) {}

  // Converts what lies before `limit` (and what a tag, comment or skipped
  // script begun there spans beyond it).
  void RunTo(std::size_t limit);
  std::size_t TextSize() const { return out_.Size(); }
  std::size_t HtmlSize() const { return html_.size(); }

 private:
  char At(std::size_t i) const { return i < html_.size() ? html_[i] : '\0'; }
  std::size_t Find(char c, std::size_t from) const;
  bool SkipComment();
  bool SkipDeclaration();
  bool Tag();
  void StartTag(std::string_view name);
  void SkipRawTextOf(std::string_view upper);
  void Reference();
  void Shown(const char* bytes, std::size_t count);
  void Character(char c);
  void Space();
  void LineBreak();
  void StartLine();
  void ParagraphBreak();
  void Separator();

  std::string_view html_;
  TextWriter out_;
  std::size_t pos_ = 0;
  // The last '>': a '<' after it opens no tag.
  std::size_t lastTagClose_;
  std::size_t unclosedCommentsFrom_ = kNpos;
  bool atLineStart_ = true;
  bool spacePending_ = false;
};

// One pass over the bytes (in pieces, when stopped at offsets).  The tokenizer ends a text token at
// every '<', but no reference can hold one, so reading references from the whole input finds the
// same ones.
void ViewTextScanner::RunTo(std::size_t limit) {
  while (pos_ < limit) {
    switch (KindOf(html_[pos_])) {
      case ByteKind::kShown: {
        const char* begin = html_.data() + pos_;
        const char* end = ShownRunEnd(begin + 1, html_.data() + html_.size());
        Shown(begin, static_cast<std::size_t>(end - begin));
        pos_ += static_cast<std::size_t>(end - begin);
        break;
      }
      case ByteKind::kSpace:
        Space();
        ++pos_;
        break;
      case ByteKind::kReference:
        Reference();
        break;
      case ByteKind::kDropped:
        ++pos_;
        break;
      case ByteKind::kOpen:
        if (SkipComment() || SkipDeclaration() || Tag()) break;
        Shown(html_.data() + pos_, 1);
        ++pos_;
        break;
    }
  }
}

// The offset of the next c at or after from, or the end of the HTML.
std::size_t ViewTextScanner::Find(char c, std::size_t from) const {
  if (from >= html_.size()) return html_.size();
  const char* begin = html_.data();
  return static_cast<std::size_t>(FindByte(begin + from, begin + html_.size(), c) - begin);
}

// The conversion skips a comment when a "-->" follows anywhere; once none
// does, none follows any later "<!--" either.
bool ViewTextScanner::SkipComment() {
  if (At(pos_ + 1) != '!' || At(pos_ + 2) != '-' || At(pos_ + 3) != '-') return false;
  if (pos_ >= unclosedCommentsFrom_) return false;
  const std::size_t close = html_.find("-->", pos_ + 2);
  if (close == kNpos) {
    unclosedCommentsFrom_ = pos_;
    return false;
  }
  pos_ = close + 3;
  return true;
}

bool ViewTextScanner::SkipDeclaration() {
  const char next = At(pos_ + 1);
  if (next != '!' && next != '?') return false;
  if (next == '!' && At(pos_ + 2) == '-' && At(pos_ + 3) == '-') return false;
  if (lastTagClose_ == kNpos || lastTagClose_ < pos_) return false;
  pos_ = Find('>', pos_) + 1;
  return true;
}

bool ViewTextScanner::Tag() {
  const bool endTag = At(pos_ + 1) == '/';
  const std::size_t nameStart = pos_ + (endTag ? 2 : 1);
  if (!IsLetter(At(nameStart))) return false;
  if (lastTagClose_ == kNpos || lastTagClose_ < nameStart) return false;
  const char* last = html_.data() + html_.size();
  const char* nameEnd = html_.data() + nameStart + 1;
  while (nameEnd != last && IsNameChar(*nameEnd)) ++nameEnd;
  const std::string_view name(html_.data() + nameStart,
                              static_cast<std::size_t>(nameEnd - html_.data()) - nameStart);
  // A '>' follows (last_tag_close_); most tags the host writes end at once.
  const char* close = *nameEnd == '>' ? nameEnd : FindByte(nameEnd, last, '>');
  pos_ = static_cast<std::size_t>(close - html_.data()) + 1;
  if (!endTag) {
    StartTag(name);
  } else if (IsName(name, "P")) {
    ParagraphBreak();
  }
  return true;
}

void ViewTextScanner::StartTag(std::string_view name) {
  if (IsName(name, "BR")) {
    LineBreak();
  } else if (IsName(name, "P")) {
    ParagraphBreak();
  } else if (IsName(name, "HR")) {
    Separator();
  } else if (IsName(name, "HTML")) {
    StartLine();
  } else if (IsName(name, "SCRIPT")) {
    SkipRawTextOf("SCRIPT");
  } else if (IsName(name, "STYLE")) {
    SkipRawTextOf("STYLE");
  }
}

void ViewTextScanner::SkipRawTextOf(std::string_view upper) {
  for (std::size_t i = html_.find("</", pos_); i != kNpos; i = html_.find("</", i + 2)) {
    if (!StartsWithName(html_.substr(i + 2), upper)) continue;
    const std::size_t after = i + 2 + upper.size();
    if (after < html_.size() && IsNameChar(html_[after])) continue;
    pos_ = Find('>', after);
    if (pos_ < html_.size()) ++pos_;
    return;
  }
  pos_ = html_.size();
}

void ViewTextScanner::Reference() {
  std::size_t length = 0;
  if (const auto codePoint = ReadCharacterReference(html_, pos_, length)) {
    if (const auto ansi = AnsiFromCodePoint(*codePoint)) Character(*ansi);
    pos_ += length;
  } else {
    Shown(html_.data() + pos_, 1);
    ++pos_;
  }
}

void ViewTextScanner::Shown(const char* bytes, std::size_t count) {
  if (spacePending_) {
    spacePending_ = false;
    out_.Put(' ');
  }
  out_.Append(bytes, count);
  atLineStart_ = false;
}

void ViewTextScanner::Character(char c) {
  if (IsHtmlSpace(c)) {
    Space();
  } else {
    Shown(&c, 1);
  }
}

// A run of white space shows as one space, and only when visible text
// follows on the same line.
void ViewTextScanner::Space() {
  if (!atLineStart_) spacePending_ = true;
}

void ViewTextScanner::LineBreak() {
  spacePending_ = false;
  out_.Put('\n');
  atLineStart_ = true;
}

void ViewTextScanner::StartLine() {
  if (!atLineStart_) LineBreak();
}

// A paragraph is set off by one empty line, however many P tags meet.
void ViewTextScanner::ParagraphBreak() {
  if (out_.Empty()) return;
  StartLine();
  if (out_.Back(2) != '\n') LineBreak();
}

void ViewTextScanner::Separator() {
  StartLine();
  const std::string_view line = SeparatorLine();
  out_.Append(line.data(), line.size());
  LineBreak();
}

}  // namespace

void ViewTextOf(std::string_view html, std::string& text) {
  ViewTextScanner scanner(html, text);
  scanner.RunTo(scanner.HtmlSize());
}

void ViewTextOf(std::string_view html, std::string& text, const std::vector<std::size_t>& stops,
                std::vector<std::size_t>& textAtStops) {
  textAtStops.clear();
  ViewTextScanner scanner(html, text);
  for (std::size_t stop : stops) {
    scanner.RunTo(stop);
    textAtStops.push_back(scanner.TextSize());
  }
  scanner.RunTo(scanner.HtmlSize());
}

}  // namespace corvane
