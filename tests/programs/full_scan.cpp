// The search of every day, as the search window runs it without an index:
// the end-to-end tests' oracle for the indexed search, and tools/viewer-bench's
// full scan.  Prints each row as "user<TAB>buddy<TAB>date<TAB>text", then
// "status <what the status line says at the end, without the time>"; the
// search's own seconds go to the standard error.
//
//     full_scan.exe HISTORY QUERY [match-case] [from=DATE to=DATE said-by=NAME]
//
// Given a range of dates or a sender (any of them, even empty), it reads
// every day file of HISTORY\user\buddy itself and keeps the days and lines
// asked for the plain way, without the window's worker.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "viewer/days/history_day.h"
#include "viewer/search/search_texts.h"
#include "viewer/search/search_worker.h"
#include "viewer/search/testing/plain_search.h"

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

// The names in `folder` that `pattern` matches, folders or files.
std::vector<std::string> NamesIn(const std::string& folder, const char* pattern, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == folders && found.cFileName[0] != '.') names.push_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Every day of every buddy of every user, newest first as the window lists
// them, kept by date and searched line by line.
std::vector<corvane::PlainRow> PlainScan(const std::string& history,
                                         const corvane::SearchTerms& terms, const std::string& from,
                                         const std::string& to) {
  std::vector<corvane::ListedDay> days;
  for (const std::string& user : NamesIn(history, "*", true)) {
    for (const std::string& buddy : NamesIn(history + "\\" + user, "*", true)) {
      for (const std::string& file : NamesIn(history + "\\" + user + "\\" + buddy, "*.html", false))
        days.push_back({{user, buddy, file.substr(0, file.size() - 5)}});
    }
  }
  corvane::SortNewestFirst(days, terms.nameFold);
  std::vector<corvane::PlainRow> rows;
  for (const corvane::ListedDay& day : days) {
    if (!corvane::PlainDateWithin(day.day.date, from, to)) continue;
    const std::string path =
        history + "\\" + day.day.user + "\\" + day.day.buddy + "\\" + day.day.date + ".html";
    corvane::AddPlainRows(day.day, FileBytes(path), terms, rows);
  }
  return rows;
}

// "key=value" among the arguments from `first` on: its value, or nullptr.
const char* Option(int argc, char** argv, int first, const char* key) {
  const std::size_t length = std::strlen(key);
  for (int i = first; i < argc; ++i) {
    if (std::strncmp(argv[i], key, length) == 0 && argv[i][length] == '=')
      return argv[i] + length + 1;
  }
  return nullptr;
}

int PrintPlainScan(int argc, char** argv, const corvane::SearchTerms& terms) {
  const char* from = Option(argc, argv, 3, "from");
  const char* to = Option(argc, argv, 3, "to");
  const std::vector<corvane::PlainRow> rows =
      PlainScan(argv[1], terms, from ? from : "", to ? to : "");
  std::size_t days = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const corvane::HistoryDay& day = rows[i].day;
    if (i == 0 || day.date != rows[i - 1].day.date || day.user != rows[i - 1].day.user ||
        day.buddy != rows[i - 1].day.buddy)
      ++days;
    std::printf("%s\t%s\t%s\t%s\n", day.user.c_str(), day.buddy.c_str(), day.date.c_str(),
                rows[i].text.c_str());
  }
  const std::string finished = corvane::FinishedText(rows.size(), days, false, 0.0);
  std::printf("status %s\n", finished.substr(0, finished.rfind(" (")).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: full_scan HISTORY QUERY [match-case] [from=DATE to=DATE said-by=NAME]\n");
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
  const char* saidBy = Option(argc, argv, 3, "said-by");
  if (saidBy || Option(argc, argv, 3, "from") || Option(argc, argv, 3, "to")) {
    return PrintPlainScan(
        argc, argv,
        {argv[2], matchCase ? corvane::IdentityFold() : names, saidBy ? saidBy : "", names});
  }
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
