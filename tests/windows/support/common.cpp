// Nothing here needs the program, so that the end-to-end tests use it too.
#include <windows.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "support/support.h"

namespace vornacle::testing {

bool WaitFor(const std::function<bool()>& done, const std::function<void()>& meanwhile) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (!done() && std::chrono::steady_clock::now() < deadline) meanwhile();
  return done();
}

void PressKey(WORD key, WORD modifier) {
  if (modifier != 0) keybd_event(BYTE(modifier), 0, 0, 0);
  keybd_event(BYTE(key), 0, 0, 0), keybd_event(BYTE(key), 0, KEYEVENTF_KEYUP, 0);
  if (modifier != 0) keybd_event(BYTE(modifier), 0, KEYEVENTF_KEYUP, 0);
}

std::string Text(HWND hwnd) {
  std::string text(static_cast<std::size_t>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  text.resize(SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  return text;
}

HWND TopWindow(DWORD process, const char* window_class) {
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, window_class, nullptr)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

std::string Describe(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  HWND owner = GetWindow(window, GW_OWNER);
  std::ostringstream out;
  out << Text(window) << " " << r.right << "x" << r.bottom
      << ((style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) ==
                  (WS_CAPTION | WS_SYSMENU)
              ? " fixed"
              : " sizable")
      << (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW ? " taskbar" : "")
      << (owner && !IsWindowVisible(owner) ? " hidden-owner" : "")
      << (SendMessageA(window, WM_GETICON, ICON_SMALL, 0) ? " icon" : "") << ":";
  for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    out << " " << GetDlgCtrlID(c) << ":" << Text(c)
        << ((GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? "(default)" : "");
  }
  return out.str();
}

std::string ReadBytes(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace vornacle::testing
