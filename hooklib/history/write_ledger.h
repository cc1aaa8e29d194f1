// What a conversation window has shown against what of it reached its day
// file.  A write that fails leaves the text owed: every poll tries again,
// whether or not the window changed meanwhile, until a write succeeds.
#pragma once

namespace corvane {

struct WriteLedger {
  int writtenLength = 0;         // the length of the text last written whole
  bool owed = false;             // the last write failed
  bool failureReported = false;  // the user has been told of the failure that lasts
};

// Whether a poll that finds `shownLength` captures and writes.
bool CaptureDue(const WriteLedger& ledger, int shownLength);

// Records how the write of a capture taken at `shownLength` went.  True when
// the user is to be told: once from the first failed write to the next one
// that succeeds, however many polls fail meanwhile.
bool SettleWrite(WriteLedger& ledger, int shownLength, bool written);

// The window was cleared after its text was written: the new block has
// nothing written yet.
void StartNewBlock(WriteLedger& ledger);

}  // namespace corvane
