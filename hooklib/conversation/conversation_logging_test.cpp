// Where a conversation is logged, or why not, in the cases users meet: names
// Windows refuses as file names, a history folder that cannot be made, an
// untitled window, a text without its closing tag, no screen name yet.
#include <cstring>
#include <string>

#include "hooklib/core/shared_settings.h"
#include "hooklib/core/process_state.h"
#include "tests/support/host_window_fixture.h"

namespace corvane {
namespace {

constexpr char kWriteFailedText[] =
    "Failed to write log file!\n\nThis usually means that your disk is full.\n\n"
    "Or,  the log directory is invalid (does not exist, or you don't have write-access to this "
    "directory).";

using ConversationLoggingTest = HostWindowTest;

TEST_F(ConversationLoggingTest, NamesWindowsRefusesAreLoggedUnderMendedFolders) {
  std::strcpy(ScreenName(), "con");
  const struct {
    bool chat;
    const char* name;    // as the host titles the window
    const char* folder;  // where it is logged
  } cases[] = {
      {true, "Chat: a:b*c?", "Chat- a-b_c_"},
      {false, "nul.txt", "nul_.txt"},
      {false, "LPT1", "LPT1_"},
      {false, "x<y>|\"z", "x_y___z"},
      {false, "tab\there", "tab_here"},
  };
  for (const auto& c : cases) {
    HWND window = c.chat ? OpenChat(c.name) : OpenIM(c.name);
    SetConversation(window, "<HTML>kept</HTML>");
    {
      BoxAnswerer failure("Corvane Error", IDOK);
      Poll(window);
      EXPECT_FALSE(failure.Answered()) << c.name;
    }
    EXPECT_EQ(ReadFile(DayFilePath("con_", c.folder)),
              CreationBlock(KeyOf(window), "<HTML>kept</HTML>"))
        << c.name;
    DestroyWindow(window);
  }
}

TEST_F(ConversationLoggingTest, HistoryFolderWhoseParentIsMissingFailsWithTheMessage) {
  const std::string missingParent = logDir_ + "\\gone";
  const std::string historyFolder = missingParent + "\\History";
  std::strcpy(Shared().LogDir, historyFolder.c_str());
  HWND im = OpenIM("bob");
  SetConversation(im, "<HTML>lost</HTML>");
  {
    BoxAnswerer failure("Corvane Error", IDOK);
    Poll(im);
    EXPECT_EQ(failure.Text(), kWriteFailedText);
    EXPECT_EQ(failure.Owner(), nullptr);
  }
  EXPECT_FALSE(Exists(missingParent));
  // Owed, the text is written at the close once the folder can be made.
  ASSERT_TRUE(CreateDirectoryA(logDir_.c_str(), nullptr)) << GetLastError();
  ASSERT_TRUE(CreateDirectoryA(missingParent.c_str(), nullptr)) << GetLastError();
  DestroyWindow(im);
  const std::string dayFile = historyFolder + DayFilePath("alice", "bob").substr(logDir_.size());
  EXPECT_NE(ReadFile(dayFile).find("lost"), std::string::npos);
}

TEST_F(ConversationLoggingTest, UntitledWindowIsNotLogged) {
  HWND im = OpenIM("bob");
  SetWindowTextA(im, "");
  SetConversation(im, "<HTML>unnamed</HTML>");
  {
    BoxAnswerer failure("Corvane Error", IDOK);
    Poll(im);
    DestroyWindow(im);  // the last poll too
    EXPECT_FALSE(failure.Answered());
  }
  EXPECT_FALSE(Exists(logDir_));
}

TEST_F(ConversationLoggingTest, TextWithoutClosingTagIsLoggedWholeAndMeasuredAsRead) {
  HWND im = OpenIM("bob");
  const std::string open = "<HTML><BODY>no closing tag";
  SetConversation(im, open);
  Poll(im);
  EXPECT_EQ(ReadFile(DayFilePath("alice", "bob")), CreationBlock(KeyOf(im), open));

  // Without "</HTML>" every character read counts against the limit.
  SetConversation(im, std::string(57000, 'x'));
  {
    BoxAnswerer none("Corvane Notification", IDOK);
    Poll(im);
    EXPECT_FALSE(none.Answered());
  }
  SetConversation(im, std::string(57001, 'y'));
  {
    BoxAnswerer notice("Corvane Notification", IDOK);
    Poll(im);
    EXPECT_TRUE(notice.Answered());
  }
  EXPECT_NE(ReadFile(DayFilePath("alice", "bob")).find(std::string(57001, 'y')), std::string::npos);
  DestroyWindow(im);
}

TEST_F(ConversationLoggingTest, WithoutScreenNameTheBuddyFolderIsInTheHistoryFolder) {
  ScreenName()[0] = '\0';
  HWND im = OpenIM("bob");
  std::strcpy(ScreenName(), "alice");  // signed on later: the window keeps its empty name
  SetConversation(im, "<HTML>early</HTML>");
  Poll(im);
  EXPECT_EQ(ReadFile(logDir_ + "\\bob\\2002-06-14 [Friday].html"),
            CreationBlock(KeyOf(im), "<HTML>early</HTML>"));
  EXPECT_FALSE(Exists(logDir_ + "\\alice"));
  DestroyWindow(im);
}

}  // namespace
}  // namespace corvane
