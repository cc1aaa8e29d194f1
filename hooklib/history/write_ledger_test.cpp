#include "hooklib/history/write_ledger.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The poll once stored the new length before writing: a failed write was
// never tried again, as nothing seemed left to write.
TEST(WriteLedgerTest, AFailedWriteStaysOwedUntilAWriteSucceeds) {
  WriteLedger ledger;
  EXPECT_FALSE(CaptureDue(ledger, 0));
  ASSERT_TRUE(CaptureDue(ledger, 120));
  SettleWrite(ledger, 120, false);
  EXPECT_TRUE(CaptureDue(ledger, 120));  // unchanged, still tried
  SettleWrite(ledger, 120, false);
  EXPECT_TRUE(CaptureDue(ledger, 150));
  SettleWrite(ledger, 150, true);
  EXPECT_FALSE(CaptureDue(ledger, 150));
  EXPECT_TRUE(CaptureDue(ledger, 151));
}

TEST(WriteLedgerTest, OneReportFromTheFirstFailureToTheNextSuccess) {
  WriteLedger ledger;
  EXPECT_TRUE(SettleWrite(ledger, 10, false));
  EXPECT_FALSE(SettleWrite(ledger, 10, false));
  EXPECT_FALSE(SettleWrite(ledger, 20, false));
  EXPECT_FALSE(SettleWrite(ledger, 20, true));
  EXPECT_TRUE(SettleWrite(ledger, 30, false));  // a new failure is told again
}

TEST(WriteLedgerTest, ANewBlockOwesNothingAndIsWrittenAtItsFirstText) {
  WriteLedger ledger;
  SettleWrite(ledger, 40, false);
  SettleWrite(ledger, 40, true);
  StartNewBlock(ledger);
  EXPECT_FALSE(CaptureDue(ledger, 0));
  EXPECT_TRUE(CaptureDue(ledger, 40));  // same length as the old block's, new text
}

}  // namespace
}  // namespace corvane
