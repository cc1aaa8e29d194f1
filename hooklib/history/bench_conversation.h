// A realistic conversation for the benchmarks and the tests.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr std::string_view kHostConversationStart = "<HTML><BODY BGCOLOR=\"#ffffff\">";
inline constexpr std::string_view kHostConversationEnd = "</BODY></HTML>";

// The n-th message as the host writes it: the sender's name in colour, the
// text in the chosen font, now and then a smiley or one of the host's
// comments.
inline std::string HostMessage(std::size_t n) {
  const std::vector<std::string_view> texts = {"are you coming tonight?",
                                               "see you at eight, then we can talk it over",
                                               "ok",
                                               "did you get the pictures I sent this morning",
                                               "lol",
                                               "brb, phone"};
  std::string html = n % 2 == 0 ? "<FONT COLOR=\"#0000ff\"><B>bob</B>:</FONT> "
                                : "<FONT COLOR=\"#ff0000\"><B>alice</B>:</FONT> ";
  html += "<FONT FACE=\"Arial\" SIZE=2 COLOR=\"#000000\">";
  if (n % 7 == 3) html += "<!-- 09:05:07 -->";
  html += texts[n % texts.size()];
  if (n % 5 == 2) html += " <IMG SRC=\"smile.gif\" ALT=\":-)\">";
  html += "</FONT><BR>";
  return html;
}

// Messages from the start of the conversation; exactly `size` characters.
inline std::string HostConversation(std::size_t size) {
  std::string html(kHostConversationStart);
  for (std::size_t n = 0; html.size() < size; ++n) html += HostMessage(n);
  html.resize(size);
  return html;
}

// The whole conversation as the host shows it, closing tags included:
// messages up to `size` characters, then `more` messages.
inline std::string ClosedHostConversation(std::size_t size, std::size_t more = 0) {
  std::string html(kHostConversationStart);
  std::size_t n = 0;
  while (html.size() + HostMessage(n).size() + kHostConversationEnd.size() <= size)
    html += HostMessage(n++);
  for (std::size_t extra = 0; extra < more; ++extra) html += HostMessage(n++);
  html += kHostConversationEnd;
  return html;
}

}  // namespace corvane
