#include "viewer/export/safe_day_html.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "viewer/export/export_format.h"
#include "viewer/html/html_entities.h"
#include "viewer/html/html_tokenizer.h"
#include "viewer/html/html_values.h"

namespace corvane {
namespace {

// As deep as the view honours; deeper tags are dropped, as it drops them.
constexpr std::size_t kMaxOpenElements = 256;
// An end tag opens again at most this many of the elements it closed
// inside its own, the outermost first...
constexpr std::size_t kReopenDepth = 8;
// ...and none of them more often than this: each start tag is then written
// at most three times, whatever the misnesting.
constexpr int kMaxReopenings = 2;

bool IsHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string ColourText(const Rgb& colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
  return text;
}

// FONT SIZE as the view reads it, its sign and digits; what follows them
// the view ignores, and so it goes.  Empty when the view takes no size.
std::string FontSizeText(std::string_view value) {
  if (!PointsForFontSize(value)) return {};
  std::size_t start = 0;
  while (IsHtmlSpace(value[start])) ++start;
  std::size_t end = start + 1;
  while (end < value.size() && value[end] >= '0' && value[end] <= '9') ++end;
  return std::string(value.substr(start, end - start));
}

// The elements that are kept, by the upper-case names the tokenizer gives,
// and the lower-case names they are written with.
const char* InlineElement(const std::string& name) {
  static constexpr const char* kNames[][2] = {
      {"B", "b"}, {"STRONG", "strong"}, {"I", "i"},       {"EM", "em"}, {"U", "u"},
      {"S", "s"}, {"STRIKE", "strike"}, {"FONT", "font"}, {"A", "a"},
  };
  for (const auto& entry : kNames) {
    if (name == entry[0]) return entry[1];
  }
  return nullptr;
}

class SafeHtmlWriter {
 public:
  // A day usually comes out a little longer than it went in, by the
  // escaping and the conversion; room for that spares growing the output
  // twice its length.
  SafeHtmlWriter(AnsiToUtf8& toUtf8, std::size_t inputLength) : toUtf8_(toUtf8) {
    out_.html.reserve(inputLength + inputLength / 4);
  }

  void Text(std::string_view raw);
  void StartTag(const HtmlToken& tag);
  void EndTag(const HtmlToken& tag);
  SafeHtml Finish();

 private:
  // Its start tag is not copied but found where it was written first, so
  // that open elements take no memory of their own.
  struct OpenElement {
    const char* writtenName;  // from InlineElement, one pointer a name
    std::size_t startTagAt;
    std::size_t startTagLength;
    int reopenings;
  };

  void AppendEscaped(std::string_view ansi, std::string& out);
  void AppendAttribute(const char* name, std::string_view ansiValue, std::string& out);
  void AppendFontStartTag(const HtmlToken& tag, std::string& out);
  void AppendAnchorStartTag(const HtmlToken& tag, std::string& out);
  void FlushText();
  void Break(const char* tag);
  void CloseFrom(std::size_t index);

  AnsiToUtf8& toUtf8_;
  SafeHtml out_;
  std::vector<OpenElement> open_;
  bool textSinceBreak_ = false;
  std::string pendingText_;  // ANSI, not yet converted
  std::string utf8_;
};

// Converted first, so that no byte the code page pairs with another can
// hide a character that must be escaped.
void SafeHtmlWriter::AppendEscaped(std::string_view ansi, std::string& out) {
  utf8_.clear();
  toUtf8_.Append(ansi, utf8_);
  AppendHtmlEscaped(utf8_, out);
}

void SafeHtmlWriter::AppendAttribute(const char* name, std::string_view ansiValue,
                                     std::string& out) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendEscaped(ansiValue, out);
  out += '"';
}

void SafeHtmlWriter::AppendFontStartTag(const HtmlToken& tag, std::string& out) {
  out += "<font";
  if (const std::string* face = FindAttribute(tag, "FACE")) AppendAttribute("face", *face, out);
  if (const std::string* size = FindAttribute(tag, "SIZE")) {
    const std::string number = FontSizeText(*size);
    if (!number.empty()) AppendAttribute("size", number, out);
  }
  if (const std::string* colour = FindAttribute(tag, "COLOR")) {
    if (const auto rgb = ParseHtmlColour(*colour)) AppendAttribute("color", ColourText(*rgb), out);
  }
  if (const std::string* back = FindAttribute(tag, "BACK")) {
    if (const auto rgb = ParseHtmlColour(*back))
      AppendAttribute("style", "background-color:" + ColourText(*rgb), out);
  }
  out += '>';
}

// A link keeps only a target the view would open, and opens it apart from
// the export; without one it is an anchor without a target.
void SafeHtmlWriter::AppendAnchorStartTag(const HtmlToken& tag, std::string& out) {
  out += "<a";
  const std::string* href = FindAttribute(tag, "HREF");
  if (const auto target = href ? OpenableLinkTarget(*href) : std::nullopt) {
    AppendAttribute("href", *target, out);
    out += " target=\"_blank\" rel=\"noopener noreferrer\"";
  }
  out += '>';
}

// References are written as numbers, each with its ';', so that no text
// after one can join it; what the view drops is dropped.
void SafeHtmlWriter::Text(std::string_view raw) {
  for (std::size_t i = 0; i < raw.size();) {
    std::size_t length = 0;
    if (const auto codePoint = ReadCharacterReference(raw, i, length)) {
      i += length;
      if (!AnsiFromCodePoint(*codePoint)) continue;
      const bool valid = *codePoint <= 0x10FFFF && (*codePoint < 0xD800 || *codePoint > 0xDFFF);
      FlushText();
      out_.html += "&#" + std::to_string(valid ? *codePoint : 0xFFFD) + ';';
      textSinceBreak_ = true;
      continue;
    }
    const char c = raw[i++];
    const auto byte = static_cast<unsigned char>(c);
    if (!IsHtmlSpace(c) && (byte < 0x20 || byte == 0x7F)) continue;
    if (!IsHtmlSpace(c)) textSinceBreak_ = true;
    pendingText_ += c;
  }
  FlushText();
}

void SafeHtmlWriter::FlushText() {
  AppendEscaped(pendingText_, out_.html);
  pendingText_.clear();
}

void SafeHtmlWriter::Break(const char* tag) {
  out_.html += tag;
  textSinceBreak_ = false;
}

void SafeHtmlWriter::StartTag(const HtmlToken& tag) {
  if (const char* written = InlineElement(tag.name)) {
    if (open_.size() >= kMaxOpenElements) return;
    const std::size_t at = out_.html.size();
    if (tag.name == "FONT") {
      AppendFontStartTag(tag, out_.html);
    } else if (tag.name == "A") {
      AppendAnchorStartTag(tag, out_.html);
    } else {
      out_.html += '<';
      out_.html += written;
      out_.html += '>';
    }
    open_.push_back(OpenElement{written, at, out_.html.size() - at, 0});
  } else if (tag.name == "BR") {
    Break("<br>");
  } else if (tag.name == "P") {
    Break("<p>");
  } else if (tag.name == "HR") {
    Break("<hr>");
  } else if (tag.name == "HTML") {
    // Each block's conversation starts on a line of its own, as in the view.
    if (textSinceBreak_) Break("<br>");
  } else if (tag.name == "BODY" && out_.background.empty()) {
    if (const std::string* colour = FindAttribute(tag, "BGCOLOR")) {
      if (const auto rgb = ParseHtmlColour(*colour)) out_.background = ColourText(*rgb);
    }
  }
}

// Closes the innermost open element of that name; those opened inside it
// are closed with it and opened again after it, within the bounds above.
// An end tag that closes nothing is dropped.
void SafeHtmlWriter::EndTag(const HtmlToken& tag) {
  if (tag.name == "P") {
    Break("<p>");
    return;
  }
  const char* written = InlineElement(tag.name);
  std::size_t i = open_.size();
  while (i > 0 && open_[i - 1].writtenName != written) --i;
  if (i == 0) return;
  const std::vector<OpenElement> inner(open_.begin() + static_cast<std::ptrdiff_t>(i), open_.end());
  CloseFrom(i - 1);
  for (std::size_t depth = 0; depth < inner.size() && depth < kReopenDepth; ++depth) {
    OpenElement element = inner[depth];
    if (element.reopenings == kMaxReopenings) continue;
    ++element.reopenings;
    out_.html.append(out_.html, element.startTagAt, element.startTagLength);
    open_.push_back(element);
  }
}

void SafeHtmlWriter::CloseFrom(std::size_t index) {
  while (open_.size() > index) {
    out_.html += "</";
    out_.html += open_.back().writtenName;
    out_.html += '>';
    open_.pop_back();
  }
}

SafeHtml SafeHtmlWriter::Finish() {
  CloseFrom(0);
  return std::move(out_);
}

}  // namespace

SafeHtml SafeDayHtml(std::string_view html, AnsiToUtf8& toUtf8) {
  SafeHtmlWriter writer(toUtf8, html.size());
  HtmlTokenizer tokenizer(html);
  for (HtmlToken token = tokenizer.Next(); token.kind != HtmlToken::Kind::kEnd;
       token = tokenizer.Next()) {
    if (token.kind == HtmlToken::Kind::kText) {
      writer.Text(token.text);
    } else if (token.kind == HtmlToken::Kind::kStartTag) {
      writer.StartTag(token);
    } else if (token.kind == HtmlToken::Kind::kEndTag) {
      writer.EndTag(token);
    }
  }
  return writer.Finish();
}

}  // namespace corvane
