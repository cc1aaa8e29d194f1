// What any program could do to the hook library's memory without running
// it: map the file (its references unresolved, so no code of it runs) and
// overwrite every text in its writable sections that looks like a folder
// with a folder of its own.  Writes land in the other processes' memory only
// where a section is shared.
//
//   library_tamperer LIBRARY FOLDER
//
// Prints "section NAME writable=0|1 shared=0|1" per section, then
// "changed section=NAME offset=N old=TEXT" per text overwritten, then
// "done shared-writable=N changed=N", and keeps the library mapped until
// stdin closes.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool LooksLikeFolder(const char* text, size_t length) {
  if (length < 3) return false;
  const bool drive = ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) &&
                     text[1] == ':' && text[2] == '\\';
  const bool share = text[0] == '\\' && text[1] == '\\';
  return drive || share;
}

// Overwrites each folder-like text of [begin, end) with `folder` where the
// text and the zero bytes after it leave room; the number changed.
int OverwriteFolders(char* begin, char* end, const char* section, const std::string& folder) {
  int changed = 0;
  char* p = begin;
  while (p < end) {
    if (*p == '\0') {
      ++p;
      continue;
    }
    char* text = p;
    while (p < end && *p != '\0') ++p;
    const size_t length = static_cast<size_t>(p - text);
    char* room = p;
    while (room < end && *room == '\0') ++room;
    const size_t capacity = static_cast<size_t>(room - text);
    if (LooksLikeFolder(text, length) && folder.size() < capacity) {
      std::printf("changed section=%s offset=%ld old=%.*s\n", section,
                  static_cast<long>(text - begin), static_cast<int>(length), text);
      std::memset(text, 0, length);
      std::memcpy(text, folder.c_str(), folder.size());
      ++changed;
    }
  }
  return changed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: library_tamperer LIBRARY FOLDER\n");
    return 2;
  }
  HMODULE library = LoadLibraryExA(argv[1], nullptr, DONT_RESOLVE_DLL_REFERENCES);
  if (library == nullptr) {
    std::printf("error load=%lu\n", GetLastError());
    return 1;
  }
  char* base = reinterpret_cast<char*>(library);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  int sharedWritable = 0;
  int changed = 0;
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    char name[IMAGE_SIZEOF_SHORT_NAME + 1] = {};
    std::memcpy(name, section->Name, IMAGE_SIZEOF_SHORT_NAME);
    const bool writable = (section->Characteristics & IMAGE_SCN_MEM_WRITE) != 0;
    const bool shared = (section->Characteristics & IMAGE_SCN_MEM_SHARED) != 0;
    std::printf("section %s writable=%d shared=%d\n", name, writable, shared);
    if (!writable) continue;
    if (shared) ++sharedWritable;
    char* begin = base + section->VirtualAddress;
    changed += OverwriteFolders(begin, begin + section->Misc.VirtualSize, name, argv[2]);
  }
  std::printf("done shared-writable=%d changed=%d\n", sharedWritable, changed);
  std::fflush(stdout);
  char line[16];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
  }
  return 0;
}
