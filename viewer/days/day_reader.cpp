#include "viewer/days/day_reader.h"

#include <windows.h>

#include <system_error>
#include <utility>

#include "viewer/html/html_view_document.h"

namespace corvane {
namespace {

// Enough to keep the matcher busy; small beside the day files of a history.
// Two threads read, each a file at a time: most of a file's reading is
// waiting for Wine's server to open and close it, and the two overlap.
constexpr std::size_t kReadAheadBytes = 8 << 20;

}  // namespace

void ReadGate::Hold() {
  std::lock_guard<std::mutex> guard(lock_);
  held_ = true;
}

void ReadGate::Release() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    held_ = false;
  }
  released_.notify_all();
}

void ReadGate::Pass() {
  if (!held_) return;  // the usual case costs no lock
  std::unique_lock<std::mutex> guard(lock_);
  released_.wait(guard, [this] { return !held_; });
}

DayReader::DayReader(std::vector<std::string> paths, ReadGate& gate,
                     std::function<void(std::string&)> prepare)
    : paths_(std::move(paths)), gate_(gate), prepare_(std::move(prepare)) {
  const auto stop = [this] {
    {
      std::lock_guard<std::mutex> guard(lock_);
      stop_ = true;
    }
    changed_.notify_all();
  };
  // Without a second thread the first reads every file.
  for (JoinedThread& thread : threads_)
    thread = JoinedThread([this](const StopRequest&) { ReadAll(); }, stop);
  if (!threads_[0].Started() && !threads_[1].Started()) {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  }
}

// Each file is opened through ReadHistoryFile, with read, write and delete
// sharing and only for the read, so a history write never finds it held.
void DayReader::ReadAll() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  // Each thread its own copy, and so its own of whatever state it keeps.
  const std::function<void(std::string&)> prepare = prepare_;
  for (;;) {
    gate_.Pass();
    std::string html;
    std::size_t index;
    {
      std::unique_lock<std::mutex> guard(lock_);
      changed_.wait(guard, [this] { return stop_ || readyBytes_ < kReadAheadBytes; });
      if (stop_ || nextToRead_ == paths_.size()) return;
      index = nextToRead_++;
      if (!spare_.empty()) {
        html = std::move(spare_.back());
        spare_.pop_back();
      }
    }
    bool read = false;
    try {
      read = ReadHistoryFile(paths_[index], html);
      if (read && prepare) prepare(html);
    } catch (...) {
      read = false;  // out of memory for a huge file: it is skipped
      html = std::string();
    }
    {
      std::lock_guard<std::mutex> guard(lock_);
      readyBytes_ += html.size();
      ready_.emplace(index, Ready{std::move(html), read});
    }
    changed_.notify_all();
  }
}

bool DayReader::Next(std::string& html) {
  bool read;
  return Next(html, read);
}

bool DayReader::Next(std::string& html, bool& read) {
  {
    std::unique_lock<std::mutex> guard(lock_);
    if (nextToGive_ == paths_.size()) return false;
    changed_.wait(guard, [this] { return ready_.count(nextToGive_) != 0; });
    const auto ready = ready_.find(nextToGive_++);
    std::string used = std::move(html);
    html = std::move(ready->second.bytes);
    read = ready->second.read;
    ready_.erase(ready);
    readyBytes_ -= html.size();
    spare_.push_back(std::move(used));
  }
  changed_.notify_all();
  return true;
}

}  // namespace corvane
