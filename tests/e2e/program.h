// Vornacle started as a process of its own and driven from this one as a user would: real mouse and
// keyboard input, what the windows and message boxes show read back through window messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vornacle::e2e {

struct Box {
  std::string title, text, icon;  // icon: "" for none, "shown"
};

// A bounded wait for something another process does; false when it never happened.
bool WaitFor(const std::function<bool()>& done);

std::string Text(HWND hwnd);

class Program {
 public:
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The visible top-level window of the program with this caption, or null.
  HWND Window(const std::string& caption) const;
  HWND Main() const { return Window("Vornacle"); }
  HWND About() const { return Window("About Vornacle"); }
  // A child control by its class and caption; edits by their order in the window instead.
  static HWND Button(HWND window, const std::string& caption);
  static HWND Edit(HWND window, int index);

  // Real input: the window is brought to the front first.
  void Click(HWND control, POINT offset = {-1, -1});  // default: the control's centre
  void ClickAt(HWND window, POINT client);
  void Type(HWND window, const std::string& text);
  void Keys(HWND window, WORD key, std::initializer_list<WORD> modifiers = {});

  // The program's message box, read and answered with OK; empty title when none came.
  Box NextBox();
  bool HasBox() const;
  bool Exited();
  DWORD id() const { return process_.dwProcessId; }

 private:
  HWND FindBox() const;
  PROCESS_INFORMATION process_{};
};

}  // namespace vornacle::e2e
