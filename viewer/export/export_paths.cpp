#include "viewer/export/export_paths.h"

#include "common/code_page_characters.h"
#include "common/history_naming.h"

namespace corvane {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Read by character: the trail byte of a two-byte character may have the
// value of '\' or of a letter.
bool IsSeparatorAt(std::string_view path, std::size_t at, const LeadBytes& lead) {
  return CharacterSize(path, at, lead) == 1 && IsSeparator(path[at]);
}

std::string_view WithoutTrailingSeparators(std::string_view path, const LeadBytes& lead) {
  std::size_t keep = 0;
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t size = CharacterSize(path, at, lead);
    if (!IsSeparatorAt(path, at, lead) || at == 0) keep = at + size;
    at += size;
  }
  return path.substr(0, keep);
}

char Folded(char c) {
  if (IsSeparator(c)) return '\\';
  return AsciiLower(c);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         EqualsAsciiIgnoringCase(text.substr(text.size() - end.size()), end);
}

}  // namespace

bool IsSameOrInsideFolder(std::string_view path, std::string_view folder, const LeadBytes& lead) {
  path = WithoutTrailingSeparators(path, lead);
  folder = WithoutTrailingSeparators(folder, lead);
  if (folder.empty() || path.size() < folder.size()) return false;
  std::size_t last = 0;
  for (std::size_t at = 0; at < folder.size();) {
    const std::size_t size = CharacterSize(folder, at, lead);
    if (size != CharacterSize(path, at, lead)) return false;
    for (std::size_t i = at; i < at + size; ++i) {
      // Only a character of its own is a letter to fold.
      if ((size == 1 ? Folded(path[i]) : path[i]) != (size == 1 ? Folded(folder[i]) : folder[i])) {
        return false;
      }
    }
    last = at;
    at += size;
  }
  return path.size() == folder.size() || IsSeparatorAt(path, folder.size(), lead) ||
         IsSeparatorAt(folder, last, lead);
}

std::string_view FormatExtension(ExportFormat format) {
  switch (format) {
    case ExportFormat::kText:
      return ".txt";
    case ExportFormat::kJsonLines:
      return ".jsonl";
    case ExportFormat::kHtml:
      break;
  }
  return {};
}

std::string DestinationForFormat(std::string_view path, ExportFormat from, ExportFormat to,
                                 const LeadBytes& lead) {
  std::string_view stem = WithoutTrailingSeparators(path, lead);
  if (stem.empty() || from == to) return std::string(path);
  const std::string_view oldExtension = FormatExtension(from);
  if (!oldExtension.empty()) {
    if (!EndsWithIgnoringCase(stem, oldExtension)) return std::string(path);
    stem.remove_suffix(oldExtension.size());
  }
  return std::string(stem) + std::string(FormatExtension(to));
}

}  // namespace corvane
