#include "hooklib/history/history_mutex.h"

namespace corvane {

HANDLE& HistoryMutex() {
  static HANDLE mutex = nullptr;
  return mutex;
}

}  // namespace corvane
