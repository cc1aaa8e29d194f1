// In-process stand-ins for the host's conversation windows, routed through
// the library's hook procedure by a thread hook, with a fixed local clock,
// a temporary history folder and a robot that answers message boxes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "hooklib/core/system_clock.h"
#include "tests/support/box_answerer.h"

namespace corvane {

// What a conversation's first write puts in its day file: the comment line
// of its session key, then its text.
inline std::string CreationBlock(const std::string& key, const std::string& text) {
  return "<!-- " + key + " -->\r\n" + text + "\r\n";
}

// The local time the library sees during a test; tests move it.
LocalClockTime& TestClock();

class HostWindowTest : public ::testing::Test {
 public:
  // WM_COMMAND 20731 messages that reached the host's text control.
  static int g_hostClearCommands;

 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // An IM window "<buddy> - Instant Message" with a 4-item bar, its
  // conversation frame and the frame's text control.
  HWND OpenIM(const std::string& buddy);
  HWND OpenChat(const std::string& room);
  static HWND Conversation(HWND window);  // the first frame
  static HWND TextControl(HWND window);   // the frame's text control
  static void SetConversation(HWND window, const std::string& html);
  static void Poll(HWND window);

  std::string DayFilePath(const std::string& user, const std::string& buddy,
                          const char* fileName = "2002-06-14 [Friday].html") const;
  static std::string ReadFile(const std::string& path);
  static bool Exists(const std::string& path);
  static std::string KeyOf(HWND window, const char* time = "09:05:07");

  std::string logDir_;
  HHOOK hook_ = nullptr;
};

}  // namespace corvane
