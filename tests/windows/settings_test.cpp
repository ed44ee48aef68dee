// Windows as its users set it up, changed while the program runs: a monitor of another scale, a
// bigger text, another window in front when a box opens; and the apartment that screen readers in
// other processes reach the windows through, from the first window to the last.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "about/Module2.h"
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

std::function<void(int code, HWND window)> on_cbt;  // what the thread's windows are about to do
LRESULT CALLBACK Cbt(int code, WPARAM wparam, LPARAM lparam) {
  if (on_cbt) on_cbt(code, reinterpret_cast<HWND>(wparam));
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
struct CbtHook {
  HHOOK hook = SetWindowsHookExA(WH_CBT, Cbt, nullptr, GetCurrentThreadId());
  ~CbtHook() { UnhookWindowsHookEx(hook), on_cbt = nullptr; }
};
std::string ClassOf(HWND window) {
  char name[16] = "";
  return GetClassNameA(window, name, sizeof name), name;
}

LRESULT CALLBACK RecordMoves(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                             DWORD_PTR moves) {
  if (const auto* pos = reinterpret_cast<WINDOWPOS*>(lparam); message == WM_WINDOWPOSCHANGING) {
    *reinterpret_cast<std::string*>(moves) +=
        (pos->flags & SWP_NOMOVE ? "-" : std::to_string(pos->x) + "," + std::to_string(pos->y)) + " " +
        (pos->flags & SWP_NOSIZE ? "-" : std::to_string(pos->cx) + "x" + std::to_string(pos->cy)) + "; ";
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

// Moved to a monitor at 150 %, the window takes the rectangle that the system suggests as it is, in
// one step, with its controls laid out at the new scale.
TEST_F(Program, OnAMonitorOfAnotherScaleTakesTheSuggestedRectangleInOneStep) {
  std::string moves;
  ASSERT_TRUE(SetWindowSubclass(main.hwnd(), RecordMoves, 1, reinterpret_cast<DWORD_PTR>(&moves)));
  RECT suggested{1200, 100, 1620, 350}, box;
  SendMessageA(main.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RemoveWindowSubclass(main.hwnd(), RecordMoves, 1), GetWindowRect(main.Control(Form1::kText1), &box);
  MapWindowPoints(nullptr, main.hwnd(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(moves + std::to_string(box.left) + "," + std::to_string(box.top) + " " +
                std::to_string(box.right - box.left) + "x" + std::to_string(box.bottom - box.top),
            "1200,100 420x250; 96,12 290x29");
}

// A new message font (a bigger text size), saved and announced as the system's settings do, reaches
// the controls of both windows at once, and the old one again when it is set back. Under wine each
// process keeps its own copy of the system's metrics, so the change is made in this one.
TEST_F(Program, ANewMessageFontReachesTheControlsOfEveryWindowAtOnce) {
  Click(main.Control(Form1::kCommand4));
  const auto fonts = [&] {
    std::string heights;
    for (HWND control : {main.Control(Form1::kText1), about.Control(Form2::kCmdSysInfo)}) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
      heights += std::to_string(font.lfHeight) + " ";
    }
    return heights;
  };
  static NONCLIENTMETRICSW metrics[2]{};  // as they were, and with a bigger message font
  metrics[0].cbSize = sizeof metrics[0];
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics[0], &metrics[0], 0));
  metrics[1] = metrics[0], metrics[1].lfMessageFont.lfHeight = -23;
  static constexpr auto set = [](int which) {
    return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics[which], &metrics[which],
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  };
  const std::unique_ptr<void, void (*)(void*)> put_back(this, [](void*) { set(0); });  // on every path
  const std::string old = fonts();
  ASSERT_TRUE(set(1));
  PumpUntil([&] { return fonts() != old; });
  const std::string bigger = fonts();
  ASSERT_TRUE(set(0));
  PumpUntil([&] { return fonts() == old; });
  EXPECT_EQ(bigger + "then " + fonts(), "-23 -23 then " + old);
}

// A box belongs to the window whose handler shows it, not to the window that happens to be active
// (null on Windows while another program is in front), and both windows wait for it.
TEST_F(Program, ABoxBelongsToTheWindowThatShowsItWhateverWindowIsInFront) {
  // About's box: its home-page link's request fails (under wine, in the desktop's shell).
  auto shell = Module2::OpenFromDesktop.Replace([](auto...) { throw RuntimeFailure{53, "x"}; });
  Click(main.Control(Form1::kCommand4));
  HWND other = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  std::string seen;
  const CbtHook hook;
  on_cbt = [&](int code, HWND box) {
    if (code != HCBT_ACTIVATE || ClassOf(box) != "#32770") return;
    seen += Text(GetWindow(box, GW_OWNER)) + (IsWindowEnabled(main.hwnd()) ? "" : " main waits") +
            (IsWindowEnabled(about.hwnd()) ? "; " : " about waits; ");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  };
  // Each handler runs as a slow lookup ends, after the user has gone to the other window: no click
  // that would activate the handler's own window first.
  for (auto [form, id] : {std::pair{main.hwnd(), Form1::kCommand5}, {about.hwnd(), Form2::kLabel1}}) {
    SetForegroundWindow(other);
    ASSERT_EQ(GetActiveWindow(), other);
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
  DestroyWindow(other);
  EXPECT_EQ(seen, "Vornacle main waits about waits; About Vornacle main waits about waits; ");
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()) && IsWindowEnabled(about.hwnd()));
}

// Screen readers reach the windows through the window thread's apartment: it is there when the first
// window is created and given back with the last.
TEST_F(Program, TheWindowThreadHoldsAnApartmentFromBeforeTheFirstWindowToAfterTheLast) {
  const auto apartment = [] {  // 3: the process's main single-threaded apartment
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    return SUCCEEDED(CoGetApartmentType(&type, &qualifier)) ? std::to_string(type) + " " : "none ";
  };
  main.Unload();
  std::string seen = apartment();
  {
    const CbtHook hook;
    on_cbt = [&](int code, HWND window) {
      if (code == HCBT_CREATEWND && ClassOf(window) == "VornacleForm") seen += apartment();
    };
    forms::ResetProgram(), main.Show();
  }
  main.Unload();
  EXPECT_EQ(seen + apartment(), "none 3 none ");
}

}  // namespace
}  // namespace vornacle::testing
