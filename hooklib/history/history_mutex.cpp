#include "hooklib/history/history_mutex.h"

namespace corvane {

KernelHandle& HistoryMutex() {
  static KernelHandle mutex;
  return mutex;
}

}  // namespace corvane
