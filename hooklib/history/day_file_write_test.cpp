#include "hooklib/history/day_file_write.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "hooklib/history/bench_conversation.h"
#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/day_file.h"
#include "hooklib/history/testing/memory_day_file.h"

namespace corvane {
namespace {

const std::string kFirstKey = "09:05:07-1a04b2";
const std::string kSecondKey = "09:06:00-2b0c";

// The capture of the conversation after `messages` messages.
std::string Capture(std::size_t messages, std::size_t size = 0) {
  return RewriteConversation(ClosedHostConversation(size, messages));
}

// One session writing, with what the file should hold after each write: the
// whole file rewritten from its bytes, as the simplest route does.
struct Session {
  explicit Session(std::string sessionKey) : key(std::move(sessionKey)) {}

  std::string key;
  DayFileMark mark;

  DayFileRoute Write(MemoryDayFile& file, const std::string& text) {
    const std::string expected = file.content ? RewriteDayFile(*file.content, key, text)
                                              : ToDiskText(FormatCreationBlock(key, text));
    const DayFileRoute route = WriteSessionBlock(file, key, text, mark);
    EXPECT_EQ(file.content, expected) << "route " << static_cast<int>(route);
    EXPECT_FALSE(file.isOpen);
    return route;
  }
};

// Another session's earlier blocks, about 1 MB, before this one's.
MemoryDayFile FileWithOtherBlocks() {
  MemoryDayFile file;
  const std::string other = Capture(0, 60000);
  std::string content = ToDiskText(FormatCreationBlock("08:00:00-99", other));
  for (int i = 1; i < 17; ++i)
    content = RewriteDayFile(content, "08:00:" + std::to_string(10 + i) + "-99", other);
  file.content = content;
  return file;
}

TEST(WriteSessionBlock, NewMessagesCostOnlyTheirOwnBytes) {
  MemoryDayFile file = FileWithOtherBlocks();
  Session a{kFirstKey};
  EXPECT_EQ(a.Write(file, Capture(1, 50000)), DayFileRoute::kReplaced);
  for (std::size_t messages = 2; messages < 6; ++messages) {
    file.bytesRead = file.bytesWritten = 0;
    const std::string text = Capture(messages, 50000);
    EXPECT_EQ(a.Write(file, text), DayFileRoute::kAppended);
    // The new message and the closing tags; the block read back, no more.
    EXPECT_LT(file.bytesWritten, 400u);
    EXPECT_LE(file.bytesRead, text.size() + 200);
  }
}

TEST(WriteSessionBlock, CreationAndTheSecondCaptureGoThroughReplaces) {
  MemoryDayFile file;
  Session a{kFirstKey};
  EXPECT_EQ(a.Write(file, Capture(1)), DayFileRoute::kCreated);
  // The BASE line comes in before the text.
  EXPECT_EQ(a.Write(file, Capture(2)), DayFileRoute::kReplaced);
  EXPECT_EQ(a.Write(file, Capture(3)), DayFileRoute::kAppended);
}

TEST(WriteSessionBlock, EarlierTextThatChangesGoesThroughAReplace) {
  MemoryDayFile file;
  Session a{kFirstKey};
  const std::string start(kHostConversationStart);
  a.Write(file, RewriteConversation(start + "a <!-- half</BODY></HTML>"));
  a.Write(file, RewriteConversation(start + "a <!-- half</BODY></HTML>!"));
  // A later "-->" closes the comment: the text before the closing tags
  // changes, not only what follows it.
  EXPECT_EQ(a.Write(file, RewriteConversation(start + "a <!-- half --> b</BODY></HTML>")),
            DayFileRoute::kReplaced);
  // A shorter text (the host cut its conversation) as well.
  EXPECT_EQ(a.Write(file, RewriteConversation(start + "a</BODY></HTML>")), DayFileRoute::kReplaced);
  // Text with no closing tags grows in place past its last character.
  a.Write(file, "plain text");
  EXPECT_EQ(a.Write(file, "plain text, longer"), DayFileRoute::kAppended);
}

TEST(WriteSessionBlock, TwoWindowsKeepBothBlocks) {
  MemoryDayFile file;
  Session a{kFirstKey}, b{kSecondKey};
  a.Write(file, Capture(1));
  b.Write(file, Capture(1));
  // A's block is no longer the last: its new messages replace the file.
  EXPECT_EQ(a.Write(file, Capture(2)), DayFileRoute::kReplaced);
  EXPECT_EQ(a.Write(file, Capture(3)), DayFileRoute::kReplaced);
  // B's mark no longer fits the file, but its block is still the last.
  EXPECT_EQ(b.Write(file, Capture(2)), DayFileRoute::kAppended);
  EXPECT_EQ(b.Write(file, Capture(3)), DayFileRoute::kAppended);
}

TEST(WriteSessionBlock, ARefusedReplaceRewritesInPlaceFromTheFirstChange) {
  MemoryDayFile file = FileWithOtherBlocks();
  Session a{kFirstKey}, b{kSecondKey};
  a.Write(file, Capture(1));
  a.Write(file, Capture(2));
  b.Write(file, Capture(1));
  const std::size_t size = file.content->size();
  file.holdOpen = true;
  file.bytesWritten = 0;
  EXPECT_EQ(a.Write(file, Capture(3)), DayFileRoute::kRewrittenInPlace);
  // From A's new message to the end: B's block moved, the others did not.
  EXPECT_LT(file.bytesWritten, size / 10);
  EXPECT_EQ(b.Write(file, Capture(2)), DayFileRoute::kAppended);
  // A new block, and the second capture's BASE line, are written in place too.
  Session c{"09:07:00-3c"};
  EXPECT_EQ(c.Write(file, Capture(1)), DayFileRoute::kRewrittenInPlace);
}

TEST(WriteSessionBlock, NothingWrittenWhenNoRouteCan) {
  MemoryDayFile file;
  Session a{kFirstKey};
  a.Write(file, Capture(1));
  const std::string before = *file.content;
  file.lockedAway = true;
  EXPECT_EQ(WriteSessionBlock(file, kFirstKey, Capture(2), a.mark), DayFileRoute::kFailed);
  EXPECT_EQ(file.content, before);
  EXPECT_TRUE(a.mark.block.empty());
  file.lockedAway = false;
  EXPECT_EQ(a.Write(file, Capture(3)), DayFileRoute::kReplaced);
}

TEST(WriteSessionBlock, AMarkHoldsOnlyWhileTheBlockStandsAsWritten) {
  MemoryDayFile file;
  Session a{kFirstKey};
  a.Write(file, Capture(1));
  a.Write(file, Capture(2));
  // Changed in the middle of the block, same size: read and replaced whole.
  const std::size_t middle = file.content->size() / 2;
  (*file.content)[middle] = (*file.content)[middle] == 'x' ? 'y' : 'x';
  EXPECT_EQ(a.Write(file, Capture(3)), DayFileRoute::kReplaced);
  // Grown by something else: read, and the block no longer ends as written.
  *file.content += "written by someone else\r\n";
  EXPECT_EQ(a.Write(file, Capture(4)), DayFileRoute::kReplaced);
  // Gone and made again: created.
  file.content.reset();
  EXPECT_EQ(a.Write(file, Capture(5)), DayFileRoute::kCreated);
}

// Whether a reader of the file finds the first `messages` messages in it.
bool HoldsEveryMessage(const std::string& disk, std::size_t messages) {
  const std::string read = FromDiskText(disk);
  for (std::size_t n = 0; n < messages; ++n) {
    if (read.find(RewriteConversation(HostMessage(n))) == std::string::npos) return false;
  }
  return true;
}

TEST(WriteSessionBlock, AnAppendCutShortLosesOnlyWhatItWasAdding) {
  MemoryDayFile written;
  Session a{kFirstKey};
  a.Write(written, Capture(1));
  a.Write(written, Capture(3));
  const std::string before = *written.content;
  const std::size_t closingTags = before.rfind("</BODY>");
  for (std::size_t cut = 0; cut < 400; ++cut) {
    MemoryDayFile file = written;
    file.bytesUntilCutOff = cut;
    DayFileMark mark = a.mark;
    const DayFileRoute route = WriteSessionBlock(file, kFirstKey, Capture(4), mark);
    if (route != DayFileRoute::kFailed) {
      EXPECT_EQ(route, DayFileRoute::kAppended);
      break;
    }
    EXPECT_EQ(file.content->compare(0, closingTags, before, 0, closingTags), 0) << cut;
    EXPECT_TRUE(HoldsEveryMessage(*file.content, 3)) << cut;
  }
}

TEST(WriteSessionBlock, AReplaceCutShortLeavesTheOldFile) {
  MemoryDayFile written;
  Session a{kFirstKey}, b{kSecondKey};
  a.Write(written, Capture(1));
  b.Write(written, Capture(1));
  const std::string before = *written.content;
  const std::size_t after = RewriteDayFile(before, kFirstKey, Capture(2)).size();
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, after / 2, after}) {
    MemoryDayFile file = written;
    file.bytesUntilCutOff = cut;
    DayFileMark mark = a.mark;
    EXPECT_EQ(WriteSessionBlock(file, kFirstKey, Capture(2), mark), DayFileRoute::kFailed);
    EXPECT_EQ(file.content, before);
  }
}

// What the in-place rewrite can tear: from its first change to the end, the
// blocks after it included; never what comes before.
TEST(WriteSessionBlock, ARewriteInPlaceCutShortKeepsWhatComesBeforeTheChange) {
  MemoryDayFile written;
  Session a{kFirstKey}, b{kSecondKey};
  a.Write(written, Capture(1));
  a.Write(written, Capture(2));
  b.Write(written, Capture(2));
  const std::string before = *written.content;
  const std::size_t change = before.find("</BODY>");
  for (std::size_t cut = 0; cut < before.size(); cut += 97) {
    MemoryDayFile file = written;
    file.holdOpen = true;
    file.bytesUntilCutOff = cut;
    DayFileMark mark = a.mark;
    if (WriteSessionBlock(file, kFirstKey, Capture(3), mark) != DayFileRoute::kFailed) break;
    EXPECT_EQ(file.content->compare(0, change, before, 0, change), 0) << cut;
    EXPECT_TRUE(HoldsEveryMessage(file.content->substr(0, change), 2)) << cut;
  }
}

}  // namespace
}  // namespace corvane
