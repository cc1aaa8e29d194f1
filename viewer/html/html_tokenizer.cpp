#include "viewer/html/html_tokenizer.h"

#include "viewer/html/html_entities.h"

namespace corvane {
namespace {

constexpr std::size_t kNpos = std::string_view::npos;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsNameChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9'); }

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

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
    while (i < text.size() && (IsSpace(text[i]) || text[i] == '/')) ++i;
    const std::size_t nameStart = i;
    while (i < text.size() && !IsSpace(text[i]) && text[i] != '=' && text[i] != '/') ++i;
    if (i == nameStart) {
      ++i;  // a stray '=' with no name
      continue;
    }
    HtmlAttribute attribute{Upper(text.substr(nameStart, i - nameStart)), {}};
    std::size_t j = i;
    while (j < text.size() && IsSpace(text[j])) ++j;
    if (j < text.size() && text[j] == '=') {
      ++j;
      while (j < text.size() && IsSpace(text[j])) ++j;
      std::size_t valueStart = j;
      std::size_t valueEnd;
      if (j < text.size() && (text[j] == '"' || text[j] == '\'')) {
        valueStart = j + 1;
        valueEnd = text.find(text[j], valueStart);
        if (valueEnd == kNpos) valueEnd = text.size();
        i = valueEnd + 1;
      } else {
        while (j < text.size() && !IsSpace(text[j])) ++j;
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
  for (const HtmlAttribute& attribute : tag.attributes) {
    if (attribute.name == name) return &attribute.value;
  }
  return nullptr;
}

HtmlTokenizer::HtmlTokenizer(std::string_view html)
    : html_(html), lastTagClose_(html.rfind('>')), lastCommentClose_(html.rfind("-->")) {}

HtmlToken HtmlTokenizer::Next() {
  while (pos_ < html_.size()) {
    if (html_[pos_] != '<') return TextUpTo(html_.find('<', pos_));
    if (SkipComment() || SkipDeclaration()) continue;
    HtmlToken tag;
    if (ReadTag(tag)) return tag;
    return TextUpTo(html_.find('<', pos_ + 1));  // a '<' that opens nothing
  }
  return HtmlToken{};
}

HtmlToken HtmlTokenizer::TextUpTo(std::size_t end) {
  if (end == kNpos) end = html_.size();
  HtmlToken token;
  token.kind = HtmlToken::Kind::kText;
  token.text = html_.substr(pos_, end - pos_);
  pos_ = end;
  return token;
}

// "<!--" up to "-->"; "<!-->" is an empty comment, as in browsers.
bool HtmlTokenizer::SkipComment() {
  if (html_.compare(pos_, 4, "<!--") != 0) return false;
  if (lastCommentClose_ == kNpos || lastCommentClose_ < pos_ + 2) return false;
  pos_ = html_.find("-->", pos_ + 2) + 3;
  return true;
}

// "<!DOCTYPE ...>", "<?xml ...?>" and the like.
bool HtmlTokenizer::SkipDeclaration() {
  if (pos_ + 1 >= html_.size() || (html_[pos_ + 1] != '!' && html_[pos_ + 1] != '?')) return false;
  if (html_.compare(pos_, 4, "<!--") == 0) return false;
  if (lastTagClose_ == kNpos || lastTagClose_ < pos_) return false;
  pos_ = html_.find('>', pos_) + 1;
  return true;
}

bool HtmlTokenizer::ReadTag(HtmlToken& token) {
  const bool endTag = pos_ + 1 < html_.size() && html_[pos_ + 1] == '/';
  const std::size_t nameStart = pos_ + (endTag ? 2 : 1);
  if (nameStart >= html_.size() || !IsLetter(html_[nameStart])) return false;
  if (lastTagClose_ == kNpos || lastTagClose_ < nameStart) return false;
  std::size_t nameEnd = nameStart;
  while (nameEnd < html_.size() && IsNameChar(html_[nameEnd])) ++nameEnd;
  // The first '>' ends the tag, quoted or not, as the capture's own rewrite
  // of image tags assumes; the host writes no '>' inside attribute values.
  const std::size_t end = html_.find('>', nameEnd);
  token.kind = endTag ? HtmlToken::Kind::kEndTag : HtmlToken::Kind::kStartTag;
  token.name = Upper(html_.substr(nameStart, nameEnd - nameStart));
  if (!endTag) token.attributes = ParseAttributes(html_.substr(nameEnd, end - nameEnd));
  pos_ = end + 1;
  if (!endTag && (token.name == "SCRIPT" || token.name == "STYLE")) SkipRawTextOf(token.name);
  return true;
}

// Script and style text is never shown (nor run): skip to the matching end
// tag, or to the end of the input when there is none.
void HtmlTokenizer::SkipRawTextOf(std::string_view name) {
  for (std::size_t i = html_.find("</", pos_); i != kNpos; i = html_.find("</", i + 2)) {
    if (Upper(html_.substr(i + 2, name.size())) != name) continue;
    const std::size_t after = i + 2 + name.size();
    if (after < html_.size() && IsNameChar(html_[after])) continue;
    const std::size_t close = html_.find('>', after);
    pos_ = close == kNpos ? html_.size() : close + 1;
    return;
  }
  pos_ = html_.size();
}

}  // namespace corvane
