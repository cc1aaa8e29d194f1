// Differential fuzzing: the one-pass rewrite must equal the literal steps on
// any input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/testing/capture_rewrite_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view html(reinterpret_cast<const char*>(data), size);
  if (corvane::RewriteConversation(html) != corvane::RewriteConversationStepByStep(html))
    std::abort();
  return 0;
}
