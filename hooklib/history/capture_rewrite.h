// The rewrite that turns a conversation window's HTML into the text of a
// history block.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Cuts the text at "<BINARY>", shows image tags and comments as small
// visible text, and marks a window whose body starts with a line break as
// cleared.  The result never contains "<!--", so no line of it can be taken
// for a block's key line.  Runs in time linear in the length of the text.
std::string RewriteConversation(std::string_view html);

}  // namespace corvane
