#include "viewer/search/search_gate.h"

namespace corvane {

void SearchGate::Hold() {
  std::lock_guard<std::mutex> guard(lock_);
  held_ = true;
}

void SearchGate::Release() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    held_ = false;
  }
  released_.notify_all();
}

void SearchGate::Pass() {
  if (!held_) return;  // the usual case costs no lock
  std::unique_lock<std::mutex> guard(lock_);
  released_.wait(guard, [this] { return !held_; });
}

}  // namespace corvane
