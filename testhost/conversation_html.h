// The host's conversation text: one HTML document whose body grows by one
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

}  // namespace testhost
