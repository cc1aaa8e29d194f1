#include "viewer/search/day_reader.h"

#include <windows.h>

#include <utility>

#include "viewer/html/html_view_document.h"

namespace corvane {
namespace {

// Enough to keep the matcher busy; small beside the day files of a history.
constexpr std::size_t kReadAheadBytes = 8 << 20;

}  // namespace

DayReader::DayReader(std::vector<std::string> paths, SearchGate& gate)
    : paths_(std::move(paths)), gate_(gate), thread_([this] { ReadAll(); }) {}

DayReader::~DayReader() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

// Each file is opened through ReadHistoryFile, with read, write and delete
// sharing and only for the read, so a history write never finds it held.
void DayReader::ReadAll() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  for (const std::string& path : paths_) {
    gate_.Pass();
    std::string html;
    {
      std::unique_lock<std::mutex> guard(lock_);
      changed_.wait(guard, [this] { return stop_ || ready_bytes_ < kReadAheadBytes; });
      if (stop_) break;
      if (!spare_.empty()) {
        html = std::move(spare_.back());
        spare_.pop_back();
      }
    }
    try {
      ReadHistoryFile(path, html);
    } catch (...) {
      html = std::string();  // out of memory for a huge file: it is skipped
    }
    {
      std::lock_guard<std::mutex> guard(lock_);
      ready_bytes_ += html.size();
      ready_.push_back(std::move(html));
    }
    changed_.notify_all();
  }
  {
    std::lock_guard<std::mutex> guard(lock_);
    done_ = true;
  }
  changed_.notify_all();
}

bool DayReader::Next(std::string& html) {
  {
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait(guard, [this] { return done_ || !ready_.empty(); });
    if (ready_.empty()) return false;
    std::string used = std::move(html);
    html = std::move(ready_.front());
    ready_.pop_front();
    ready_bytes_ -= html.size();
    spare_.push_back(std::move(used));
  }
  changed_.notify_all();
  return true;
}

}  // namespace corvane
