#include "hooklib/core/process_state.h"

namespace corvane {

ProcessState& Process() {
  static ProcessState state;
  return state;
}

ScreenNameText& ScreenName() {
  static ScreenNameText name = {};
  return name;
}

KernelHandle& HistoryMutex() {
  static KernelHandle mutex;
  return mutex;
}

}  // namespace corvane
