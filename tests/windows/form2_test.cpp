// The About window as a user meets it: opened from the main window, its layout, keyboard, pointer,
// links and lifetime.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "about/Form2.h"
#include "about/Module2.h"
#include "main_window/Form1.h"
#include "runtime/msgbox.h"
#include "support/files.h"
#include "support/ui.h"

namespace vornacle::testing {
namespace {

class About : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::ResetProgram();
    main.Show();
    Pump();
  }
  void TearDown() override { about.Unload(); }
  void ClickAbout() {
    SendMessageA(main.Control(Form1::kCommand4), BM_CLICK, 0, 0);
    Pump();
  }
  int AboutWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM count) -> BOOL {
          *reinterpret_cast<int*>(count) += IsWindowVisible(hwnd) && WindowText(hwnd) == "About Vornacle";
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
  }
  // A point inside a label, in the About window's client coordinates.
  static POINT InLabel(int id) { return id == Form2::kLabel1 ? POINT{150, 196} : POINT{150, 220}; }
  void ClickLabel(int id) {
    const POINT p = InLabel(id);
    SendMessageA(about.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(about.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }

  Form1 main;
  Form2& about = Form2::Shared();
};

TEST_F(About, OpensOnceBesideTheMainWindowWithItsFrameAndButtons) {
  ClickAbout();
  ClickAbout();
  ASSERT_TRUE(about.IsLoaded());
  EXPECT_EQ(AboutWindows(), 1);

  HWND hwnd = about.hwnd();
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 399);
  EXPECT_EQ(client.bottom, 299);
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
  EXPECT_EQ(GetMenu(hwnd), nullptr);
  EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  // No taskbar button: owned, by a window that is neither shown nor the main window.
  EXPECT_FALSE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  HWND owner = GetWindow(hwnd, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_NE(owner, main.hwnd());
  EXPECT_FALSE(IsWindowVisible(owner));

  ExpectControls(hwnd, {{Form2::kCommand1, "Button", "&OK", {312, 240, 385, 265}},
                        {Form2::kCmdSysInfo, "Button", "&System Info", {312, 272, 385, 297}}});
}

TEST_F(About, LinkLabelsAreWhiteTextOnThePicture) {
  ClickAbout();
  UpdateWindow(about.hwnd());
  HDC dc = GetDC(about.hwnd());
  // Somewhere in each label's box a pixel is pure white; the box's corner shows the blue picture.
  for (RECT box : {RECT{144, 192, 289, 209}, RECT{144, 216, 297, 233}}) {
    bool white = false;
    for (int y = box.top; y < box.bottom && !white; ++y) {
      for (int x = box.left; x < box.right && !white; ++x) white = GetPixel(dc, x, y) == RGB(255, 255, 255);
    }
    EXPECT_TRUE(white);
    const COLORREF corner = GetPixel(dc, box.right - 2, box.bottom - 2);
    EXPECT_GT(GetBValue(corner), GetRValue(corner) + 40) << "blue picture behind the label";
  }
  ReleaseDC(about.hwnd(), dc);
}

TEST_F(About, FocusIsOnOkAndTabAlternatesWithSystemInfo) {
  ClickAbout();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == about.Control(Form2::kCommand1); }));
  PressKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == about.Control(Form2::kCmdSysInfo); }));
  PressKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == about.Control(Form2::kCommand1); }));
  // Shown again while open: the focus goes back to OK.
  PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == about.Control(Form2::kCmdSysInfo); }));
  ClickAbout();
  EXPECT_EQ(GetFocus(), about.Control(Form2::kCommand1));
}

TEST_F(About, OkEscAndTheCloseBoxUnloadItAndAboutMakesItAgain) {
  ClickAbout();
  SendMessageA(about.Control(Form2::kCommand1), BM_CLICK, 0, 0);
  EXPECT_FALSE(about.IsLoaded());
  EXPECT_TRUE(main.IsLoaded());

  ClickAbout();
  ASSERT_TRUE(about.IsLoaded());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == about.hwnd(); }));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !about.IsLoaded(); }));
  EXPECT_TRUE(main.IsLoaded()) << "Esc in the About window leaves the main window alone";

  ClickAbout();
  ASSERT_TRUE(about.IsLoaded());
  SendMessageA(about.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(about.IsLoaded());
  ClickAbout();
  EXPECT_TRUE(about.IsLoaded());
  EXPECT_EQ(GetFocus(), about.Control(Form2::kCommand1));
  EXPECT_FALSE(forms::ProgramEnded());
}

TEST_F(About, AltOClicksOk) {
  ClickAbout();
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == about.hwnd(); }));
  PressKey('O', {VK_MENU});
  EXPECT_TRUE(PumpUntil([&] { return !about.IsLoaded(); }));
}

TEST_F(About, OutlivesTheMainWindowsCloseBoxAndGoesWithExit) {
  ClickAbout();
  SendMessageA(main.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(main.IsLoaded());
  EXPECT_TRUE(about.IsLoaded());
  EXPECT_FALSE(forms::ProgramEnded()) << "an open About window keeps the program running";
  SendMessageA(about.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(forms::ProgramEnded()) << "the last window closed";

  forms::ResetProgram();
  main.Show();
  ClickAbout();
  SendMessageA(main.Control(Form1::kCommand3), BM_CLICK, 0, 0);
  EXPECT_TRUE(forms::ProgramEnded());
}

TEST_F(About, PointerIsAHandOverEitherLabelOnly) {
  ClickAbout();
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  auto pointer_at = [&](POINT client) {
    ClientToScreen(about.hwnd(), &client);
    SetCursorPos(client.x, client.y);
    PumpUntil([&] {
      POINT now;
      GetCursorPos(&now);
      return now.x == client.x && now.y == client.y;
    });
    SendMessageA(about.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  HCURSOR over_home = pointer_at(InLabel(Form2::kLabel1));
  HCURSOR over_mail = pointer_at(InLabel(Form2::kLabel2));
  HCURSOR off = pointer_at(POINT{20, 260});
  EXPECT_NE(over_home, arrow);
  EXPECT_EQ(over_home, over_mail);
  EXPECT_EQ(off, arrow);

  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(over_home, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
  BITMAP mask{};
  GetObject(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64) << "two-colour: the mask holds both halves";
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

// Points wine's browser and mail program at a recorder for the test's length.
class RecordedLinks {
 public:
  RecordedLinks() {
    DeleteFileA(log_.c_str());
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key_, nullptr);
    for (const char* value : {"Browsers", "Mailers"}) {
      RegSetValueExA(key_, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(RECORD_LINK), sizeof RECORD_LINK);
    }
  }
  ~RecordedLinks() {
    RegDeleteValueA(key_, "Browsers");
    RegDeleteValueA(key_, "Mailers");
    RegCloseKey(key_);
  }
  // The addresses recorded once `count` have arrived.
  std::string Wait(int count) {
    std::string recorded;
    PumpUntil([&] {
      recorded = ReadBytes(log_);
      return std::count(recorded.begin(), recorded.end(), '\n') >= count;
    });
    return recorded;
  }

 private:
  HKEY key_ = nullptr;
  std::string log_ = WindowsPath(LINK_LOG);
};

TEST_F(About, ClickingEachLabelOpensItsAddressThroughTheShellAndTheWindowStays) {
  RecordedLinks links;
  ClickAbout();
  MsgBoxCapture boxes;
  ClickLabel(Form2::kLabel1);
  ClickLabel(Form2::kLabel2);
  const std::string recorded = links.Wait(2);
  // The shell's browser launcher ends a bare web address with "/" on its way.
  EXPECT_NE(recorded.find("http://www.vornacle.test"), std::string::npos) << recorded;
  EXPECT_NE(recorded.find("mailto:support@vornacle.test?subject=Vornacle\n"), std::string::npos) << recorded;
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_TRUE(about.IsLoaded());
}

TEST_F(About, MailLabelRepeatsTheMailMessageForAFailureWhileReporting) {
  ClickAbout();
  auto failing = shell32::ShellExecuteA.Replace(
      [](void*, const char*, const char*, const char*, const char*, int) -> void* {
        throw RuntimeFailure{kErrFileNotFound, "File not found: shell32.dll"};
      });
  MsgBoxCapture boxes;
  bool first = true;
  boxes.on_show = [&](const ShownBox&) {
    if (std::exchange(first, false)) throw RuntimeFailure{-5, "Reporting failed"};
  };
  ClickLabel(Form2::kLabel2);
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(
      boxes.shown()[1],
      (ShownBox{
          "Error! You may not have a default mail program.  Send mail manually to support@vornacle.test", 0,
          "Error # -5: Reporting failed"}));

  // The home-page label has no guard: the same failure reaches the program's one report.
  first = true;
  ClickLabel(Form2::kLabel1);
  ASSERT_EQ(boxes.shown().size(), 4u);
  EXPECT_EQ(boxes.shown()[3],
            (ShownBox{"Run-time error '-5':\n\nReporting failed", kMsgCritical, "Vornacle"}));
  EXPECT_TRUE(about.IsLoaded());
}

}  // namespace
}  // namespace vornacle::testing
