#include "viewer/export/export_worker.h"

#include <utility>

#include "viewer/framework/worker_news.h"

namespace corvane {

struct ExportWorker::State {
  State(HWND window, UINT message) : news(window, message, 0) {}
  std::atomic<bool> cancelled{false};
  ReadGate gate;
  WorkerNews<ExportStatus> news;
};

ExportWorker::ExportWorker(HWND window, UINT message, ExportRequest request)
    : state_(std::make_shared<State>(window, message)),
      thread_(
          [state = state_, request = std::move(request)](const StopRequest&) {
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
            ExportOutcome outcome = RunExport(
                request, state->cancelled,
                [&state](std::size_t done, std::size_t total) {
                  state->news.Update([&](ExportStatus& status) {
                    status.done = done;
                    status.total = total;
                  });
                },
                state->gate);
            state->news.Update([&](ExportStatus& status) {
              status.finished = true;
              status.outcome = std::move(outcome);
            });
          },
          [this] { Cancel(); }) {}

void ExportWorker::Cancel() {
  state_->cancelled = true;
  state_->gate.Release();
}

void ExportWorker::Hold() { state_->gate.Hold(); }

void ExportWorker::Release() { state_->gate.Release(); }

ExportStatus ExportWorker::Take() {
  return state_->news.Take([](const ExportStatus& status) { return status; });
}

}  // namespace corvane
