#include "viewer/export/export_run.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "viewer/days/day_reader.h"
#include "viewer/days/history_day.h"
#include "viewer/export/ansi_text.h"
#include "viewer/export/day_sessions.h"
#include "viewer/export/export_destination.h"
#include "viewer/export/export_file.h"
#include "viewer/export/safe_day_html.h"
#include "viewer/history_tree/date_range.h"
#include "viewer/history_tree/history_tree.h"
#include "viewer/html/view_text.h"

namespace corvane {
namespace {

// Written out whenever this much is waiting.
constexpr std::size_t kWriteBytes = 4 << 20;

// Text and JSON Lines run through the days in date order; HTML through each
// buddy's days in turn, so that each buddy's file is written whole.
void SortForFormat(std::vector<ListedDay>& days, ExportFormat format) {
  const FoldTable fold = MakeAnsiLowerFold();
  const bool byBuddy = format == ExportFormat::kHtml;
  std::sort(days.begin(), days.end(), [&](const ListedDay& a, const ListedDay& b) {
    const int date = DateKey(*a.dayFileDate) - DateKey(*b.dayFileDate);
    if (!byBuddy && date != 0) return date < 0;
    if (const int user = CompareFolded(a.day.user, b.day.user, fold)) return user < 0;
    if (const int buddy = CompareFolded(a.day.buddy, b.day.buddy, fold)) return buddy < 0;
    return date < 0;
  });
}

bool SameBuddy(const ListedDay& a, const ListedDay& b) {
  return a.day.user == b.day.user && a.day.buddy == b.day.buddy;
}

ExportOutcome Finished(ExportOutcome::Result result, std::string error = {}) {
  ExportOutcome outcome;
  outcome.result = result;
  outcome.error = std::move(error);
  return outcome;
}

class ExportJob {
 public:
  ExportJob(const ExportRequest& request, const std::atomic<bool>& cancelled, ReadGate& gate)
      : request_(request), cancelled_(cancelled), gate_(gate) {}

  ExportOutcome Run(const std::function<void(std::size_t, std::size_t)>& progress);

 private:
  void ListDays();
  ExportOutcome WriteAll(const std::function<void(std::size_t, std::size_t)>& progress);
  bool Fail(std::string error) {
    error_ = std::move(error);
    return false;
  }
  bool OpenFile(const std::string& path);
  bool Flush(bool all);
  bool FinishFile();
  bool WriteDay(std::size_t index, std::string_view html);
  bool WriteHtmlDay(std::size_t index, std::string_view html);
  std::string HtmlFilePath(const HistoryDay& day);
  bool CommitAll();
  const std::string& Utf8Name(const std::string& ansi);

  const ExportRequest& request_;
  const std::atomic<bool>& cancelled_;
  ReadGate& gate_;
  std::string destination_;  // full
  std::vector<ListedDay> days_;
  std::string error_;
  SystemAnsiToUtf8 toUtf8_;
  std::vector<std::unique_ptr<ExportFile>> files_;
  std::set<std::string> fileNames_;  // HTML: upper case, to keep each name once
  std::string out_;
  std::string text_;
  std::vector<SessionStart> sessions_;
  std::string nameAnsi_[2];  // the last two names converted, and their UTF-8
  std::string nameUtf8_[2];
  int nextName_ = 0;
};

ExportOutcome ExportJob::Run(const std::function<void(std::size_t, std::size_t)>& progress) {
  error_ = RefuseExportDestination(request_.historyFolder, request_.format, request_.destination);
  if (!error_.empty()) return Finished(ExportOutcome::Result::kFailed, error_);
  destination_ = FullExportPath(request_.destination);
  const bool madeFolder =
      request_.format == ExportFormat::kHtml && CreateDirectoryA(destination_.c_str(), nullptr);
  ListDays();
  ExportOutcome outcome = WriteAll(progress);
  files_.clear();  // deletes what was not committed
  if (madeFolder && outcome.result != ExportOutcome::Result::kDone)
    RemoveDirectoryA(destination_.c_str());
  return outcome;
}

void ExportJob::ListDays() {
  days_ = ListDayFilesInScope(request_.historyFolder, request_.scope, cancelled_);
  KeepDaysInRange(days_, DateRange{request_.from, request_.to});
  SortForFormat(days_, request_.format);
}

ExportOutcome ExportJob::WriteAll(const std::function<void(std::size_t, std::size_t)>& progress) {
  const bool oneFile = request_.format != ExportFormat::kHtml;
  if (oneFile && !OpenFile(destination_)) return Finished(ExportOutcome::Result::kFailed, error_);
  if (request_.format == ExportFormat::kText) out_ += kUtf8ByteOrderMark;
  DayReader reader(DayFilePaths(request_.historyFolder, days_), gate_);
  std::string html;
  for (std::size_t i = 0; i < days_.size(); ++i) {
    gate_.Pass();
    if (cancelled_) return Finished(ExportOutcome::Result::kCancelled);
    reader.Next(html);
    // The reader gives nothing for a file it could not read: the export
    // would silently lack that day.
    if (html.empty() && days_[i].size > 0) {
      return Finished(ExportOutcome::Result::kFailed,
                      "Cannot read " +
                          DayFilePath(request_.historyFolder, days_[i].day)
                              .value_or(DateEntryFileName(days_[i].day.date)) +
                          ".");
    }
    if (!WriteDay(i, html)) return Finished(ExportOutcome::Result::kFailed, error_);
    progress(i + 1, days_.size());
  }
  if (oneFile && !FinishFile()) return Finished(ExportOutcome::Result::kFailed, error_);
  if (cancelled_) return Finished(ExportOutcome::Result::kCancelled);
  if (!CommitAll()) return Finished(ExportOutcome::Result::kFailed, error_);
  ExportOutcome done = Finished(ExportOutcome::Result::kDone);
  done.days = days_.size();
  done.files = files_.size();
  return done;
}

bool ExportJob::OpenFile(const std::string& path) {
  files_.push_back(std::make_unique<ExportFile>());
  return files_.back()->Open(path, error_);
}

bool ExportJob::Flush(bool all) {
  if (!all && out_.size() < kWriteBytes) return true;
  const bool written = files_.back()->Write(out_, error_);
  out_.clear();
  return written;
}

bool ExportJob::FinishFile() { return Flush(true) && files_.back()->Finish(error_); }

// A file is renamed only when every file is complete; should a rename fail,
// the files before it stay, whole.
bool ExportJob::CommitAll() {
  for (const std::unique_ptr<ExportFile>& file : files_) {
    if (!file->Commit(error_)) return false;
  }
  return true;
}

const std::string& ExportJob::Utf8Name(const std::string& ansi) {
  for (int i = 0; i < 2; ++i) {
    if (nameAnsi_[i] == ansi) return nameUtf8_[i];
  }
  const int slot = nextName_;
  nextName_ = 1 - nextName_;
  nameAnsi_[slot] = ansi;
  nameUtf8_[slot] = toUtf8_.Convert(ansi);
  return nameUtf8_[slot];
}

bool ExportJob::WriteDay(std::size_t index, std::string_view html) {
  const HistoryDay& day = days_[index].day;
  const ExportDayName name{Utf8Name(day.user), Utf8Name(day.buddy), *days_[index].dayFileDate};
  switch (request_.format) {
    case ExportFormat::kText:
      ViewTextOf(html, text_);
      AppendTextDay(name, text_, toUtf8_, out_);
      break;
    case ExportFormat::kJsonLines:
      ViewTextWithSessions(html, text_, sessions_);
      AppendJsonLines(name, text_, sessions_, toUtf8_, out_);
      break;
    case ExportFormat::kHtml:
      return WriteHtmlDay(index, html);
  }
  return Flush(false);
}

// "alice - bob.html"; should two pairs of names make one file name ("a - b"
// and "c", "a" and "b - c"), the later gets " (2)" and so on.
std::string ExportJob::HtmlFilePath(const HistoryDay& day) {
  const std::string name = HtmlExportFileName(day.user, day.buddy);
  std::string unique = name;
  for (int n = 2;; ++n) {
    std::string folded = unique;
    CharUpperBuffA(&folded[0], static_cast<DWORD>(folded.size()));
    if (fileNames_.insert(std::move(folded)).second) break;
    unique = name.substr(0, name.size() - 5) + " (" + std::to_string(n) + ").html";
  }
  return JoinHistoryPath(destination_, {unique}).value_or("");
}

bool ExportJob::WriteHtmlDay(std::size_t index, std::string_view html) {
  const ListedDay& listed = days_[index];
  const HistoryDay& day = listed.day;
  if (index == 0 || !SameBuddy(days_[index - 1], listed)) {
    std::vector<CalendarDate> dates;
    for (std::size_t j = index; j < days_.size() && SameBuddy(days_[j], listed); ++j)
      dates.push_back(*days_[j].dayFileDate);
    const std::string path = HtmlFilePath(day);
    if (path.empty())
      return Fail("The path is too long for the file of " + day.user + " and " + day.buddy + ".");
    if (!OpenFile(path)) return false;
    AppendHtmlHead(Utf8Name(day.user), Utf8Name(day.buddy), dates, out_);
  }
  const SafeHtml safe = SafeDayHtml(html, toUtf8_);
  AppendHtmlDay(*listed.dayFileDate, safe.html, safe.background, out_);
  if (index + 1 == days_.size() || !SameBuddy(days_[index + 1], listed)) {
    AppendHtmlTail(out_);
    return FinishFile();
  }
  return Flush(false);
}

}  // namespace

ExportOutcome RunExport(const ExportRequest& request, const std::atomic<bool>& cancelled,
                        const std::function<void(std::size_t, std::size_t)>& progress,
                        ReadGate& gate) {
  try {
    return ExportJob(request, cancelled, gate).Run(progress);
  } catch (const std::bad_alloc&) {
    ExportOutcome outcome;
    outcome.result = ExportOutcome::Result::kFailed;
    outcome.error = "Not enough memory for the export.";
    return outcome;
  }
}

}  // namespace corvane
