#include "viewer/app/script_commands.h"

#include <windows.h>

#include <atomic>

#include "viewer/days/day_reader.h"
#include "viewer/days/day_scope.h"
#include "viewer/days/history_day.h"
#include "viewer/export/ansi_text.h"
#include "viewer/export/day_file_deletion.h"
#include "viewer/export/export_run.h"
#include "viewer/export/export_texts.h"
#include "viewer/export/old_day_files.h"
#include "viewer/search/day_index.h"
#include "viewer/search/index_location.h"
#include "viewer/search/search_rows.h"

namespace corvane {
namespace {

constexpr char kCaption[] = "Corvane History Viewer";

// A standard handle the program may write to: one it was given (a file, a
// pipe), else the console of the program that started it.
HANDLE Output(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE &&
      GetFileType(handle) != FILE_TYPE_UNKNOWN)
    return handle;
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
    return nullptr;
  handle = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

bool WriteLine(DWORD which, const std::string& text) {
  HANDLE handle = Output(which);
  if (handle == nullptr) return false;
  const std::string line = text + "\r\n";
  DWORD written = 0;
  return WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

int Fail(int code, const std::string& reason) {
  if (!WriteLine(STD_ERROR_HANDLE, reason)) {
    MessageBoxA(nullptr, reason.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
  }
  return code;
}

bool IsFolder(const std::optional<std::string>& path) {
  if (!path) return false;
  const DWORD attributes = GetFileAttributesA(path->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A name that matches no folder is a mistake, not an empty history.
std::string MissingScope(const std::string& historyFolder, const HistoryScope& scope) {
  if (!scope.user.empty() && !IsFolder(JoinHistoryPath(historyFolder, {scope.user})))
    return "There is no history of " + scope.user + " in " + historyFolder + ".";
  if (!scope.buddy.empty() && !IsFolder(JoinHistoryPath(historyFolder, {scope.user, scope.buddy})))
    return "There is no history of " + scope.user + " and " + scope.buddy + " in " + historyFolder +
           ".";
  return {};
}

int Export(const ScriptCommand& command, const std::string& historyFolder) {
  ExportRequest request;
  request.historyFolder = historyFolder;
  request.format = command.format;
  request.destination = command.destination;
  request.scope = HistoryScope{command.user, command.buddy, {}};
  request.from = command.from;
  request.to = command.to;
  static const std::atomic<bool> kNeverCancelled{false};
  ReadGate gate;  // never held: no window draws beside it
  const ExportOutcome outcome = RunExport(
      request, kNeverCancelled, [](std::size_t, std::size_t) {}, gate);
  if (outcome.result != ExportOutcome::Result::kDone) return Fail(kScriptFailed, outcome.error);
  std::string done = "Exported " + DaysText(outcome.days) + " to " + command.destination;
  if (command.format == ExportFormat::kHtml)
    done += " (" + std::to_string(outcome.files) + " files)";
  WriteLine(STD_OUTPUT_HANDLE, done);
  return kScriptDone;
}

int DeleteBefore(const ScriptCommand& command, const std::string& historyFolder) {
  const HistoryScope scope{command.user, command.buddy, {}};
  static const std::atomic<bool> kNeverCancelled{false};
  const OldDays old = ListOldDays(historyFolder, scope, command.before, kNeverCancelled);
  const std::vector<ListedDay>& days = old.days;
  const std::size_t gone =
      DeleteDayFiles(DeletableDayFilePaths(historyFolder, days), FoldersOfDays(historyFolder, days))
          .size();
  const std::string what =
      DeletePreviewText(gone, TotalBytes(days), command.before, ScopeText(scope.user, scope.buddy));
  if (gone != days.size()) {
    return Fail(kScriptFailed, "Deleted only " + what + ": " + std::to_string(days.size() - gone) +
                                   " day files could not be deleted.");
  }
  WriteLine(STD_OUTPUT_HANDLE, "Deleted " + what + LinkedDaysLeftText(old.linked, true));
  return kScriptDone;
}

// Writes in large pieces: a search may print millions of lines.
class BufferedOutput {
 public:
  BufferedOutput() : handle_(Output(STD_OUTPUT_HANDLE)) {}
  ~BufferedOutput() { Flush(); }
  BufferedOutput(const BufferedOutput&) = delete;
  BufferedOutput& operator=(const BufferedOutput&) = delete;

  std::string& Text() { return text_; }
  void FlushWhenLarge() {
    if (text_.size() >= kPiece) Flush();
  }

 private:
  static constexpr std::size_t kPiece = 1 << 16;
  void Flush() {
    DWORD written = 0;
    if (handle_ != nullptr && !text_.empty())
      WriteFile(handle_, text_.data(), static_cast<DWORD>(text_.size()), &written, nullptr);
    text_.clear();
  }

  HANDLE handle_;
  std::string text_;
};

// The days in scope and range, those the index proposes when it has been
// made, read newest first as the search window reads them.
int Search(const ScriptCommand& command, const std::string& historyFolder) {
  static const std::atomic<bool> kNeverCancelled{false};
  const FoldTable names = MakeAnsiLowerFold();
  DayListing listing;
  std::vector<ListedDay> days =
      ListDaysInScope(listing, historyFolder, command.user, command.buddy, kNeverCancelled);
  KeepDaysInRange(days, DateRange{command.from, command.to});
  const std::string indexPath = SearchIndexPath(historyFolder);
  if (!indexPath.empty()) {
    if (auto toRead = DaysToReadFromIndexFile(Utf8Path(indexPath), IndexedFolderName(historyFolder),
                                              names, days, command.query, names)) {
      days = std::move(*toRead);
    }
  }
  SortNewestFirst(days, names);
  ReadGate gate;  // never held: no window draws beside it
  DayReader reader(DayFilePaths(historyFolder, days), gate);
  SearchRows search(SearchTerms{command.query, names, command.saidBy, names});
  SearchRowList rows;
  std::size_t found = 0;
  SystemAnsiToUtf8 utf8;
  BufferedOutput out;
  std::string html;
  for (const ListedDay& day : days) {
    if (!reader.Next(html)) break;
    rows.Clear();
    if (search.Of(day.day, html, rows) == 0) continue;
    const std::vector<std::uint32_t> lines = search.LinesOfLastRows();
    const std::string where = utf8.Convert(day.day.user) + '\t' + utf8.Convert(day.day.buddy) +
                              '\t' + utf8.Convert(day.day.date) + '\t';
    for (std::size_t i = 0; i < rows.Size(); ++i) {
      out.Text() += where + std::to_string(lines[i]) + '\t' + utf8.Convert(rows[i].text) + "\r\n";
      out.FlushWhenLarge();
    }
    found += rows.Size();
    if (search.Capped()) break;
  }
  return found > 0 ? kScriptDone : kScriptNoMatches;
}

}  // namespace

int RunScriptCommand(const ScriptCommand& command, const std::string& historyFolder) {
  if (command.kind == ScriptCommand::Kind::kInvalid)
    return Fail(kScriptBadCommandLine, command.error);
  if (historyFolder.empty())
    return Fail(kScriptNoHistoryFolder, "No history folder is set: the LogDir setting is missing.");
  const std::string missing =
      MissingScope(historyFolder, HistoryScope{command.user, command.buddy, {}});
  if (!missing.empty()) return Fail(kScriptFailed, missing);
  if (command.kind == ScriptCommand::Kind::kExport) return Export(command, historyFolder);
  if (command.kind == ScriptCommand::Kind::kSearch) return Search(command, historyFolder);
  return DeleteBefore(command, historyFolder);
}

}  // namespace corvane
