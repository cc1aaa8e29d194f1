#include "viewer/export/export_destination.h"

#include <windows.h>
#include <shlwapi.h>

#include "common/code_page_characters.h"
#include "viewer/export/export_paths.h"

namespace corvane {
namespace {

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ParentOf(const std::string& path) {
  char parent[MAX_PATH];
  lstrcpynA(parent, path.c_str(), MAX_PATH);
  PathRemoveFileSpecA(parent);
  return parent;
}

// Upper case in the code page, so that "Ä" and "ä" name one folder as they
// do on the file system.
std::string Folded(std::string path) {
  if (!path.empty()) CharUpperBuffA(&path[0], static_cast<DWORD>(path.size()));
  return path;
}

}  // namespace

std::string FullExportPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return {};
  // Short names (PROGRA~1) become long ones, as far as the folders exist.
  std::string existing = full;
  std::string rest;
  while (!existing.empty() && !Exists(existing)) {
    const std::string parent = ParentOf(existing);
    if (parent == existing) break;
    rest = existing.substr(parent.size()) + rest;
    existing = parent;
  }
  char longName[MAX_PATH];
  const DWORD longLength = GetLongPathNameA(existing.c_str(), longName, MAX_PATH);
  if (longLength == 0 || longLength >= MAX_PATH) return full;
  std::string result = longName;
  if (!rest.empty() && rest[0] != '\\' && !result.empty() && result.back() != '\\') result += '\\';
  return result + rest;
}

std::string RefuseExportDestination(const std::string& historyFolder, ExportFormat format,
                                    const std::string& destination) {
  if (destination.empty()) {
    return format == ExportFormat::kHtml ? "Choose a folder to export to."
                                         : "Choose a file to export to.";
  }
  const std::string full = FullExportPath(destination);
  if (full.empty() || full.size() >= MAX_PATH - 14) return "The path is too long: " + destination;
  const std::string history = FullExportPath(historyFolder);
  if (!history.empty() && IsSameOrInsideFolder(Folded(full), Folded(history), SystemLeadBytes())) {
    return "Choose a place outside the history folder " + history +
           ": the viewer would list what is saved there as history.";
  }
  if (format == ExportFormat::kHtml) {
    if (Exists(full) && !IsFolder(full))
      return full + " is a file; HTML is exported into a folder.";
    if (!IsFolder(full) && !IsFolder(ParentOf(full)))
      return "The folder " + ParentOf(full) + " does not exist.";
    return {};
  }
  if (IsFolder(full)) return full + " is a folder; choose a file name in it.";
  if (!IsFolder(ParentOf(full))) return "The folder " + ParentOf(full) + " does not exist.";
  return {};
}

}  // namespace corvane
