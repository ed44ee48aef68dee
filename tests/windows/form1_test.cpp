// The main window as a user meets it: frame, layout at 96 DPI, keyboard, Exit and the copy item.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "main_window/Form1.h"
#include "resolve/clsResolve.h"
#include "runtime/msgbox.h"
#include "support/ui.h"

namespace vornacle::testing {
namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::ResetProgram();
    form.Show();
    Pump();
  }
  HWND Item(int id) { return form.Control(id); }
  Form1 form;
};

TEST_F(MainWindow, FrameIsFixedCentredCaptionedAndInTheTaskbar) {
  HWND hwnd = form.hwnd();
  EXPECT_EQ(WindowText(hwnd), "Vornacle");
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 269);
  EXPECT_EQ(client.bottom, 141);

  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(hwnd), nullptr) << "the only menu is hidden";
  EXPECT_NE(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);

  RECT window;
  GetWindowRect(hwnd, &window);
  EXPECT_NEAR((window.left + window.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1.0);
  EXPECT_NEAR((window.top + window.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1.0);
}

TEST_F(MainWindow, ControlsStandWhereTheTableSaysInTabOrder) {
  ExpectControls(form.hwnd(), {
                                  {Form1::kText1, "Edit", "", {64, 8, 257, 27}},
                                  {Form1::kText2, "Edit", "", {64, 72, 257, 91}},
                                  {Form1::kCommand1, "Button", "Get &IP Address", {64, 32, 153, 65}},
                                  {Form1::kCommand2, "Button", "Get &Hostname", {168, 32, 257, 65}},
                                  {Form1::kCommand3, "Button", "E&xit", {184, 104, 257, 129}},
                                  {Form1::kCommand4, "Button", "&About", {24, 104, 97, 129}},
                                  {Form1::kCommand5, "Button", "A&dd to hosts", {104, 104, 177, 129}},
                              });
  // Nothing but Exit has a keyboard role.
  EXPECT_EQ(GetDlgItem(form.hwnd(), IDOK), nullptr);
}

TEST_F(MainWindow, MovingToA150PercentScreenLaysTheWindowOutAgainInItsTwips) {
  RECT suggested;
  GetWindowRect(form.hwnd(), &suggested);
  SendMessageA(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT client;
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, 404) << "4035 twips at 144 DPI";
  EXPECT_EQ(client.bottom, 212);
  const RECT exit = ClientRectOf(Item(Form1::kCommand3));
  EXPECT_EQ(exit.left, 276);
  EXPECT_EQ(exit.top, 156);
  EXPECT_EQ(exit.right, 276 + 110);
  EXPECT_EQ(exit.bottom, 156 + 38);
}

TEST_F(MainWindow, LookupButtonsCarryAGlyphAboveTheCaption) {
  for (int id : {Form1::kCommand1, Form1::kCommand2}) {
    BUTTON_IMAGELIST image{};
    ASSERT_TRUE(SendMessageA(Item(id), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image)));
    EXPECT_EQ(image.uAlign, static_cast<UINT>(BUTTON_IMAGELIST_ALIGN_TOP));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(image.himl, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
  }
}

TEST_F(MainWindow, HiddenFileMenuHoldsTheCopyItem) {
  HMENU menu = form.Menu();
  ASSERT_NE(menu, nullptr);
  char text[64] = {};
  GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "file");
  GetMenuStringA(GetSubMenu(menu, 0), Form1::kMenuTy, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "tyt\tCtrl+C");
}

TEST_F(MainWindow, FocusStartsInTheAddressBoxAndTabVisitsEveryControlInOrder) {
  ASSERT_EQ(GetFocus(), Item(Form1::kText1));
  PressKey('Q');
  ASSERT_TRUE(PumpUntil([&] { return form.Text(Form1::kText1) == "q"; }));
  EXPECT_EQ(form.Text(Form1::kText2), "");

  const int cycle[] = {Form1::kText2,    Form1::kCommand1, Form1::kCommand2, Form1::kCommand3,
                       Form1::kCommand4, Form1::kCommand5, Form1::kText1};
  for (int id : cycle) {
    PressKey(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == Item(id); })) << id;
  }
  PressKey(VK_TAB, {VK_SHIFT});
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == Item(Form1::kCommand5); }));
}

TEST_F(MainWindow, EnterInABoxClicksNothing) {
  MsgBoxCapture boxes;
  PressKey(VK_RETURN);
  Pump();
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_FALSE(forms::ProgramEnded());
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(MainWindow, EscClicksExitWhichEndsTheProgram) {
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return forms::ProgramEnded(); }));
  EXPECT_FALSE(form.IsLoaded());
}

TEST_F(MainWindow, AltXClicksExit) {
  PressKey('X', {VK_MENU});
  EXPECT_TRUE(PumpUntil([&] { return forms::ProgramEnded(); }));
  EXPECT_FALSE(form.IsLoaded());
}

TEST_F(MainWindow, CloseBoxUnloadsTheLastWindowAndSoEndsTheProgram) {
  SendMessageA(form.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_TRUE(forms::ProgramEnded());
}

// Counts the copies an edit control makes, and the runs of the copy item on the window.
LRESULT CALLBACK CountCopies(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                             DWORD_PTR copies) {
  if (message == WM_COPY) ++*reinterpret_cast<int*>(copies);
  return DefSubclassProc(hwnd, message, wparam, lparam);
}
LRESULT CALLBACK CountCopyItem(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                               DWORD_PTR runs) {
  if (message == WM_COMMAND && LOWORD(wparam) == Form1::kMenuTy) ++*reinterpret_cast<int*>(runs);
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

TEST_F(MainWindow, CtrlCCopiesTheSelectionExactlyOnce) {
  HWND box = Item(Form1::kText1);
  form.SetText(Form1::kText1, "10.0.0.5 and more");
  SendMessageA(box, EM_SETSEL, 0, 8);
  int copies = 0, item_runs = 0;
  SetWindowSubclass(box, CountCopies, 1, reinterpret_cast<DWORD_PTR>(&copies));
  SetWindowSubclass(form.hwnd(), CountCopyItem, 1, reinterpret_cast<DWORD_PTR>(&item_runs));
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();

  PressKey('C', {VK_CONTROL});
  ASSERT_TRUE(PumpUntil([&] { return copies > 0; }));
  // Let any keystroke the copy item sent arrive too.
  PressKey(VK_SHIFT);
  PumpUntil([] { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) == 0; });
  Pump();
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(item_runs, 1) << "the shortcut runs the copy item, whose keystroke does not run it again";
  RemoveWindowSubclass(box, CountCopies, 1);
  RemoveWindowSubclass(form.hwnd(), CountCopyItem, 1);

  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_TEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "10.0.0.5");
  GlobalUnlock(data);
  CloseClipboard();
}

TEST_F(MainWindow, LookupFailureIsReportedAndLeavesTheTargetBox) {
  form.SetText(Form1::kText1, "typed by the user");
  form.SetText(Form1::kText2, "printer1");
  auto failing = wsock32::gethostbyname.Replace([](const char*) -> HostRecord* {
    throw RuntimeFailure{kErrFileNotFound, "File not found: wsock32.dll"};
  });
  BoxWatcher watcher;
  SendMessageA(Item(Form1::kCommand1), BM_CLICK, 0, 0);
  const auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Error! Make sure you are connected to the net and are entering valid info!");
  EXPECT_EQ(seen[0].title, "Vornacle");
  EXPECT_EQ(seen[0].icon, "");
  EXPECT_EQ(form.Text(Form1::kText1), "typed by the user");
  EXPECT_EQ(form.Text(Form1::kText2), "printer1");

  // The reverse lookup reports any failure with the same text.
  auto failing_parse =
      wsock32::inet_addr.Replace([](const char*) -> std::uint32_t { throw std::bad_alloc(); });
  MsgBoxCapture boxes;
  SendMessageA(Item(Form1::kCommand2), BM_CLICK, 0, 0);
  EXPECT_EQ(boxes.shown(), (std::vector<ShownBox>{{seen[0].text, kMsgOkOnly, "Vornacle"}}));
  EXPECT_EQ(form.Text(Form1::kText2), "printer1");
}

// A window whose one button fails without a guard of its own.
class FailingForm : public forms::Form {
 public:
  static constexpr int kButton = 3001;
  void Open() {
    static constexpr forms::ControlSpec controls[] = {
        {kButton, forms::ControlKind::Button, "Fail", 0, 0, 1200, 400}};
    Load({"Failing", 2000, 1000, forms::StartPosition::Default, true, 0, controls});
    ShowWindowNow();
  }

 protected:
  void Click(int) override {
    throw RuntimeFailure{kErrEntryPointNotFound, "Can't find DLL entry point X in y"};
  }
};

TEST(UnguardedFailure, IsReportedOnceWithTheCriticalIconAndTheProgramGoesOn) {
  forms::ResetProgram();
  FailingForm form;
  form.Open();
  BoxWatcher watcher;
  SendMessageA(form.Control(FailingForm::kButton), BM_CLICK, 0, 0);
  const auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Run-time error '453':\n\nCan't find DLL entry point X in y");
  EXPECT_EQ(seen[0].title, "Vornacle");
  EXPECT_EQ(seen[0].icon, "critical");
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_FALSE(forms::ProgramEnded());
}

}  // namespace
}  // namespace vornacle::testing
