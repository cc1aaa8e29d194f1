// The history poll of conversation windows against what other programs and
// deep folders do to the day file, and against running out of memory.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "common/capacities.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/history/bench_conversation.h"
#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/day_file.h"
#include "tests/support/beside_this_program.h"
#include "tests/support/failing_allocations.h"
#include "tests/support/host_window_fixture.h"

namespace corvane {
namespace {

// The conversation after `messages` messages, about 20,000 characters, and
// the text it is logged as.
std::string HostText(std::size_t messages) { return ClosedHostConversation(20000, messages); }
std::string Logged(std::size_t messages) { return RewriteConversation(HostText(messages)); }

std::string CreationBlock(const std::string& key, const std::string& text) {
  return ToDiskText(FormatCreationBlock(key, text));
}

std::string RewriteBlock(const std::string& key, const std::string& text) {
  return ToDiskText(FormatRewriteBlock(key, text));
}

// Another program with the file open for reading, as long as this lives:
// the robot, sharing the file for reading and writing ("rw") or also for
// deleting ("rwd").
class OtherProgramReading {
 public:
  OtherProgramReading(const std::string& path, const char* sharing) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE input = nullptr, output = nullptr;
    CreatePipe(&input, &input_, &inherited, 0);
    CreatePipe(&output_, &output, &inherited, 0);
    SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::string command =
        "\"" + corvane::BesideThisProgram("robot.exe") + "\" holdfile \"" + path + "\" " + sharing;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process_)) {
      CloseHandle(process_.hThread);
    }
    CloseHandle(input);
    CloseHandle(output);
    char c = 0;
    DWORD got = 0;
    while (ReadFile(output_, &c, 1, &got, nullptr) && got == 1 && c != '\n') {
      if (c != '\r') answer_ += c;
    }
  }
  ~OtherProgramReading() {
    CloseHandle(input_);
    if (process_.hProcess != nullptr) {
      WaitForSingleObject(process_.hProcess, 10000);
      CloseHandle(process_.hProcess);
    }
    CloseHandle(output_);
  }
  OtherProgramReading(const OtherProgramReading&) = delete;
  OtherProgramReading& operator=(const OtherProgramReading&) = delete;
  // "holding", or what went wrong.
  const std::string& Answer() const { return answer_; }

 private:
  HANDLE input_ = nullptr;
  HANDLE output_ = nullptr;
  PROCESS_INFORMATION process_{};
  std::string answer_;
};

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

class HistoryPollTest : public HostWindowTest {
 protected:
  // Polls `window` showing the conversation after `messages` messages; how
  // long the poll took.
  static double PollShowing(HWND window, std::size_t messages) {
    SetConversation(window, HostText(messages));
    const auto start = std::chrono::steady_clock::now();
    Poll(window);
    return Milliseconds(std::chrono::steady_clock::now() - start);
  }

  // "bob" and a window whose buddy name finds the same folder, each polled
  // once: one day file, the second window's block last.
  std::pair<HWND, HWND> OpenTwoOnOneDayFile(const char* second, std::size_t messages,
                                            std::size_t secondMessages) {
    const std::pair<HWND, HWND> windows(OpenIM("bob"), OpenIM(second));
    PollShowing(windows.first, messages);
    PollShowing(windows.second, secondMessages);
    return windows;
  }
};

// The first window's block is not the last: it can only be rewritten in
// place; the second one's grows by appends.
TEST_F(HistoryPollTest, AReaderWithoutDeleteSharingHoldsTheFileForTenPolls) {
  const auto [first, second] = OpenTwoOnOneDayFile("Bo b", 1, 1);
  const std::string path = DayFilePath("alice", "bob");
  OtherProgramReading reader(path, "rw");
  ASSERT_EQ(reader.Answer(), "holding");
  BoxAnswerer failure("Corvane Error", IDOK);
  for (std::size_t messages = 2; messages <= 11; ++messages) {
    std::printf("poll %zu:", messages - 1);
    for (HWND window : {first, second}) std::printf(" %.2f ms", PollShowing(window, messages));
    std::printf("\n");
    ASSERT_EQ(ReadFile(path), RewriteBlock(KeyOf(first), Logged(messages)) +
                                  RewriteBlock(KeyOf(second), Logged(messages)))
        << messages;
  }
  EXPECT_FALSE(failure.Answered());
  DestroyWindow(first);
  DestroyWindow(second);
}

// The viewer's way of reading: under Wine even a reader that shares the
// file for deleting keeps it from being replaced.
TEST_F(HistoryPollTest, ABlockThatIsNotLastIsWrittenWhileTheFileIsRead) {
  const auto [first, second] = OpenTwoOnOneDayFile("BOB", 1, 3);
  const std::string path = DayFilePath("alice", "bob");
  OtherProgramReading reader(path, "rwd");
  ASSERT_EQ(reader.Answer(), "holding");
  BoxAnswerer failure("Corvane Error", IDOK);
  PollShowing(first, 2);
  EXPECT_EQ(ReadFile(path),
            RewriteBlock(KeyOf(first), Logged(2)) + RewriteBlock(KeyOf(second), Logged(3)));
  EXPECT_FALSE(failure.Answered());
  DestroyWindow(first);
  DestroyWindow(second);
}

// The longest path a day file can have; its new content goes through a
// shorter name beside it.
TEST_F(HistoryPollTest, ADayFileWithA259CharacterPathIsWritten) {
  const std::string tail = "\\alice\\bob\\2002-06-14 [Friday].html";
  const std::string deep =
      logDir_ + "\\" + std::string(259 - tail.size() - logDir_.size() - 1, 'd');
  CreateDirectoryA(logDir_.c_str(), nullptr);
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  CopyBounded(Shared().LogDir, kPathCapacity, deep.c_str());
  const std::string path = deep + tail;
  ASSERT_EQ(path.size(), 259u);

  HWND im = OpenIM("bob");
  BoxAnswerer failure("Corvane Error", IDOK);
  PollShowing(im, 1);
  EXPECT_EQ(ReadFile(path), CreationBlock(KeyOf(im), Logged(1)));
  for (std::size_t messages = 2; messages <= 3; ++messages) {
    PollShowing(im, messages);
    EXPECT_EQ(ReadFile(path), RewriteBlock(KeyOf(im), Logged(messages)));
  }
  EXPECT_FALSE(failure.Answered());
  DestroyWindow(im);
}

// Out of memory in the middle of a poll: the host goes on, nothing is
// written, and the next tick captures the same text again.
TEST_F(HistoryPollTest, APollThatRanOutOfMemoryCapturesAtTheNextTick) {
  HWND im = OpenIM("bob");
  SetConversation(im, HostText(1));
  {
    const LargeAllocationsFail outOfMemory(16 * 1024);
    Poll(im);
  }
  const std::string path = DayFilePath("alice", "bob");
  EXPECT_FALSE(Exists(path));
  Poll(im);
  EXPECT_EQ(ReadFile(path), CreationBlock(KeyOf(im), Logged(1)));
  DestroyWindow(im);
}

}  // namespace
}  // namespace corvane
