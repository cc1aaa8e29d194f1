#include "common/joined_thread.h"

#include <system_error>
#include <utility>

#include "common/exception_boundary.h"

namespace corvane {

JoinedThread::JoinedThread(Work work, std::function<void()> wake)
    : shared_(std::make_shared<Shared>()) {
  shared_->wake = std::move(wake);
  if (!shared_->stop.Event()) return;
  try {
    thread_ = std::thread([shared = shared_, work = std::move(work)] {
      // A thread that failed leaves its owner without its result.
      RunContained([&] { work(shared->stop); });
    });
  } catch (const std::system_error&) {
    // No thread: Started says so.
  }
}

JoinedThread& JoinedThread::operator=(JoinedThread&& other) noexcept {
  Stop();
  shared_ = std::move(other.shared_);
  thread_ = std::move(other.thread_);
  return *this;
}

void JoinedThread::Stop() noexcept {
  if (!thread_.joinable()) return;
  shared_->stop.requested_ = true;
  SetEvent(shared_->stop.Event());
  if (shared_->wake) RunContained(shared_->wake);
  // The work's last owner may let go of it on the thread itself, which
  // cannot wait for its own end: it ends once the work returns, keeping
  // what it shares.
  if (thread_.get_id() == std::this_thread::get_id()) {
    thread_.detach();
  } else {
    thread_.join();
  }
}

}  // namespace corvane
