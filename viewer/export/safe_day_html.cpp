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

bool IsHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string ColourText(const Rgb& colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
  return text;
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

void AppendAttribute(const char* name, std::string_view value, std::string& out) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendHtmlEscaped(value, out);
  out += '"';
}

std::string FontStartTag(const HtmlToken& tag) {
  std::string out = "<font";
  if (const std::string* face = FindAttribute(tag, "FACE")) AppendAttribute("face", *face, out);
  if (const std::string* size = FindAttribute(tag, "SIZE")) {
    if (PointsForFontSize(*size)) AppendAttribute("size", *size, out);
  }
  if (const std::string* colour = FindAttribute(tag, "COLOR")) {
    if (const auto rgb = ParseHtmlColour(*colour)) AppendAttribute("color", ColourText(*rgb), out);
  }
  if (const std::string* back = FindAttribute(tag, "BACK")) {
    if (const auto rgb = ParseHtmlColour(*back))
      AppendAttribute("style", "background-color:" + ColourText(*rgb), out);
  }
  return out + '>';
}

// A link keeps only a target the view would open, and opens it apart from
// the export; without one it is an anchor without a target.
std::string AnchorStartTag(const HtmlToken& tag) {
  std::string out = "<a";
  const std::string* href = FindAttribute(tag, "HREF");
  if (const auto target = href ? OpenableLinkTarget(*href) : std::nullopt) {
    AppendAttribute("href", *target, out);
    out += " target=\"_blank\" rel=\"noopener noreferrer\"";
  }
  return out + '>';
}

class SafeHtmlWriter {
 public:
  void Text(std::string_view raw);
  void StartTag(const HtmlToken& tag);
  void EndTag(const HtmlToken& tag);
  SafeHtml Finish();

 private:
  struct OpenElement {
    std::string name;      // upper case, as the tokenizer gives it
    std::string startTag;  // as written, to reopen it
    const char* writtenName;
  };

  void Break(const char* tag);
  void CloseFrom(std::size_t index);

  SafeHtml out_;
  std::vector<OpenElement> open_;
  bool textSinceBreak_ = false;
};

// References are written as numbers, each with its ';', so that no text
// after one can join it; what the view drops is dropped.
void SafeHtmlWriter::Text(std::string_view raw) {
  std::string& out = out_.html;
  for (std::size_t i = 0; i < raw.size();) {
    std::size_t length = 0;
    if (const auto codePoint = ReadCharacterReference(raw, i, length)) {
      i += length;
      if (!AnsiFromCodePoint(*codePoint)) continue;
      const bool valid = *codePoint <= 0x10FFFF && (*codePoint < 0xD800 || *codePoint > 0xDFFF);
      out += "&#" + std::to_string(valid ? *codePoint : 0xFFFD) + ';';
      textSinceBreak_ = true;
      continue;
    }
    const char c = raw[i++];
    const auto byte = static_cast<unsigned char>(c);
    if (!IsHtmlSpace(c) && (byte < 0x20 || byte == 0x7F)) continue;
    if (!IsHtmlSpace(c)) textSinceBreak_ = true;
    if (c == '&' || c == '<' || c == '>') {
      AppendHtmlEscaped(std::string_view(&c, 1), out);
    } else {
      out += c;
    }
  }
}

void SafeHtmlWriter::Break(const char* tag) {
  out_.html += tag;
  textSinceBreak_ = false;
}

void SafeHtmlWriter::StartTag(const HtmlToken& tag) {
  if (const char* written = InlineElement(tag.name)) {
    if (open_.size() >= kMaxOpenElements) return;
    std::string start = tag.name == "FONT" ? FontStartTag(tag)
                        : tag.name == "A"  ? AnchorStartTag(tag)
                                           : std::string("<") + written + '>';
    out_.html += start;
    open_.push_back(OpenElement{tag.name, std::move(start), written});
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
// are closed with it and opened again after it, as a browser keeps a
// misnested B or I going.  An end tag that closes nothing is dropped.
void SafeHtmlWriter::EndTag(const HtmlToken& tag) {
  if (tag.name == "P") {
    Break("<p>");
    return;
  }
  std::size_t i = open_.size();
  while (i > 0 && open_[i - 1].name != tag.name) --i;
  if (i == 0) return;
  std::vector<OpenElement> inner(open_.begin() + static_cast<std::ptrdiff_t>(i), open_.end());
  CloseFrom(i - 1);
  for (OpenElement& element : inner) {
    out_.html += element.startTag;
    open_.push_back(std::move(element));
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

SafeHtml SafeDayHtml(std::string_view html) {
  SafeHtmlWriter writer;
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
