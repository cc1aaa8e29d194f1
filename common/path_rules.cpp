#include "common/path_rules.h"

namespace corvane {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string Joined(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !IsSeparator(path.back())) path += '\\';
  return path += name;
}

}  // namespace

bool IsFullyQualifiedPath(std::string_view path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) return true;
  return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
}

std::string DefaultHistoryFolder(std::string_view launcherFolder, bool installedCopy,
                                 std::string_view documentsFolder) {
  const bool inDocuments = installedCopy && IsFullyQualifiedPath(documentsFolder);
  return Joined(inDocuments ? documentsFolder : launcherFolder, kHistoryFolderName);
}

}  // namespace corvane
