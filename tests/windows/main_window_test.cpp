// The main window as a user meets it: frame, layout, keyboard, the copy item, the names that screen
// readers hear; and the program file's version record and its binding of missing entry points.
#include <windows.h>

#include <initguid.h>  // IID_IAccessible in this file, not an import

#include <commctrl.h>
#include <oleacc.h>

#include "runtime/declared.h"
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

TEST_F(Program, MainWindowIsFixedCentredInTheTaskbarWithTheFocusInTheAddressBox) {
  // Exit has the cancel id (2), so Esc clicks it; no control has the id (1) that Enter clicks.
  EXPECT_EQ(Describe(main.hwnd()),
            "Vornacle 269x141 fixed taskbar icon: 1002:@64,8,257,27 1003:@64,72,257,91 1004:Get &IP "
            "Address@64,32,153,65 "
            "1005:Get &Hostname@168,32,257,65 2:E&xit@184,104,257,129 1008:&About@24,104,97,129 "
            "1009:A&dd to hosts@104,104,177,129");
  RECT window;
  GetWindowRect(main.hwnd(), &window);
  EXPECT_NEAR(window.left + window.right, GetSystemMetrics(SM_CXSCREEN), 2);
  EXPECT_NEAR(window.top + window.bottom, GetSystemMetrics(SM_CYSCREEN), 2);
  Type('Q', Form1::kText1, "q");
}

TEST_F(Program, EscAltXAndTheCloseBoxEndTheProgram) {
  for (int way = 0; way < 3; ++way) {
    forms::ResetProgram();
    main.Show();
    if (way < 2) PressKey(way == 0 ? VK_ESCAPE : 'X', way == 0 ? 0 : VK_MENU);
    if (way == 2) SendMessageA(main.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return forms::ProgramEnded() && !main.IsLoaded(); })) << way;
  }
}

LRESULT CALLBACK CountCopies(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                             DWORD_PTR copies) {
  *reinterpret_cast<int*>(copies) += message == WM_COPY;
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

TEST_F(Program, CtrlCCopiesTheSelectionExactlyOnce) {
  main.SetText(Form1::kText1, "10.0.0.5 and more");
  SendMessageA(main.Control(Form1::kText1), EM_SETSEL, 0, 8);
  int copies = 0;
  SetWindowSubclass(main.Control(Form1::kText1), CountCopies, 1, reinterpret_cast<DWORD_PTR>(&copies));
  PressKey('C', VK_CONTROL);
  ASSERT_TRUE(PumpUntil([&] { return copies > 0; }));
  Type('Z', Form1::kText1, "z and more");  // after any keystroke that the copy item sent
  EXPECT_EQ(copies, 1) << "the copy item's own keystroke does not run it again";
  RemoveWindowSubclass(main.Control(Form1::kText1), CountCopies, 1);
  OpenClipboard(nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT))), "10.0.0.5");
  GlobalUnlock(GetClipboardData(CF_TEXT));
  CloseClipboard();
}

TEST_F(Program, ScreenReadersHearEachBoxByItsLabelWithItsRoleAndValue) {
  Type('Q', Form1::kText1, "q");
  PressKey(VK_TAB);
  Type('W', Form1::kText2, "w");
  std::wstring heard;
  for (int id : {Form1::kText1, Form1::kText2}) {
    IAccessible* box = nullptr;
    AccessibleObjectFromWindow(main.Control(id), OBJID_CLIENT, IID_IAccessible,
                               reinterpret_cast<void**>(&box));
    ASSERT_NE(box, nullptr);
    VARIANT self{}, role{};
    self.vt = VT_I4;  // and lVal CHILDID_SELF
    BSTR name = nullptr, value = nullptr;
    box->get_accName(self, &name);
    box->get_accValue(self, &value);
    box->get_accRole(self, &role);
    heard += std::wstring(name) + L"=" + value + L"/" + std::to_wstring(role.lVal) + L" ";
    SysFreeString(name);
    SysFreeString(value);
    box->Release();
  }
  EXPECT_EQ(heard, L"IP Address:=q/42 Hostname:=w/42 ");  // 42: editable text
}

TEST(ProgramFile, HasItsVersionRecordAndReportsAMissingEntryPoint) {
  char path[MAX_PATH], *text = nullptr;
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string data(GetFileVersionInfoSizeA(path, nullptr), '\0'), seen;
  GetFileVersionInfoA(path, 0, static_cast<DWORD>(data.size()), data.data());
  for (std::string key : {"FileDescription", "FileVersion", "ProductVersion"}) {
    UINT length = 0;
    VerQueryValueA(data.data(), ("\\StringFileInfo\\040904B0\\" + key).c_str(),
                   reinterpret_cast<void**>(&text), &length);
    seen += text + std::string(";");
  }
  try {
    Declared<int()>{"kernel32.dll", "NoSuchEntry"}();
  } catch (const RuntimeFailure& failure) {
    seen += std::to_string(failure.number) + " " + failure.description;
  }
  EXPECT_EQ(seen, "Main Executable;1.00;1.00;453 Can't find DLL entry point NoSuchEntry in kernel32.dll");
}

}  // namespace
}  // namespace vornacle::testing
