#include "common/web_address.h"

#include <cctype>

namespace corvane {
namespace {

bool StartsWithIgnoringCase(const std::string& text, const char* prefix) {
  std::size_t i = 0;
  for (; prefix[i] != '\0'; ++i) {
    if (i >= text.size()) return false;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::tolower(c) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

bool IsWebAddress(const std::string& address) {
  return StartsWithIgnoringCase(address, "http://") || StartsWithIgnoringCase(address, "https://");
}

}  // namespace corvane
