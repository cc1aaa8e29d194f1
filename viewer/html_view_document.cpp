#include "html_view_document.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "html_view_rtf.h"

namespace corvane {
namespace {

struct RtfSource {
  const std::string* rtf;
  std::size_t position;
};

DWORD CALLBACK ReadRtfChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  RtfSource& source = *reinterpret_cast<RtfSource*>(cookie);
  const std::size_t count = std::min(static_cast<std::size_t>(size), source.rtf->size() - source.position);
  std::memcpy(buffer, source.rtf->data() + source.position, count);
  source.position += count;
  *read = static_cast<LONG>(count);
  return 0;
}

COLORREF ColourRef(const Rgb& rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// Wine's RichEdit reads one RTF stream in time that grows with the square of
// its length; a series of short streams, each ending at a line end, keeps a
// long document linear.
constexpr std::size_t kChunkCharacters = 4096;

std::size_t ChunkEnd(const std::string& text, std::size_t begin) {
  if (text.size() - begin <= kChunkCharacters) return text.size();
  const std::size_t lineEnd = text.find('\n', begin + kChunkCharacters);
  return lineEnd == std::string::npos ? text.size() : lineEnd + 1;
}

// Appends at `position`, the current end of the document.
void AppendRtf(HWND view, LONG position, const std::string& rtf) {
  CHARRANGE end{position, position};
  SendMessageA(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  RtfSource source{&rtf, 0};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = ReadRtfChunk;
  SendMessageA(view, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
}

}  // namespace

bool ReadHistoryFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD total = 0;
    while (ok && total < bytes.size()) {
      DWORD read = 0;
      ok = ReadFile(file, &bytes[total], static_cast<DWORD>(bytes.size() - total), &read, nullptr) && read > 0;
      total += read;
    }
  }
  CloseHandle(file);
  if (!ok) bytes.clear();
  return ok;
}

void ShowFormattedText(HWND view, const FormattedText& text) {
  for (std::size_t begin = 0; begin < text.text.size();) {
    const std::size_t end = ChunkEnd(text.text, begin);
    AppendRtf(view, static_cast<LONG>(begin), RtfForView(text, begin, end));
    begin = end;
  }
  if (text.background) {
    SendMessageA(view, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColourRef(*text.background)));
  } else {
    SendMessageA(view, EM_SETBKGNDCOLOR, 1, 0);
  }
}

}  // namespace corvane
