#include "viewer/export/export_paths.h"

#include "common/history_naming.h"

namespace corvane {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string_view WithoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.remove_suffix(1);
  return path;
}

char Folded(char c) {
  if (IsSeparator(c)) return '\\';
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         EqualIgnoringAsciiCase(text.substr(text.size() - end.size()), end);
}

}  // namespace

bool IsSameOrInsideFolder(std::string_view path, std::string_view folder) {
  path = WithoutTrailingSeparators(path);
  folder = WithoutTrailingSeparators(folder);
  if (folder.empty() || path.size() < folder.size()) return false;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    if (Folded(path[i]) != Folded(folder[i])) return false;
  }
  return path.size() == folder.size() || IsSeparator(path[folder.size()]) ||
         IsSeparator(folder.back());
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

std::string DestinationForFormat(std::string_view path, ExportFormat from, ExportFormat to) {
  std::string_view stem = WithoutTrailingSeparators(path);
  if (stem.empty() || from == to) return std::string(path);
  const std::string_view old_extension = FormatExtension(from);
  if (!old_extension.empty()) {
    if (!EndsWithIgnoringCase(stem, old_extension)) return std::string(path);
    stem.remove_suffix(old_extension.size());
  }
  return std::string(stem) + std::string(FormatExtension(to));
}

}  // namespace corvane
