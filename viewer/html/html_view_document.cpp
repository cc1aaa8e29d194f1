#include "viewer/html/html_view_document.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "common/unique_handle.h"
#include "viewer/html/html_view_page.h"
#include "viewer/html/html_view_rtf.h"

namespace corvane {
namespace {

struct RtfSource {
  const std::string* rtf;
  std::size_t position;
};

DWORD CALLBACK ReadRtfChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  RtfSource& source = *reinterpret_cast<RtfSource*>(cookie);
  const std::size_t count =
      std::min(static_cast<std::size_t>(size), source.rtf->size() - source.position);
  std::memcpy(buffer, source.rtf->data() + source.position, count);
  source.position += count;
  *read = static_cast<LONG>(count);
  return 0;
}

COLORREF ColourRef(const Rgb& rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// Wine's RichEdit reads one RTF stream in time that grows with the square of
// its length; a series of short streams, each ending at a line end, keeps a
// long document linear.
constexpr std::size_t kPieceCharacters = 4096;

// Replaces the characters from `from` to the end (none when `from` is the
// length) with the RTF.  A page being filled has its selection at its end
// already; Wine's RichEdit finds a selection by counting lines from the top.
void StreamRtf(HWND page, LONG from, const std::string& rtf) {
  CHARRANGE selection{};
  SendMessageA(page, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  if (selection.cpMin != from || selection.cpMax != PageTextLength(page)) {
    CHARRANGE rest{from, -1};
    SendMessageA(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&rest));
  }
  RtfSource source{&rtf, 0};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = ReadRtfChunk;
  SendMessageA(page, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
}

}  // namespace

bool ReadHistoryFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  const KernelHandle opened(CreateFileA(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!opened) return false;
  const HANDLE file = opened.Get();
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD total = 0;
    while (ok && total < bytes.size()) {
      DWORD read = 0;
      ok =
          ReadFile(file, &bytes[total], static_cast<DWORD>(bytes.size() - total), &read, nullptr) &&
          read > 0;
      total += read;
    }
  }
  if (!ok) bytes.clear();
  return ok;
}

void PutOnPage(HWND page, LONG at, const FormattedText& text, const PageBreaks& breaks,
               TextRange range, const std::vector<TextMark>& marks) {
  std::size_t begin = range.begin;
  do {  // an empty range still cuts the rest off
    const std::size_t end =
        PagePieceEnd(text, begin, range.end, kPieceCharacters, breaks.LineStarts());
    StreamRtf(page, at, RtfForView(text, TextRange{begin, end}, marks, breaks));
    at += static_cast<LONG>(breaks.Shown(end) - breaks.Shown(begin));
    begin = end;
  } while (begin < range.end);
}

void SetPageBackground(HWND page, const FormattedText& text) {
  if (text.background) {
    SendMessageA(page, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColourRef(*text.background)));
  } else {
    SendMessageA(page, EM_SETBKGNDCOLOR, 1, 0);
  }
}

void MarkPageText(HWND page, LONG begin, LONG end, Rgb background) {
  CHARRANGE range{begin, end};
  SendMessageA(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_BACKCOLOR;
  format.crBackColor = ColourRef(background);
  SendMessageA(page, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

}  // namespace corvane
