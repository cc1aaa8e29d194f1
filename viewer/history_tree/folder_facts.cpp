#include "viewer/history_tree/folder_facts.h"

#include "common/unique_handle.h"

namespace corvane {
namespace {

using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);

// Windows Vista and later, and Wine, which resolves Unix symbolic links in
// it; on Windows XP a junction still shows as a reparse point.
FinalPathFunction FinalPathName() {
  static const FinalPathFunction kFunction =
      reinterpret_cast<FinalPathFunction>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  return kFunction;
}

std::optional<std::string> FinalPathOf(HANDLE folder) {
  const FinalPathFunction finalPath = FinalPathName();
  if (finalPath == nullptr) return std::nullopt;
  std::string path(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = finalPath(folder, &path[0], static_cast<DWORD>(path.size()), 0);
    if (length == 0) return std::nullopt;
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.assign(length + 1, '\0');
  }
  return std::nullopt;
}

// "C:\" and "alice" make "C:\alice", as "C:\History" and "alice" make
// "C:\History\alice".
std::string Below(const std::string& folder, const std::string& relative) {
  if (!folder.empty() && folder.back() == '\\') return folder + relative;
  return folder + "\\" + relative;
}

bool SamePath(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(),
                        static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Opened for no access at all, which is enough to ask who it is; backup
// semantics let a folder be opened.
KernelHandle OpenFolder(const std::string& path) {
  return KernelHandle(CreateFileA(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

struct Opened {
  FolderFacts facts;
  std::optional<std::string> finalPath;
};

Opened Examine(const std::string& path, DWORD attributes) {
  Opened opened;
  opened.facts.reparsePoint = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  const KernelHandle folder = OpenFolder(path);
  BY_HANDLE_FILE_INFORMATION information;
  if (!folder || !GetFileInformationByHandle(folder.Get(), &information)) return opened;
  opened.facts.reparsePoint =
      opened.facts.reparsePoint || (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  opened.facts.identity = FolderIdentity{
      information.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
  opened.finalPath = FinalPathOf(folder.Get());
  return opened;
}

}  // namespace

FolderFactsReader::FolderFactsReader(const std::string& historyFolder)
    : historyFolder_(historyFolder) {
  Opened root = Examine(historyFolder_, GetFileAttributesA(historyFolder_.c_str()));
  // The history folder may itself be a link: where it leads is the tree.
  root.facts.reparsePoint = false;
  root_ = root.facts;
  rootFinalPath_ = std::move(root.finalPath);
}

std::optional<std::uint32_t> FolderFactsReader::RootVolume() const {
  if (!root_.identity) return std::nullopt;
  return root_.identity->volume;
}

FolderFacts FolderFactsReader::Of(const std::string& relative, DWORD attributes) const {
  Opened opened = Examine(Below(historyFolder_, relative), attributes);
  if (rootFinalPath_ && opened.finalPath)
    opened.facts.resolvesElsewhere = !SamePath(*opened.finalPath, Below(*rootFinalPath_, relative));
  return opened.facts;
}

WalkedFolder FolderFactsReader::Walked(const std::string& relative, DWORD attributes,
                                       bool parentLinked) const {
  WalkedFolder walked{Of(relative, attributes), false};
  walked.linked = ReachedThroughLink(walked.facts, parentLinked, RootVolume());
  return walked;
}

}  // namespace corvane
