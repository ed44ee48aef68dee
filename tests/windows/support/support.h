// What the tests under wine share: waiting, keystrokes, reading windows as a user sees them,
// scratch folders, and registry keys that go again on every path.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vornacle::testing {

// Waits, doing `meanwhile` between looks, until the condition holds or a generous bound passes.
bool WaitFor(
    const std::function<bool()>& done, const std::function<void()>& meanwhile = [] { Sleep(10); });
// Real keystrokes into the foreground window: the modifier held while the key is pressed.
void PressKey(WORD key, WORD modifier = 0);
std::string Text(HWND hwnd);  // through WM_GETTEXT, which works across processes too
// The process's visible top-level window of the class: its main window, or "#32770" a message box.
HWND TopWindow(DWORD process, const char* window_class);
// A window as a user meets it: "caption WxH (client) fixed|sizable [taskbar] [hidden-owner] [icon]
// [menu]:" and its child controls in tab order, each " id:caption@left,top,right,bottom".
std::string Describe(HWND window);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string WindowsPath(const std::string& unix_path);  // as wine's programs see it, on drive Z:

struct ScratchFolder {  // removed with everything in it
  std::string path;
  ScratchFolder();
  ~ScratchFolder();
};

struct ScratchKey {  // deleted again on every path
  HKEY root;
  std::string key;
  ~ScratchKey() { RegDeleteTreeA(root, key.c_str()); }
  void Set(const char* value, DWORD type, const std::string& bytes) const {
    RegSetKeyValueA(root, key.c_str(), value, type, bytes.data(), static_cast<DWORD>(bytes.size()));
  }
};

}  // namespace vornacle::testing
