#include "viewer/export/export_worker.h"

#include <mutex>
#include <utility>

namespace corvane {

struct ExportWorker::State {
  State(HWND w, UINT m) : window(w), message(m) {}
  const HWND window;
  const UINT message;
  std::atomic<bool> cancelled{false};
  SearchGate gate;
  std::mutex lock;
  ExportStatus status;  // under lock
  bool posted = false;  // under lock: a message is on its way

  // Under lock: one message for however much news comes before the window
  // takes it.
  void Notify() {
    if (!posted) posted = PostMessageA(window, message, 0, 0) != FALSE;
  }
};

ExportWorker::ExportWorker(HWND window, UINT message, ExportRequest request)
    : state_(std::make_shared<State>(window, message)) {
  thread_ = std::thread([state = state_, request = std::move(request)] {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    ExportOutcome outcome = RunExport(
        request, state->cancelled,
        [&state](std::size_t done, std::size_t total) {
          std::lock_guard<std::mutex> guard(state->lock);
          state->status.done = done;
          state->status.total = total;
          state->Notify();
        },
        state->gate);
    std::lock_guard<std::mutex> guard(state->lock);
    state->status.finished = true;
    state->status.outcome = std::move(outcome);
    state->Notify();
  });
}

ExportWorker::~ExportWorker() {
  Cancel();
  if (thread_.joinable()) thread_.join();
}

void ExportWorker::Cancel() {
  state_->cancelled = true;
  state_->gate.Release();
}

void ExportWorker::Hold() { state_->gate.Hold(); }

void ExportWorker::Release() { state_->gate.Release(); }

ExportStatus ExportWorker::Take() {
  std::lock_guard<std::mutex> guard(state_->lock);
  state_->posted = false;
  return state_->status;
}

}  // namespace corvane
