// Test support: plays the user who answers a message box.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace corvane {

// Answers the next message box of a caption from another thread: records
// its text and presses the button.
class BoxAnswerer {
 public:
  // `whileShown` runs on the robot's thread while the box is up, before
  // the button is pressed.
  BoxAnswerer(std::string caption, int button, std::function<void()> whileShown = {});
  ~BoxAnswerer();
  // Waits for the answer; the box's text, or "" if none came.
  std::string Text();
  bool Answered() const { return answered_; }
  // The box's owner window, null for a box without one.
  HWND Owner() const { return owner_; }

 private:
  void Run();
  std::string caption_;
  int button_;
  std::function<void()> whileShown_;
  std::string text_;
  HWND owner_ = nullptr;
  std::atomic<bool> answered_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace corvane
