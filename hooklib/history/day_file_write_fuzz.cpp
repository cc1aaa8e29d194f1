// Differential fuzzing of the write routes: whatever route a write takes
// (in place by the mark, in place after reading, replaced, rewritten in
// place when the replace is refused), the file must end up with the bytes
// that rewriting the whole file gives.  Three sessions take turns on one
// file; their conversations grow, change and get new keys, the file is
// held open now and then and other programs add to it or cut it.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "hooklib/history/bench_conversation.h"
#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/day_file.h"
#include "hooklib/history/day_file_write.h"
#include "hooklib/history/testing/memory_day_file.h"
#include "hooklib/history/write_ledger.h"

namespace {

using corvane::DayFileMark;
using corvane::DayFileRoute;

struct Session {
  std::string key;
  std::string html;  // the conversation as the host shows it
  DayFileMark mark;
  corvane::WriteLedger ledger;
};

// What another program writes: never a '<', so never a key line.
std::string Foreign(FuzzedDataProvider& input) {
  std::string text = input.ConsumeRandomLengthString(40);
  for (char& c : text) {
    if (c == '<') c = '[';
  }
  return text;
}

void Write(corvane::MemoryDayFile& file, Session& session) {
  const std::string text = corvane::RewriteConversation(session.html);
  const std::optional<std::string> before = file.content;
  const std::string expected =
      before ? corvane::RewriteDayFile(*before, session.key, text)
             : corvane::ToDiskText(corvane::FormatCreationBlock(session.key, text));
  const bool written =
      corvane::WriteSessionBlock(file, session.key, text, session.mark) != DayFileRoute::kFailed;
  corvane::SettleWrite(session.ledger, static_cast<int>(session.html.size()), written);
  if (file.isOpen) std::abort();
  if (file.lockedAway && before) {
    if (written || file.content != before) std::abort();
    return;
  }
  if (!written || file.content != expected) std::abort();
}

// Every tick tries again what is owed.
void RetryOwed(corvane::MemoryDayFile& file, std::array<Session, 3>& sessions) {
  for (Session& s : sessions) {
    if (s.ledger.owed) Write(file, s);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  corvane::MemoryDayFile file;
  std::array<Session, 3> sessions;
  int keys = 0;
  for (Session& s : sessions) {
    s.key = "09:00:0" + std::to_string(keys++) + "-1a";
    s.html =
        std::string(corvane::kHostConversationStart) + std::string(corvane::kHostConversationEnd);
  }
  while (input.remaining_bytes() > 0) {
    Session& session = sessions[input.ConsumeIntegralInRange<std::size_t>(0, sessions.size() - 1)];
    const std::size_t closing = session.html.rfind(corvane::kHostConversationEnd);
    RetryOwed(file, sessions);
    switch (input.ConsumeIntegralInRange<int>(0, 8)) {
      case 0:
      case 1:
      case 2:  // a message arrives
        session.html.insert(closing == std::string::npos ? session.html.size() : closing,
                            input.ConsumeRandomLengthString(60));
        break;
      case 3:  // the host changes or cuts its text
        session.html = input.ConsumeRandomLengthString(200);
        break;
      case 4:  // a clear or the length limit, once all is written: a new block
        Write(file, session);
        if (session.ledger.owed) continue;
        corvane::StartNewBlock(session.ledger);
        session.key = "10:00:" + std::to_string(10 + keys++ % 50) + "-2b";
        break;
      case 5:  // another program adds to the file
        if (file.content) *file.content += Foreign(input);
        continue;
      case 6:  // another program cuts it
        if (file.content)
          file.content->resize(input.ConsumeIntegralInRange<std::size_t>(0, file.content->size()));
        continue;
      case 7:  // another program holds it open, or lets it go
        file.holdOpen = !file.holdOpen;
        continue;
      case 8:  // another program takes it with no sharing, or lets it go
        file.lockedAway = !file.lockedAway;
        continue;
    }
    Write(file, session);
  }
  file.lockedAway = false;
  RetryOwed(file, sessions);
  for (const Session& s : sessions) {
    if (s.ledger.owed) std::abort();
  }
  return 0;
}
