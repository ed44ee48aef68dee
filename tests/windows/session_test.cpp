// Both windows as a user meets them: a session, step by step, in which each step acts as the user
// does and reads back what the user then sees; and how the program binds the libraries it declares.
#include <windows.h>

#include <commctrl.h>

#include "runtime/declared.h"
#include "runtime/sendkeys.h"
#include "runtime/system_library.h"
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

using std::string_literals::operator""s;

std::string copies;  // which C reached the box, the copy item's own keystroke or the user's, and each copy
LRESULT CALLBACK LogCopies(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
  if (message == WM_KEYDOWN && wparam == 'C')
    copies += ULONG_PTR(GetMessageExtraInfo()) == kOwnKeystrokeTag ? "sent " : "typed ";
  if (message == WM_COPY) copies += "copy ";
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

TEST_F(Program, ASessionThroughBothWindows) {
  MsgBoxCapture boxes;
  const auto about_button = [&] { Click(main.Control(Form1::kCommand4)); };
  const auto windows = [&] {
    return std::string(main.IsLoaded() ? "main" : "") + (about.IsLoaded() ? " about" : "") +
           (forms::ProgramEnded() ? " ended" : "") + (boxes.shown().empty() ? "" : " a box");
  };
  const auto text = [&] { return copies + Text(main.Control(Form1::kText1)); };
  const auto centred = [&] {
    RECT r;
    GetWindowRect(main.hwnd(), &r);
    return std::abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)) < 2 &&
           std::abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)) < 2;
  };
  const auto pointers = [&] {  // over the two link labels and beside them
    std::string seen;
    for (POINT p : {POINT{150, 196}, POINT{150, 220}, POINT{20, 260}}) {
      ClientToScreen(about.hwnd(), &p), SetCursorPos(p.x, p.y);
      SendMessageA(about.hwnd(), WM_SETCURSOR, WPARAM(about.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      seen += GetCursor() == LoadCursor(nullptr, IDC_ARROW) ? "arrow " : "hand ";
    }
    return seen;
  };
  const auto restart = [&] { about.Unload(), forms::ResetProgram(), main.Show(); };
  const auto select = [&] { SendMessageA(main.Control(Form1::kText1), EM_SETSEL, 0, 8); };
  SetWindowSubclass(main.Control(Form1::kText1), LogCopies, 1, 0);
  struct Step {
    std::function<void()> act;
    std::function<std::string()> see;
    std::string expected;
  } steps[] = {
      // Exit has the cancel id (2), so Esc clicks it; no control has the id (1) that Enter clicks.
      {[] {}, [&] { return Describe(main.hwnd()) + (centred() ? " centred" : ""); },
       "Vornacle 269x141 fixed taskbar icon: 1002: 1003: 1004:Get &IP Address 1005:Get &Hostname 2:E&xit "
       "1008:&About 1009:A&dd to hosts centred"},
      {[] { PressKey(VK_RETURN), PressKey('Q'); }, [&] { return text() + " " + windows(); }, "q main"},
      // Ctrl+C pressed and let go, then C twice with Ctrl held: each time the copy item sends its own
      // C, which copies once, and the Ctrl that the user holds stays held, so no letter is typed.
      {[&] { main.SetText(Form1::kText1, "10.0.0.5 and more"), select(), PressKey('C', VK_CONTROL); }, text,
       "sent copy 10.0.0.5 and more"},
      {[] { keybd_event(VK_CONTROL, 0, 0, 0), PressKey('C'); }, text,
       "sent copy sent copy 10.0.0.5 and more"},
      {[] { PressKey('C'), keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0), PressKey('Z'); }, text,
       "sent copy sent copy sent copy z and more"},
      {[&] { about_button(), about_button(); },
       [&] {
         return Describe(about.hwnd()) + " and " +
                std::to_string(TopWindows(GetCurrentProcessId(), "VornacleForm").size()) + " windows";
       },
       "About Vornacle 399x299 fixed hidden-owner icon: 2:&OK 2004:&System Info and 2 windows"},
      {[] {}, pointers, "hand hand arrow "},
      {[] { PressKey(VK_RETURN); }, windows, "main"},  // Enter on OK, which has the focus from the start
      {[&] { about_button(), SendMessageA(main.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }, windows, " about"},
      {[&] { SendMessageA(about.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }, windows, " ended"},
      {[&] { restart(), about_button(), Click(main.Control(Form1::kCommand3)); }, windows, " about ended"},
      {[&] { restart(), PressKey(VK_ESCAPE); }, windows, " ended"},  // Esc clicks Exit
  };
  for (const Step& step : steps) {
    step.act();
    PumpUntil([&] { return step.see() == step.expected; });
    ASSERT_EQ(step.see(), step.expected) << "step " << &step - steps + 1;  // the later steps build on it
  }
}

std::string loads;  // "library flags;" for each load, by RecordLoad
HMODULE WINAPI RecordLoad(LPCSTR library, HANDLE, DWORD flags) {
  loads += library + (" " + std::to_string(flags) + ";");
  SetLastError(ERROR_INVALID_PARAMETER);  // as a loader that lacks the flag answers
  return loads.find(':') != std::string::npos ? LoadLibraryExA(library, nullptr, 0) : nullptr;
}

// Each library from the system folder alone: by the loader's flag, or by its full path where the
// loader lacks the flag. A missing entry point is failure 453.
TEST(Binding, LoadsLibrariesFromTheSystemFolderOnlyAndReportsAMissingEntryPoint) {
  const auto loader = std::exchange(LoadLibraryForSystem, RecordLoad);
  Declared<int()>{"wsock32.dll", "WSACleanup"}();
  LoadLibraryForSystem = loader;
  try {
    Declared<int()>{"kernel32.dll", "NoSuchEntry"}();
  } catch (const RuntimeFailure& failure) {
    loads += std::to_string(failure.number) + " " + failure.description;
  }
  // The path as Windows compares paths: without regard to case.
  const char kLoads[] =
      "wsock32.dll 2048;C:\\Windows\\System32\\wsock32.dll 8;453 Can't find DLL entry point "
      "NoSuchEntry in kernel32.dll";
  EXPECT_EQ(lstrcmpiA(loads.c_str(), kLoads), 0) << loads;
}

}  // namespace
}  // namespace vornacle::testing
