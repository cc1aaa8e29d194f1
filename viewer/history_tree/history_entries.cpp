#include "viewer/history_tree/history_entries.h"

#include <cctype>

namespace corvane {
namespace {

constexpr std::string_view kDayFileSuffix = ".html";

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

std::optional<std::string> DateEntryText(std::string_view file_name) {
  if (file_name.size() < kDayFileSuffix.size()) {
    return std::nullopt;
  }
  const std::size_t stem_length = file_name.size() - kDayFileSuffix.size();
  if (!EqualsIgnoringAsciiCase(file_name.substr(stem_length), kDayFileSuffix)) {
    return std::nullopt;
  }
  return std::string(file_name.substr(0, stem_length));
}

std::string DateEntryFileName(std::string_view date_text) {
  std::string name(date_text);
  name += kDayFileSuffix;
  return name;
}

}  // namespace corvane
