#include "program.h"

#include "support/files.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace vornacle::e2e {

namespace {

std::string ClassName(HWND hwnd) {
  char buffer[256] = {};
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

struct Found {
  DWORD process;
  std::function<bool(HWND)> match;
  HWND hwnd = nullptr;
};

HWND FindTopLevel(DWORD process, std::function<bool(HWND)> match) {
  Found found{process, std::move(match)};
  EnumWindows(
      [](HWND hwnd, LPARAM lparam) -> BOOL {
        auto* f = reinterpret_cast<Found*>(lparam);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == f->process && IsWindowVisible(hwnd) && f->match(hwnd)) {
          f->hwnd = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.hwnd;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Front(HWND window) {
  SetForegroundWindow(window);
  WaitFor([&] { return GetForegroundWindow() == window; });
}

}  // namespace

bool WaitFor(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::string Text(HWND hwnd) {
  const auto length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

Program::Program() {
  std::string command = "\"";
  command += testing::WindowsPath(VORNACLE_EXE);
  command += '"';
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process_)) {
    throw std::runtime_error("cannot start " + command);
  }
  if (!WaitFor([&] { return Main() != nullptr && Edit(Main(), 1) != nullptr; })) {
    throw std::runtime_error("the main window did not appear");
  }
}

Program::~Program() {
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND Program::Window(const std::string& caption) const {
  return FindTopLevel(process_.dwProcessId,
                      [&](HWND hwnd) { return ClassName(hwnd) != "#32770" && Text(hwnd) == caption; });
}

HWND Program::Button(HWND window, const std::string& caption) {
  return FindWindowExA(window, nullptr, "Button", caption.c_str());
}

HWND Program::Edit(HWND window, int index) {
  HWND edit = nullptr;
  for (int i = 0; i <= index; ++i) {
    edit = FindWindowExA(window, edit, "Edit", nullptr);
    if (edit == nullptr) return nullptr;
  }
  return edit;
}

void Program::ClickAt(HWND window, POINT client) {
  Front(GetAncestor(window, GA_ROOT));
  ClientToScreen(window, &client);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(client.x, 65536, width) + 1;
  move.mi.dy = MulDiv(client.y, 65536, height) + 1;
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  INPUT down = move, up = move;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  Send({move});
  WaitFor([&] {
    POINT at;
    GetCursorPos(&at);
    return at.x == client.x && at.y == client.y;
  });
  Send({down, up});
}

void Program::Click(HWND control, POINT offset) {
  RECT rect;
  GetClientRect(control, &rect);
  ClickAt(control, offset.x < 0 ? POINT{rect.right / 2, rect.bottom / 2} : offset);
}

void Program::Type(HWND window, const std::string& text) {
  Front(GetAncestor(window, GA_ROOT));
  std::vector<INPUT> inputs;
  for (char c : text) {
    const SHORT key = VkKeyScanA(c);
    const bool shift = (key >> 8) & 1;
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(static_cast<WORD>(key & 0xFF), false));
    inputs.push_back(KeyInput(static_cast<WORD>(key & 0xFF), true));
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  }
  Send(inputs);
  WaitFor([&] { return Text(window).ends_with(text); });
}

void Program::Keys(HWND window, WORD key, std::initializer_list<WORD> modifiers) {
  Front(GetAncestor(window, GA_ROOT));
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) inputs.push_back(KeyInput(*m, true));
  Send(inputs);
}

HWND Program::FindBox() const {
  return FindTopLevel(process_.dwProcessId, [](HWND hwnd) { return ClassName(hwnd) == "#32770"; });
}

bool Program::HasBox() const { return FindBox() != nullptr; }

Box Program::NextBox() {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindBox()) != nullptr; })) return {};
  // A box can exist before its children: wait for its text.
  Box seen;
  WaitFor([&] {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ClassName(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON &&
          !Text(child).empty()) {
        seen.text = Text(child);
      }
    }
    return !seen.text.empty();
  });
  seen.title = Text(box);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      // Icon handles of another process cannot be compared under wine: which icon it is, the
      // in-process tests check.
      seen.icon = SendMessageA(child, STM_GETICON, 0, 0) != 0 ? "shown" : "";
    }
  }
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitFor([&] { return !IsWindow(box); });
  return seen;
}

bool Program::Exited() {
  return WaitFor([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; });
}

}  // namespace vornacle::e2e
