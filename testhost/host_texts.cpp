#include "testhost/host_texts.h"

#include <cctype>

namespace testhost {

namespace {
bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string EscapeHtml(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

bool IsLineBreakTag(const std::string& tag) {
  std::string name;
  for (char c : tag) {
    if (c == ' ' || c == '/') break;
    name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return name == "BR" || name == "P";
}

// Decodes the entity starting at html[i] ('&'); returns its length or 0.
size_t DecodeEntity(const std::string& html, size_t i, std::string* out) {
  static const struct {
    const char* name;
    char value;
  } kEntities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", ' '}};
  for (const auto& entity : kEntities) {
    const std::string name = entity.name;
    if (html.compare(i, name.size(), name) == 0) {
      *out += entity.value;
      return name.size();
    }
  }
  return 0;
}

}  // namespace

std::string ClearedConversation() {
  return std::string(kConversationOpening) + "<BR>" + kConversationClosing;
}

std::string MessageHtml(const std::string& sender, const std::string& text, bool own) {
  return std::string("<FONT COLOR=\"") + (own ? "#ff0000" : "#0000ff") + "\"><B>" +
         EscapeHtml(sender) + "</B>:</FONT> <FONT FACE=\"Arial\" SIZE=2 COLOR=\"#000000\">" + text +
         "</FONT>";
}

std::string AppendMessage(const std::string& conversation, const std::string& sender,
                          const std::string& text, bool own) {
  std::string body = conversation;
  if (body.empty())
    body = kConversationOpening;
  else if (EndsWith(body, kConversationClosing))
    body.resize(body.size() - std::string(kConversationClosing).size());
  // Right after the opening tag or a line break the message starts a line
  // of its own; otherwise it needs a break before it.
  if (!EndsWith(body, kConversationOpening) && !EndsWith(body, "<BR>")) body += "<BR>";
  return body + MessageHtml(sender, text, own) + kConversationClosing;
}

std::string DisplayTail(const std::string& html, size_t maxLines) {
  std::string text;
  for (size_t i = 0; i < html.size();) {
    if (html[i] == '<') {
      size_t end = html.find('>', i);
      if (end == std::string::npos) break;
      if (IsLineBreakTag(html.substr(i + 1, end - i - 1))) text += '\n';
      i = end + 1;
    } else if (html[i] == '&') {
      size_t length = DecodeEntity(html, i, &text);
      if (length == 0) text += '&';
      i += length ? length : 1;
    } else {
      text += html[i++];
    }
  }
  size_t start = text.size();
  for (size_t lines = 0; start > 0; --start) {
    if (text[start - 1] == '\n' && ++lines == maxLines) break;
  }
  return text.substr(start);
}

std::string BuddyListTitle(const std::string& screenName) { return screenName + "'s Buddy List"; }
std::string ImWindowTitle(const std::string& buddy) { return buddy + " - Instant Message"; }
std::string ChatWindowTitle(const std::string& room) { return room + " - Chat"; }

std::string ScreenNameFromTitle(const std::string& title) {
  size_t end = title.find("'s ");
  if (end == std::string::npos) end = title.find("' ");
  return title.substr(0, end);
}

}  // namespace testhost
