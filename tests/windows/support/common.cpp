// Nothing here needs the program, so that the end-to-end tests use it too.
#include <windows.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "support/support.h"

namespace vornacle::testing {

bool WaitFor(const std::function<bool()>& done, const std::function<void()>& meanwhile) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
  for (; !done(); meanwhile())
    if (std::chrono::steady_clock::now() > deadline) return false;
  return true;
}

void Await(const std::string& what, const std::function<bool()>& done) {
  if (!WaitFor(done)) throw std::runtime_error("waited in vain for " + what);
}

void PressKey(WORD key, WORD modifier) {
  if (modifier != 0) keybd_event(BYTE(modifier), 0, 0, 0);
  keybd_event(BYTE(key), 0, 0, 0), keybd_event(BYTE(key), 0, KEYEVENTF_KEYUP, 0);
  if (modifier != 0) keybd_event(BYTE(modifier), 0, KEYEVENTF_KEYUP, 0);
}

void MouseClick(HWND window, int times, POINT client) {
  RECT r;
  GetClientRect(window, &r);
  POINT p = client.x < 0 ? POINT{r.right / 2, r.bottom / 2} : client;
  ClientToScreen(window, &p);
  // Each event carries the point: under load, one without it can land where the pointer was before.
  const DWORD x = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
              y = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1),
              at = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  for (int i = 0; i < times; ++i)
    mouse_event(at | MOUSEEVENTF_LEFTDOWN, x, y, 0, 0), mouse_event(at | MOUSEEVENTF_LEFTUP, x, y, 0, 0);
}

std::string Text(HWND hwnd) {
  std::string text(static_cast<std::size_t>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  text.resize(SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  return text;
}

static BOOL CALLBACK Collect(HWND window, LPARAM all) {
  return reinterpret_cast<std::vector<HWND>*>(all)->push_back(window), TRUE;
}

std::vector<HWND> TopWindows(DWORD process, const char* window_class) {
  // One list, taken at once: a walk step by step can skip a window that moves in the z-order meanwhile.
  std::vector<HWND> all, found;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    DWORD owner = 0;
    char name[64] = "";
    GetWindowThreadProcessId(window, &owner), GetClassNameA(window, name, sizeof name);
    if (owner == process && IsWindowVisible(window) && std::string(name) == window_class)
      found.push_back(window);
  }
  return found;
}

std::string Describe(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  const LONG frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
  HWND owner = GetWindow(window, GW_OWNER);
  std::string seen =
      Text(window) + " " + std::to_string(r.right) + "x" + std::to_string(r.bottom) +
      ((GetWindowLongA(window, GWL_STYLE) & frame) == (WS_CAPTION | WS_SYSMENU) ? " fixed" : " sizable") +
      (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW ? " taskbar" : "") +
      (owner && !IsWindowVisible(owner) ? " hidden-owner" : "") +
      (SendMessageA(window, WM_GETICON, ICON_SMALL, 0) ? " icon:" : ":");
  for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    seen += " " + std::to_string(GetDlgCtrlID(c)) + ":" + Text(c) +
            ((GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? "(default)" : "");
  return seen;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  if (!(std::ofstream(path, std::ios::binary) << bytes).flush())
    throw std::runtime_error("could not write " + path);
}

}  // namespace vornacle::testing
