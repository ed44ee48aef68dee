// Message boxes are read by a second thread while the test's thread waits inside the box's modal
// loop, which keeps handling the messages that reading them sends.
#include "support/ui.h"

#include <chrono>

#include <gtest/gtest.h>

#include "runtime/forms.h"

namespace vornacle::testing {

namespace {
constexpr auto kPatience = std::chrono::seconds(10);
}

void Pump() { forms::DoEvents(); }

bool PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    forms::DoEvents();
  }
  return true;
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  for (WORD modifier : modifiers) add(modifier, false);
  add(key, false);
  add(key, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) add(*it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string WindowText(HWND hwnd) {
  char buffer[4096] = {};
  SendMessageA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::string ClassName(HWND hwnd) {
  char buffer[256] = {};
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

RECT ClientRectOf(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ExpectControls(HWND window, std::initializer_list<ExpectedControl> expected) {
  HWND child = GetWindow(window, GW_CHILD);
  for (const ExpectedControl& e : expected) {
    SCOPED_TRACE(e.text);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetDlgCtrlID(child), e.id) << "tab order";
    EXPECT_EQ(ClassName(child), e.window_class);
    EXPECT_EQ(WindowText(child), e.text);
    const RECT r = ClientRectOf(child);
    EXPECT_EQ(r.left, e.pixels.left);
    EXPECT_EQ(r.top, e.pixels.top);
    EXPECT_EQ(r.right, e.pixels.right);
    EXPECT_EQ(r.bottom, e.pixels.bottom);
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP);
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "no other child controls";
}

BoxWatcher::BoxWatcher()
    : critical_(LoadIcon(nullptr, IDI_HAND)),
      information_(LoadIcon(nullptr, IDI_ASTERISK)),
      thread_([this] { Watch(); }) {}

BoxWatcher::~BoxWatcher() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  thread_.join();
}

std::vector<SeenBox> BoxWatcher::seen() {
  std::lock_guard lock(mutex_);
  return seen_;
}

void BoxWatcher::Watch() {
  const DWORD process = GetCurrentProcessId();
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stop_) return;
    }
    struct Search {
      DWORD process;
      HWND box = nullptr;
    } search{process};
    EnumWindows(
        [](HWND hwnd, LPARAM lparam) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lparam);
          DWORD owner = 0;
          GetWindowThreadProcessId(hwnd, &owner);
          if (owner == s->process && IsWindowVisible(hwnd) && ClassName(hwnd) == "#32770") {
            s->box = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.box != nullptr) {
      SeenBox box{WindowText(search.box), "", ""};
      for (HWND child = GetWindow(search.box, GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != "Static") continue;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
          auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
          box.icon = icon == nullptr        ? ""
                     : icon == critical_    ? "critical"
                     : icon == information_ ? "information"
                                            : "other";
        } else if (box.text.empty()) {
          box.text = WindowText(child);
        }
      }
      {
        std::lock_guard lock(mutex_);
        seen_.push_back(box);
      }
      SendMessageA(search.box, WM_COMMAND, IDOK, 0);
      // Wait for the box to go before looking for the next one.
      for (int i = 0; i < 500 && IsWindow(search.box); ++i) Sleep(10);
    }
    Sleep(10);
  }
}

}  // namespace vornacle::testing
