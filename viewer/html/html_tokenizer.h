// Splits HTML into text and tags for the HTML view.  Comments, declarations
// and the contents of SCRIPT and STYLE are skipped.  A '<' that does not open
// a complete tag or comment is text, so no visible text is ever swallowed.
// Runs in time linear in the length of the input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct HtmlAttribute {
  std::string name;   // upper case
  std::string value;  // references decoded
};

struct HtmlToken {
  enum class Kind { kText, kStartTag, kEndTag, kEnd };
  Kind kind = Kind::kEnd;
  std::string_view text;  // kText: raw text, references not yet decoded
  std::string name;       // tags: upper case
  std::vector<HtmlAttribute> attributes;
};

// The value of the first attribute with that (upper case) name.
const std::string* FindAttribute(const HtmlToken& tag, std::string_view name);

class HtmlTokenizer {
 public:
  explicit HtmlTokenizer(std::string_view html);

  // The next token; kEnd at the end of the input, and ever after.
  HtmlToken Next();

 private:
  HtmlToken TextUpTo(std::size_t end);
  bool SkipComment();
  bool SkipDeclaration();
  bool ReadTag(HtmlToken& token);
  void SkipRawTextOf(std::string_view name);

  std::string_view html_;
  std::size_t pos_ = 0;
  // Last positions of '>' and of "-->" in the input: a '<' after them cannot
  // close, which keeps the scan linear on input full of stray '<'.
  std::size_t lastTagClose_;
  std::size_t lastCommentClose_;
};

}  // namespace corvane
