#include "viewer/html/html_tokenizer.h"

#include "viewer/html/html_entities.h"

namespace corvane {
namespace {

constexpr std::size_t kNpos = std::string_view::npos;

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

// Attributes between a tag's name and its closing '>': name, name=value,
// name="value" or name='value'.  A quote left open runs to the end of the tag.
std::vector<HtmlAttribute> ParseAttributes(std::string_view text) {
  std::vector<HtmlAttribute> attributes;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (IsHtmlSpace(text[i]) || text[i] == '/')) ++i;
    const std::size_t nameStart = i;
    while (i < text.size() && !IsHtmlSpace(text[i]) && text[i] != '=' && text[i] != '/') ++i;
    if (i == nameStart) {
      ++i;  // a stray '=' with no name
      continue;
    }
    HtmlAttribute attribute{Upper(text.substr(nameStart, i - nameStart)), {}};
    std::size_t j = i;
    while (j < text.size() && IsHtmlSpace(text[j])) ++j;
    if (j < text.size() && text[j] == '=') {
      ++j;
      while (j < text.size() && IsHtmlSpace(text[j])) ++j;
      std::size_t valueStart = j;
      std::size_t valueEnd;
      if (j < text.size() && (text[j] == '"' || text[j] == '\'')) {
        valueStart = j + 1;
        valueEnd = text.find(text[j], valueStart);
        if (valueEnd == kNpos) valueEnd = text.size();
        i = valueEnd + 1;
      } else {
        while (j < text.size() && !IsHtmlSpace(text[j])) ++j;
        valueEnd = j;
        i = j;
      }
      attribute.value = DecodeAttributeValue(text.substr(valueStart, valueEnd - valueStart));
    }
    attributes.push_back(std::move(attribute));
  }
  return attributes;
}

}  // namespace

const std::string* FindAttribute(const HtmlToken& tag, std::string_view name) {
  if (!tag.attributesRead) {
    tag.attributes = ParseAttributes(tag.attributeText);
    tag.attributesRead = true;
  }
  for (const HtmlAttribute& attribute : tag.attributes) {
    if (attribute.name == name) return &attribute.value;
  }
  return nullptr;
}

HtmlTokenizer::HtmlTokenizer(std::string_view html)
    : html_(html),
      closesEnd_(html.rfind('>') + 1),  // npos + 1 is 0
      unclosedCommentsFrom_(html.size()) {}

HtmlToken HtmlTokenizer::Next() {
  HtmlSpan span;
  NextSpan(span);
  HtmlToken token;
  token.kind = span.kind;
  token.text = span.text;
  token.name.reserve(span.name.size());
  for (char c : span.name) token.name += UpperAscii(c);
  token.attributeText = span.attributes;
  return token;
}

// "<!--" up to "-->"; "<!-->" is an empty comment, as in browsers.
bool HtmlTokenizer::SkipComment() {
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

// "<!DOCTYPE ...>", "<?xml ...?>" and the like.
bool HtmlTokenizer::SkipDeclaration() {
  const char next = At(pos_ + 1);
  if (next != '!' && next != '?') return false;
  if (next == '!' && At(pos_ + 2) == '-' && At(pos_ + 3) == '-') return false;
  if (pos_ >= closesEnd_) return false;
  pos_ = html_.find('>', pos_) + 1;
  return true;
}

void HtmlTokenizer::SkipRawTextOf(const HtmlSpan& tag) {
  if (IsTagNamed(tag.name, "SCRIPT")) {
    SkipRawTextOf("SCRIPT");
  } else if (IsTagNamed(tag.name, "STYLE")) {
    SkipRawTextOf("STYLE");
  }
}

// Script and style text is never shown (nor run): skip to the matching end
// tag, or to the end of the input when there is none.
void HtmlTokenizer::SkipRawTextOf(std::string_view upper) {
  for (std::size_t i = html_.find("</", pos_); i != kNpos; i = html_.find("</", i + 2)) {
    if (!IsTagNamed(html_.substr(i + 2, upper.size()), upper)) continue;
    const std::size_t after = i + 2 + upper.size();
    if (after < html_.size() && html_detail::IsNameChar(html_[after])) continue;
    const std::size_t close = html_.find('>', after);
    pos_ = close == kNpos ? html_.size() : close + 1;
    return;
  }
  pos_ = html_.size();
}

}  // namespace corvane
