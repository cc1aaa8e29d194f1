#include "hooklib/history/testing/capture_rewrite_oracle.h"

#include <cstring>

namespace corvane {

std::string RewriteConversationStepByStep(std::string_view html) {
  constexpr auto kNpos = std::string::npos;
  std::string text(html);

  // Cut at the marker.
  const std::size_t binary = text.find("<BINARY>");
  if (binary != kNpos) text.erase(binary);

  // Images.
  for (std::size_t image = text.find("<IMG"); image != kNpos; image = text.find("<IMG")) {
    const char* const opening = "<FONT SIZE=1><B>[";
    text.replace(image, 1, opening);
    const std::size_t close = text.find('>', image + std::strlen(opening));
    if (close != kNpos) text.replace(close, 1, "]</B></FONT>");
  }

  // Comments.
  for (std::size_t comment = text.find("<!--"); comment != kNpos; comment = text.find("<!--")) {
    text.replace(comment, 4, "<FONT SIZE=1>");
    const std::size_t close = text.find("-->", comment);
    if (close != kNpos) text.replace(close, 3, "</FONT>");
  }

  // Cleared-window marks.
  std::size_t search = 0;
  for (;;) {
    const std::size_t body = text.find("<BODY BGCOLOR=\"#", search);
    if (body == kNpos) break;
    search = body + 24;
    if (search < text.size() && text.compare(search, 4, "<BR>") == 0) {
      text.insert(search, "<FONT SIZE=2><B>(IM Window Cleared)</B></FONT>");
    }
  }
  return text;
}

}  // namespace corvane
