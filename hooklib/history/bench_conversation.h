// A realistic conversation for the benchmarks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Messages as the host writes them: the sender's name in colour, the text in
// the chosen font, now and then a smiley or one of the host's comments;
// exactly `size` characters.
inline std::string HostConversation(std::size_t size) {
  const std::vector<std::string_view> texts = {
      "are you coming tonight?", "see you at eight, then we can talk it over",
      "ok", "did you get the pictures I sent this morning", "lol", "brb, phone"};
  std::string html = "<HTML><BODY BGCOLOR=\"#ffffff\">";
  for (std::size_t n = 0; html.size() < size; ++n) {
    html += n % 2 == 0 ? "<FONT COLOR=\"#0000ff\"><B>bob</B>:</FONT> "
                       : "<FONT COLOR=\"#ff0000\"><B>alice</B>:</FONT> ";
    html += "<FONT FACE=\"Arial\" SIZE=2 COLOR=\"#000000\">";
    if (n % 7 == 3) html += "<!-- 09:05:07 -->";
    html += texts[n % texts.size()];
    if (n % 5 == 2) html += " <IMG SRC=\"smile.gif\" ALT=\":-)\">";
    html += "</FONT><BR>";
  }
  html.resize(size);
  return html;
}

}  // namespace corvane
