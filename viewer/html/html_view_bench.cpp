// Timing of the HTML view, for realistic day files of about 64 KB and 1 MB:
// HtmlViewNavigate (read, convert, show the end) plus the first paint, and
// the time until the whole document is loaded behind it, with the message
// loop running as the viewer's does.  Prints the median of several runs.
// Run by hand under Wine; not a test.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/history_naming.h"
#include "hooklib/history/bench_conversation.h"
#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/day_file.h"
#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view.h"

namespace {

constexpr int kRuns = 7;
constexpr std::size_t kBlockSize = 60000;

// A conversation window's whole HTML: messages up to the last complete line
// that fits the size, and the closing tags.
std::string Conversation(std::size_t size) {
  std::string html = corvane::HostConversation(size);
  html.resize(html.rfind("<BR>") + 4);
  return html + "</BODY></HTML>";
}

// Sessions of one day as the hook library writes them: the first block in
// creation form, later ones appended in rewrite form, each a captured
// conversation; stored with CR LF line ends.
std::string DayFile(std::size_t size) {
  std::string logical;
  for (unsigned session = 0; logical.size() < size; ++session) {
    const std::size_t left = size - logical.size();
    const std::string text = corvane::RewriteConversation(
        Conversation(std::max<std::size_t>(std::min(left, kBlockSize), 200)));
    const std::string key = corvane::MakeSessionKey(
        9 + static_cast<int>(session / 60), static_cast<int>(session % 60), 7, 0x2b0000u + session);
    logical += session == 0 ? corvane::FormatCreationBlock(key, text)
                            : corvane::FormatRewriteBlock(key, text);
  }
  return corvane::ToDiskText(logical);
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The view's text once it holds the whole document: the converted text with
// the control's line ends.
int WholeLength(const std::string& bytes) {
  const std::string text = corvane::ConvertHtml(bytes).text;
  return static_cast<int>(text.size() +
                          static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
}

// Runs the message loop until the view holds `length` characters.
void LoadBehind(HWND view, int length) {
  while (GetWindowTextLengthA(view) != length) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

double ThreadMilliseconds() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  const auto ticks = [](const FILETIME& time) {
    return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 |
                               time.dwLowDateTime);
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

template <typename Work>
double MedianTime(Work work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  return Median(times);
}

void Measure(HWND view, const char* label, std::size_t size) {
  const std::string bytes = DayFile(size);
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + "corvane_html_view_bench.html";
  std::ofstream(path, std::ios::binary) << bytes;

  const int whole = WholeLength(bytes);
  const double convert = MedianTime([&] { corvane::ConvertHtml(bytes); });
  std::vector<double> shown, busy;
  const double loaded = MedianTime([&] {
    LARGE_INTEGER start, end;
    const double cpu = ThreadMilliseconds();
    QueryPerformanceCounter(&start);
    corvane::HtmlViewNavigate(view, path.c_str());
    UpdateWindow(view);
    QueryPerformanceCounter(&end);
    shown.push_back(Milliseconds(start, end));
    LoadBehind(view, whole);
    busy.push_back(ThreadMilliseconds() - cpu);
  });
  std::printf(
      "%-6s %8zu bytes, %6ld lines: ConvertHtml %6.1f ms, Navigate + paint (end shown) %6.1f ms, "
      "whole document loaded %7.1f ms, of which the UI thread worked %7.1f ms (medians of %d)\n",
      label, bytes.size(), static_cast<long>(SendMessageA(view, EM_GETLINECOUNT, 0, 0)), convert,
      Median(shown), loaded, Median(busy), kRuns);
  DeleteFileA(path.c_str());
}

// The view's child id under the bench's own parent window; any will do.
constexpr int kViewControlId = 1001;

}  // namespace

int main() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!corvane::RegisterHtmlViewClass(instance)) {
    std::fprintf(stderr, "the HTML view class could not be registered\n");
    return 1;
  }
  HWND parent = CreateWindowExA(0, "STATIC", "html view bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, 640, 480, nullptr, nullptr, instance, nullptr);
  HWND view =
      CreateWindowExA(0, corvane::kHtmlViewClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 600,
                      400, parent, reinterpret_cast<HMENU>(kViewControlId), instance, nullptr);
  if (!view) {
    std::fprintf(stderr, "the HTML view could not be created\n");
    return 1;
  }
  Measure(view, "64 KB", 64 * 1024);
  Measure(view, "1 MB", 1024 * 1024);
  DestroyWindow(parent);
  return 0;
}
