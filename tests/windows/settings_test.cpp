// Windows as its users set it up, changed while the program runs: a monitor of another scale, a
// bigger text, high contrast, another window in front when a box opens; and the apartment that
// screen readers in other processes reach the windows through, from the first window to the last.
#include <windows.h>

#include <initguid.h>  // IID_IAccessible in this file, not an import

#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>

#include <map>
#include <tuple>

#include "about/Module2.h"
#include "runtime/contrast.h"
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

// The system's message font, half again as tall as "Make text bigger" makes it, or as it was; put back
// on every path. Under wine each process keeps its own copy of the system's metrics, so the change is
// made in this one. Without SPIF_SENDCHANGE nothing is announced: the caller does.
struct MessageFont {
  NONCLIENTMETRICSW saved{};
  MessageFont() {
    saved.cbSize = sizeof saved;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0))
      throw std::runtime_error("font");
  }
  ~MessageFont() { Set(false); }
  bool Set(bool bigger, UINT announce = SPIF_SENDCHANGE) const {
    NONCLIENTMETRICSW metrics = saved;
    metrics.lfMessageFont.lfHeight = MulDiv(saved.lfMessageFont.lfHeight, bigger ? 3 : 2, 2);
    return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                                 SPIF_UPDATEINIFILE | announce);
  }
};
std::string FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return " " + std::to_string(font.lfHeight);
}
std::string moves;  // the window's moves and resizes, from its last move to another scale on
LRESULT CALLBACK RecordMoves(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
  if (message == WM_DPICHANGED) moves = "at " + std::to_string(HIWORD(wparam)) + ":";
  if (const auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
      message == WM_WINDOWPOSCHANGING && !moves.empty())
    moves +=
        (pos->flags & SWP_NOMOVE ? " -" : " " + std::to_string(pos->x) + "," + std::to_string(pos->y)) +
        (pos->flags & SWP_NOSIZE ? " -" : " " + std::to_string(pos->cx) + "x" + std::to_string(pos->cy)) +
        ";";
  return DefSubclassProc(hwnd, message, wparam, lparam);
}
// A move to another scale that the system makes inside a resize, as it does where the resize leaves
// the window mostly on a monitor of that scale.
std::pair<WPARAM, RECT> inside_resize;
LRESULT CALLBACK MoveInsideResize(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                  DWORD_PTR) {
  if (message == WM_WINDOWPOSCHANGED && !(reinterpret_cast<WINDOWPOS*>(lparam)->flags & SWP_NOSIZE) &&
      RemoveWindowSubclass(hwnd, MoveInsideResize, 2))
    SendMessageA(hwnd, WM_DPICHANGED, inside_resize.first, reinterpret_cast<LPARAM>(&inside_resize.second));
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

// Moved to a monitor at 150 % by the user, and back to one at 100 % by the resize that a bigger text
// asks for, the window takes the rectangle that the system suggests as it is, in one step, and stays
// laid out at the new scale: no layout at the old one goes on after it.
TEST_F(Program, AtAnotherScaleTheWindowTakesTheSuggestedRectangleInOneStepAndIsLaidOutThere) {
  const MessageFont font;
  RECT at_150{1200, 100, 1620, 350};
  inside_resize = {MAKEWPARAM(96, 96), {100, 100, 500, 300}};
  const auto seen = [&] {
    RECT box;
    GetWindowRect(main.Control(Form1::kText1), &box);
    MapWindowPoints(nullptr, main.hwnd(), reinterpret_cast<POINT*>(&box), 2);
    return moves + " box " + std::to_string(box.left) + "," + std::to_string(box.top) + " " +
           std::to_string(box.right - box.left) + "x" + std::to_string(box.bottom - box.top) +
           FontHeight(main.Control(Form1::kText1));
  };
  ASSERT_TRUE(SetWindowSubclass(main.hwnd(), RecordMoves, 1, 0));
  SendMessageA(main.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&at_150));
  EXPECT_EQ(seen(), "at 144: 1200,100 420x250; box 96,12 290x29 -17");
  ASSERT_TRUE(SetWindowSubclass(main.hwnd(), MoveInsideResize, 2, 0) && font.Set(true));
  PumpUntil([&] { return moves.starts_with("at 96"); });
  EXPECT_EQ(seen(), "at 96: 100,100 400x200; box 93,12 279x28 -17");
  RemoveWindowSubclass(main.hwnd(), RecordMoves, 1);
}

// A screen reader that holds About's object through such a move is told each link's place at the
// new scale: twips at 150 %, 2160 -> 216 pixels.
TEST_F(Program, OnAMonitorOfAnotherScaleAboutsLinksAreFoundWhereTheyAreDrawnNow) {
  about.Show();
  IAccessible* object = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(about.hwnd(), OBJID_CLIENT, IID_IAccessible, (void**)&object), S_OK);
  const auto places = [&] {
    std::string seen;
    for (LONG link : {3L, 4L}) {
      VARIANT child{};
      LONG left = 0, top = 0, width = 0, height = 0;
      POINT origin{0, 0};
      child.vt = VT_I4, child.lVal = link;
      object->accLocation(&left, &top, &width, &height, child), ClientToScreen(about.hwnd(), &origin);
      seen += std::to_string(left - origin.x) + "," + std::to_string(top - origin.y) + " " +
              std::to_string(width) + "x" + std::to_string(height) + "; ";
    }
    return seen;
  };
  const std::string before = places();
  RECT suggested{100, 100, 700, 600};
  SendMessageA(about.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(before + "| " + places(), "144,192 145x17; 144,216 153x17; | 216,288 218x26; 216,324 230x26; ");
  object->Release();
}

// At half again as tall a text, both windows, already open, grow just enough that every caption fits
// its button with the glyph above it and every box holds a line, in the new font; each keeps its
// top-left corner unless it would then reach past the work area. Asked before a move to a monitor at
// 200 %, the main window answers with the frame round the grown client area there. Put back: today's
// sizes again, and 544 x 325 pixels at 200 %, round 538 x 282 in the frame that wine draws.
TEST_F(Program, AtABiggerTextEveryCaptionFitsAndEachWindowGrowsWhereItStands) {
  Click(main.Control(Form1::kCommand4));
  RECT work, about_rect;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) &&
              GetWindowRect(about.hwnd(), &about_rect));
  ASSERT_TRUE(SetWindowPos(main.hwnd(), nullptr, work.left + 10, work.top + 10, 0, 0, SWP_NOSIZE));
  ASSERT_TRUE(SetWindowPos(about.hwnd(), nullptr, work.right - (about_rect.right - about_rect.left),
                           work.bottom - (about_rect.bottom - about_rect.top), 0, 0, SWP_NOSIZE));
  const auto seen = [&](const RECT(&before)[2]) {
    SIZE at_200{};
    SendMessageA(main.hwnd(), 0x02E4 /* WM_GETDPISCALEDSIZE */, 192, reinterpret_cast<LPARAM>(&at_200));
    std::string seen = std::to_string(at_200.cx) + "x" + std::to_string(at_200.cy) + " at 200 %; ";
    for (HWND form : {main.hwnd(), about.hwnd()}) {
      RECT r, client;
      GetWindowRect(form, &r), GetClientRect(form, &client);
      const RECT& was = before[form == about.hwnd()];
      seen += std::to_string(client.right) + "x" + std::to_string(client.bottom) +
              (r.left == was.left && r.top == was.top             ? " in place"
               : r.right == work.right && r.bottom == work.bottom ? " in the corner"
                                                                  : " moved");
      for (HWND c = GetWindow(form, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        HDC dc = GetDC(c);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)));
        RECT text{}, box;  // a box's text: a line of its font
        DrawTextA(dc, Text(c).empty() ? "|" : Text(c).c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
        BUTTON_IMAGELIST image{};
        int glyph = 0;
        if (SendMessageA(c, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image)) && image.himl)
          ImageList_GetIconSize(image.himl, &glyph, &glyph);
        SelectObject(dc, old), ReleaseDC(c, dc), GetWindowRect(c, &box);
        const bool fits = text.right <= box.right - box.left && text.bottom + glyph <= box.bottom - box.top;
        seen += FontHeight(c) + (fits ? "" : "!");
      }
      seen += "; ";
    }
    return seen;
  };
  const MessageFont font;
  // Announced by the system, or by a change of settings that names no metrics, after which the font differs.
  for (auto [bigger, announce, expected] :
       {std::tuple{true, 0u,
                   "732x423 at 200 %; 389x204 in place -17 -17 -17 -17 -17 -17 -17; 544x408 in the corner "
                   "-17 -17; "},
        {false, UINT(SPIF_SENDCHANGE),
         "544x325 at 200 %; 269x141 in place -11 -11 -11 -11 -11 -11 -11; 399x299 in place -11 -11; "}}) {
    RECT before[2];
    GetWindowRect(main.hwnd(), &before[0]), GetWindowRect(about.hwnd(), &before[1]);
    ASSERT_TRUE(font.Set(bigger, announce));
    for (HWND form : {main.hwnd(), about.hwnd()})
      if (!announce) SendMessageA(form, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("WindowMetrics"));
    PumpUntil([&] { return seen(before) == expected; });
    EXPECT_EQ(seen(before), expected);
  }
}

HWND held = nullptr;  // About's box, while a second box for About is shown
void CALLBACK SecondBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer), MsgBox("a second box"), PostMessageA(held, WM_COMMAND, IDOK, 0);
}

// A box belongs to the window whose handler shows it, not to the window that happens to be active
// (null on Windows while another program is in front), and both windows wait for it; a box shown
// while another holds that window belongs to the one that holds it. Under wine, unlike Windows, an
// owned window's last active popup is its box too, so only a box given the held window itself fails.
TEST_F(Program, ABoxBelongsToTheWindowThatShowsItWhateverWindowIsInFront) {
  // About's box: its home-page link's request fails (under wine, in the desktop's shell).
  auto shell = Module2::OpenFromDesktop.Replace([](auto...) { throw RuntimeFailure{53, "x"}; });
  Click(main.Control(Form1::kCommand4)), held = nullptr;
  HWND other = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  std::string seen;
  const CbtHook hook;
  on_cbt = [&](int code, HWND box) {
    if (code != HCBT_ACTIVATE || ClassOf(box) != "#32770" || box == held) return;
    seen += Text(GetWindow(box, GW_OWNER)) + (IsWindowEnabled(main.hwnd()) ? "" : " main waits") +
            (IsWindowEnabled(about.hwnd()) ? "; " : " about waits; ");
    // While About's box holds it, a second box for About, as one that a timer shows would be.
    if (held == nullptr && GetWindow(box, GW_OWNER) == about.hwnd()) {
      held = box, SetTimer(nullptr, 0, 1, SecondBox);
    } else {
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  };
  // Each handler runs as a slow lookup ends, after the user has gone to the other window: no click
  // that would activate the handler's own window first.
  for (auto [form, id] : {std::pair{main.hwnd(), Form1::kCommand5}, {about.hwnd(), Form2::kLabel1}}) {
    SetForegroundWindow(other);
    ASSERT_EQ(GetActiveWindow(), other);
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
  DestroyWindow(other);
  EXPECT_EQ(seen,
            "Vornacle main waits about waits; About Vornacle main waits about waits; Error # 53: x main "
            "waits about waits; ");
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()) && IsWindowEnabled(about.hwnd()));
}

// In high contrast About's links take the user's link colour on the user's window colour, and the
// window colour fills what the picture leaves uncovered; the picture stays, and a switch either way
// shows at once. Wine refuses to turn high contrast on (SPI_SETHIGHCONTRAST fails with 1439), so the
// program's own seam answers for the system.
TEST_F(Program, InHighContrastAboutTakesTheUsersColoursAtOnce) {
  Click(main.Control(Form1::kCommand4));
  bool on = false;
  auto contrast = HighContrastOn.Replace([&] { return on; });
  RECT r;  // wider than the picture, which leaves a strip on the right uncovered
  ASSERT_TRUE(GetWindowRect(about.hwnd(), &r) &&
              SetWindowPos(about.hwnd(), nullptr, 0, 0, r.right - r.left + 20, r.bottom - r.top, SWP_NOMOVE));
  const COLORREF link = GetSysColor(COLOR_HOTLIGHT), window = GetSysColor(COLOR_WINDOW), white = 0xFFFFFF;
  for (auto [high_contrast, message, setting] : {std::tuple{true, WM_SYSCOLORCHANGE, 0},
                                                 {false, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST},
                                                 {true, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST}}) {
    UpdateWindow(about.hwnd()), on = high_contrast, SendMessageA(about.hwnd(), message, setting, 0);
    UpdateWindow(about.hwnd());
    HDC dc = GetDC(about.hwnd());
    std::map<COLORREF, int> text;  // the colours of each link's text, at 100 %
    for (int y : {192, 216})
      for (int i = 0; i < 16 * 130; ++i) ++text[GetPixel(dc, 144 + i % 130, y + i / 130)];
    const COLORREF picture = GetPixel(dc, 10, 10), strip = GetPixel(dc, r.right - r.left, 150);
    ReleaseDC(about.hwnd(), dc);
    POINT corners[] = {
        {144, 192}, {274, 232}, {r.right - r.left, 150}};  // read from the screen: nothing over it
    MapWindowPoints(about.hwnd(), nullptr, corners, 3);
    for (POINT p : corners) ASSERT_EQ(WindowFromPoint(p), about.hwnd());
    EXPECT_TRUE(picture != window && picture != GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(strip, high_contrast ? window : GetSysColor(COLOR_BTNFACE)) << high_contrast;
    EXPECT_TRUE(high_contrast ? text.size() == 2 && text[link] > 0 && text[window] > 0
                              : text.size() > 2 && text[white] > 20)  // white on the picture
        << text.size();
  }
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
