// Drives real windows in the test's own process the way a user would, and reads back what a user
// sees: keystrokes through the system's input queue, message boxes found on the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vornacle::testing {

// Handles events through the program's own loop until the condition holds or a generous bound passes; returns
// the condition.
bool PumpUntil(const std::function<bool()>& done);
void Pump();

// Types keys as a user would: each virtual key pressed and released in order, the modifiers held.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
RECT ClientRectOf(HWND child);  // in the parent's client coordinates

struct ExpectedControl {
  int id;
  const char* window_class;
  const char* text;
  RECT pixels;  // in the window's client area
};
// The window's child controls are exactly these, in this tab order, each a tab stop, where and as
// the list says; labels painted by the window are no children.
void ExpectControls(HWND window, std::initializer_list<ExpectedControl> expected);

struct SeenBox {
  std::string title;
  std::string text;
  std::string icon;  // "", "critical", "information", "other"
};

// Watches for the process's message boxes while it lives; answers each with OK after reading it.
class BoxWatcher {
 public:
  BoxWatcher();
  ~BoxWatcher();
  std::vector<SeenBox> seen();

 private:
  void Watch();
  std::mutex mutex_;
  std::vector<SeenBox> seen_;
  bool stop_ = false;
  HICON critical_, information_;
  std::thread thread_;
};

}  // namespace vornacle::testing
