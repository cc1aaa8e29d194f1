// The search of every day, as the search window runs it without an index:
// the end-to-end tests' oracle for the indexed search, and tools/viewer-bench's
// full scan.  Prints each row as "user<TAB>buddy<TAB>date<TAB>text", then
// "status <what the status line says at the end, without the time>"; the
// search's own seconds go to the standard error.
//
//     full_scan.exe HISTORY QUERY [match-case]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "viewer/search/ansi_fold.h"
#include "viewer/search/search_texts.h"
#include "viewer/search/search_worker.h"

namespace {

using corvane::SearchProgress;
using corvane::SearchRowList;
using corvane::SearchRun;

constexpr UINT kProgress = WM_APP + 1;

struct Scan {
  std::unique_ptr<SearchRun> run;
  SearchRowList rows;
  SearchProgress last;
};
Scan* g_scan = nullptr;

LRESULT CALLBACK ScanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kProgress) return DefWindowProcA(window, message, wParam, lParam);
  SearchProgress progress = g_scan->run->Take();
  g_scan->rows.Append(progress.rows);
  g_scan->last = std::move(progress);
  if (progress.finished) PostQuitMessage(0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: full_scan HISTORY QUERY [match-case]\n");
    return 2;
  }
  WNDCLASSA type{};
  type.lpfnWndProc = ScanProc;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "CorvaneFullScan";
  RegisterClassA(&type);
  HWND window = CreateWindowA(type.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              type.hInstance, nullptr);
  const corvane::FoldTable names = corvane::MakeAnsiLowerFold();
  const bool matchCase = argc > 3 && std::strcmp(argv[3], "match-case") == 0;
  corvane::SearchRequest request{
      argv[1], {argv[2], matchCase ? corvane::IdentityFold() : names, {}, names},
      {},      {},
      {},      std::make_shared<corvane::DayListing>(),
      nullptr};
  Scan scan;
  g_scan = &scan;
  LARGE_INTEGER frequency{}, started{}, ended{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&started);
  scan.run = std::make_unique<SearchRun>(window, kProgress, 1, std::move(request));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  QueryPerformanceCounter(&ended);
  std::fprintf(stderr, "seconds %.3f\n",
               static_cast<double>(ended.QuadPart - started.QuadPart) /
                   static_cast<double>(frequency.QuadPart));
  for (std::size_t i = 0; i < scan.rows.Size(); ++i) {
    const SearchRowList::Row row = scan.rows[i];
    std::printf("%s\t%s\t%s\t%.*s\n", row.day.user.c_str(), row.day.buddy.c_str(),
                row.day.date.c_str(), static_cast<int>(row.text.size()), row.text.data());
  }
  const std::string finished =
      corvane::FinishedText(scan.rows.Size(), scan.last.days, scan.last.capped, 0.0);
  std::printf("status %s\n", finished.substr(0, finished.rfind(" (")).c_str());
  return 0;
}
