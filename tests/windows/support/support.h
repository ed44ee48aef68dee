// What the tests under wine share: waiting, keystrokes, reading windows as a user sees them,
// and registry keys that go again on every path.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vornacle::testing {

// Waits, doing `meanwhile` between looks, until the condition holds (true) or a bound generous
// enough for the emulated 32-bit program on a busy machine passes (false). The condition is not
// looked at again once it has held.
bool WaitFor(
    const std::function<bool()>& done, const std::function<void()>& meanwhile = [] { Sleep(10); });
// As WaitFor, but a wait in vain stops the test, with what it waited for.
void Await(const std::string& what, const std::function<bool()>& done);
// Real keystrokes into the foreground window: the modifier held while the key is pressed.
void PressKey(WORD key, WORD modifier = 0);
// Real clicks of the left button at a point of the window's client area, or at its centre.
void MouseClick(HWND window, int times = 1, POINT client = {-1, -1});
std::string Text(HWND hwnd);  // through WM_GETTEXT, which works across processes too
// The process's visible top-level windows of the class, from one walk of the z-order as it stands.
std::vector<HWND> TopWindows(DWORD process, const char* window_class);
// A window as a user meets it: "caption WxH (client) fixed|sizable [taskbar] [hidden-owner] [icon]:"
// and its child controls in tab order, each " id:caption", with "(default)" for a default button.
std::string Describe(HWND window);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);  // or stops the test

struct ScratchKey {  // empty at first and deleted again on every path; `view` may name the 64-bit view
  HKEY root;
  std::string key;
  REGSAM view = 0;
  ScratchKey(HKEY root, std::string key, REGSAM view = 0) : root(root), key(std::move(key)), view(view) {
    Delete();
  }
  ~ScratchKey() { Delete(); }
  void Delete() const {
    HKEY opened = Open();
    RegDeleteTreeA(opened, nullptr), RegCloseKey(opened), RegDeleteKeyExA(root, key.c_str(), view, 0);
  }
  HKEY Open() const {
    HKEY opened = nullptr;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &opened, nullptr);
    return opened;
  }
  void Set(const char* value, DWORD type, const std::string& bytes) const {  // or stops the test
    HKEY opened = Open();
    const LONG set = RegSetKeyValueA(opened, nullptr, value, type, bytes.data(), DWORD(bytes.size()));
    RegCloseKey(opened);
    if (set != ERROR_SUCCESS) throw std::runtime_error("could not set " + key + "\\" + value);
  }
};

}  // namespace vornacle::testing
