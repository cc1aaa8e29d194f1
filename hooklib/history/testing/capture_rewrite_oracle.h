// The conversation rewrite done literally, step by step, on one growing
// string with every search restarted from the start.  Quadratic; it exists
// only to check RewriteConversation against.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

std::string RewriteConversationStepByStep(std::string_view html);

}  // namespace corvane
