// The texts of the host that outside programs read back: its window titles,
// with the screen name in the Buddy List's, and its conversation text: one
// HTML document whose body grows by one
// message at a time and which always ends with "</HTML>".  Outside programs
// read this text from the conversation control, so its shape is kept exact.
#pragma once

#include <string>

namespace testhost {

inline constexpr const char kConversationOpening[] = "<HTML><BODY BGCOLOR=\"#ffffff\">";
inline constexpr const char kConversationClosing[] = "</BODY></HTML>";

// What the host's own clear command leaves in the conversation control.
std::string ClearedConversation();

// One message; the user's own name is red, everybody else's blue.  The
// sender is escaped, the text is kept as given: the host stores markup.
std::string MessageHtml(const std::string& sender, const std::string& text, bool own);

// The conversation with one more message inserted before the closing.  An
// empty conversation starts a new document.
std::string AppendMessage(const std::string& conversation, const std::string& sender,
                          const std::string& text, bool own);

// Readable text for painting: tags dropped, <BR> as line breaks, the common
// entities decoded, only the last maxLines lines kept.
std::string DisplayTail(const std::string& html, size_t maxLines);

// Window titles, and the screen name read back from the Buddy List's.
std::string BuddyListTitle(const std::string& screenName);  // "alice's Buddy List"
std::string ImWindowTitle(const std::string& buddy);        // "bob - Instant Message"
std::string ChatWindowTitle(const std::string& room);       // "Lounge - Chat"
// The text before the first "'s ", else before the first "' ", else all of it.
std::string ScreenNameFromTitle(const std::string& title);

}  // namespace testhost
