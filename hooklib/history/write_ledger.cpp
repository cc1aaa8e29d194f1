#include "hooklib/history/write_ledger.h"

namespace corvane {

bool CaptureDue(const WriteLedger& ledger, int shownLength) {
  return shownLength > 0 && (ledger.owed || shownLength != ledger.writtenLength);
}

bool SettleWrite(WriteLedger& ledger, int shownLength, bool written) {
  if (written) {
    ledger = WriteLedger{shownLength, false, false};
    return false;
  }
  ledger.owed = true;
  if (ledger.failureReported) return false;
  ledger.failureReported = true;
  return true;
}

void StartNewBlock(WriteLedger& ledger) { ledger = WriteLedger(); }

}  // namespace corvane
