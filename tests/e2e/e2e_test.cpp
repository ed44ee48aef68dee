// The built program as a user meets it, one scenario per command, driven from this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <sstream>

#include "program.h"
#include "support/files.h"

namespace vornacle::e2e {
namespace {

using testing::ReadBytes;
using testing::WindowsPath;
using testing::WriteBytes;

// The hosts file the program writes, put back as it was after each test.
class HostsFile {
 public:
  HostsFile() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    path = std::string(windows) + "\\System32\\drivers\\etc\\hosts";
    original = ReadBytes(path);
  }
  ~HostsFile() { WriteBytes(path, original); }
  std::string path, original;
};

class UserSession : public ::testing::Test {
 protected:
  HWND main() { return program.Main(); }
  HWND ip() { return Program::Edit(main(), 0); }
  HWND name() { return Program::Edit(main(), 1); }
  HWND button(const char* caption) { return Program::Button(main(), caption); }
  void Fill(const std::string& address, const std::string& host) {
    SendMessageA(ip(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
    SendMessageA(name(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(host.c_str()));
  }
  Program program;
};

TEST_F(UserSession, StartsCentredWithEmptyBoxesAndTypingGoesToTheAddressBox) {
  EXPECT_EQ(Text(ip()), "");
  EXPECT_EQ(Text(name()), "");
  program.Type(ip(), "10.0.0.5");
  EXPECT_EQ(Text(ip()), "10.0.0.5");
  EXPECT_EQ(Text(name()), "");
  RECT window;
  GetWindowRect(main(), &window);
  EXPECT_NEAR((window.left + window.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1.0);
}

TEST_F(UserSession, TabThenTypingAndTheAccessKeysRunBothLookups) {
  program.Keys(main(), VK_TAB);
  program.Type(name(), "printer1");
  program.Keys(main(), 'I', {VK_MENU});
  EXPECT_TRUE(WaitFor([&] { return Text(ip()) == "10.0.0.5"; })) << Text(ip());

  SendMessageA(name(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed over"));
  program.Click(button("Get &Hostname"));
  EXPECT_TRUE(WaitFor([&] { return Text(name()) == "printer1.vornacle.test"; })) << Text(name());
  EXPECT_FALSE(program.HasBox());
}

TEST_F(UserSession, ResolverMessagesAsTheUserSeesThem) {
  Fill("no address", "x");
  program.Click(button("Get &Hostname"));
  Box box = program.NextBox();
  EXPECT_EQ(box.text, "Invalid IP address");
  EXPECT_EQ(box.title, "Vornacle");
  EXPECT_EQ(box.icon, "");
  EXPECT_TRUE(WaitFor([&] { return Text(name()).empty(); }));

  Fill("192.0.2.99", "x");
  program.Click(button("Get &Hostname"));
  EXPECT_EQ(program.NextBox().text, "Call to gethostbyaddr failed.");

  Fill("10.1.1.1", "nosuch.vornacle.test");
  program.Click(button("Get &IP Address"));
  EXPECT_TRUE(WaitFor([&] { return Text(ip()).empty(); }));
  EXPECT_FALSE(program.HasBox()) << "an unknown name is no message";
}

TEST_F(UserSession, AddToHostsRefusesEmptyBoxesThenAppendsAndConfirms) {
  HostsFile hosts;
  program.Click(button("A&dd to hosts"));
  Box box = program.NextBox();
  EXPECT_EQ(box.text, "You must enter the information first!");
  EXPECT_EQ(box.icon, "");
  EXPECT_EQ(ReadBytes(hosts.path), hosts.original);

  Fill("10.0.0.5", "printer1");
  program.Keys(main(), 'D', {VK_MENU});
  box = program.NextBox();
  EXPECT_EQ(box.text, "The IP address has been added to your hosts file!");
  EXPECT_EQ(box.title, "Vornacle");
  EXPECT_EQ(box.icon, "shown");
  std::string expected = hosts.original;
  if (!expected.empty() && expected.back() != '\n') expected += "\r\n";
  EXPECT_EQ(ReadBytes(hosts.path), expected + "10.0.0.5  printer1\r\n");
}

TEST_F(UserSession, AHostsFileHeldOpenByAnotherProgramIsReportedAndLeftAlone) {
  HostsFile hosts;
  HANDLE held = CreateFileA(hosts.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Fill("10.0.0.5", "printer1");
  program.Click(button("A&dd to hosts"));
  const Box box = program.NextBox();
  CloseHandle(held);
  EXPECT_EQ(box.text.rfind("Error! Error # 32:  ", 0), 0u) << box.text;
  EXPECT_EQ(box.icon, "");
  EXPECT_EQ(ReadBytes(hosts.path), hosts.original);
}

TEST_F(UserSession, CtrlCCopiesTheSelectedText) {
  program.Type(ip(), "10.0.0.5");
  program.Keys(ip(), VK_HOME, {VK_SHIFT});
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  program.Keys(ip(), 'C', {VK_CONTROL});
  std::string copied;
  WaitFor([&] {
    if (!OpenClipboard(nullptr)) return false;
    HANDLE data = GetClipboardData(CF_TEXT);
    copied = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : "";
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    return !copied.empty();
  });
  EXPECT_EQ(copied, "10.0.0.5");
}

TEST_F(UserSession, AboutOpensOnceAndItsLinksReachTheShell) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr);
  for (const char* value : {"Browsers", "Mailers"}) {
    RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(RECORD_LINK), sizeof RECORD_LINK);
  }
  const std::string log = WindowsPath(E2E_LINK_LOG);
  DeleteFileA(log.c_str());

  program.Click(button("&About"));
  ASSERT_TRUE(WaitFor([&] { return program.About() != nullptr; }));
  program.Keys(main(), 'A', {VK_MENU});
  WaitFor([&] { return GetForegroundWindow() == program.About(); });
  int windows = 0;
  EnumWindows(
      [](HWND hwnd, LPARAM count) -> BOOL {
        *reinterpret_cast<int*>(count) += IsWindowVisible(hwnd) && Text(hwnd) == "About Vornacle";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(windows, 1);

  std::string recorded;
  auto recorded_lines = [&](int count) {
    return WaitFor([&] {
      recorded = ReadBytes(log);
      return std::count(recorded.begin(), recorded.end(), '\n') >= count;
    });
  };
  program.ClickAt(program.About(), POINT{150, 196});  // the home-page label
  EXPECT_TRUE(recorded_lines(1));
  EXPECT_EQ(recorded.rfind("http://www.vornacle.test", 0), 0u) << recorded;
  program.ClickAt(program.About(), POINT{150, 220});  // the mail label
  EXPECT_TRUE(recorded_lines(2));
  EXPECT_NE(recorded.find("\nmailto:support@vornacle.test?subject=Vornacle\n"), std::string::npos)
      << recorded;
  EXPECT_NE(program.About(), nullptr) << "the About window stays open";

  program.Click(Program::Button(program.About(), "&OK"));
  EXPECT_TRUE(WaitFor([&] { return program.About() == nullptr; }));
  RegDeleteValueA(key, "Browsers");
  RegDeleteValueA(key, "Mailers");
  RegCloseKey(key);
}

TEST_F(UserSession, SystemInfoStartsTheRegisteredToolOrSaysItIsUnavailable) {
  const char* msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  const std::string recorder = WindowsPath(RECORD_RUN);
  DeleteFileA((recorder + ".log").c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, msinfo);

  program.Keys(main(), 'A', {VK_MENU});
  ASSERT_TRUE(WaitFor([&] { return program.About() != nullptr; }));
  program.Keys(program.About(), 'S', {VK_MENU});
  const Box box = program.NextBox();
  EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
  EXPECT_EQ(box.title, "Vornacle");

  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, msinfo, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(recorder.c_str()),
                 static_cast<DWORD>(recorder.size() + 1));
  RegCloseKey(key);
  program.Click(Program::Button(program.About(), "&System Info"));
  std::string runs;
  EXPECT_TRUE(WaitFor([&] { return !(runs = ReadBytes(recorder + ".log")).empty(); }));
  EXPECT_EQ(runs, '"' + recorder + "\"\n");
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, msinfo);
}

TEST_F(UserSession, ExitWithTheAboutWindowOpenEndsTheProgram) {
  program.Click(button("&About"));
  ASSERT_TRUE(WaitFor([&] { return program.About() != nullptr; }));
  program.Click(button("E&xit"));
  EXPECT_TRUE(program.Exited());
}

TEST_F(UserSession, EscEndsTheProgram) {
  program.Keys(main(), VK_ESCAPE);
  EXPECT_TRUE(program.Exited());
}

TEST_F(UserSession, ClosingTheMainWindowLeavesTheAboutWindowAndTheProgramRunning) {
  program.Click(button("&About"));
  ASSERT_TRUE(WaitFor([&] { return program.About() != nullptr; }));
  PostMessageA(main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitFor([&] { return program.Main() == nullptr; }));
  EXPECT_NE(program.About(), nullptr);
  EXPECT_FALSE(WaitForSingleObject(OpenProcess(SYNCHRONIZE, FALSE, program.id()), 200) == WAIT_OBJECT_0);
  PostMessageA(program.About(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program.Exited());
}

TEST_F(UserSession, HugeAndForeignTextsLeaveTheProgramRunning) {
  HostsFile hosts;
  // 64 KiB: wine's own edit control needs many seconds to paint a single line of a megabyte;
  // the program's handling of megabyte texts is shown in-process (tests/windows/form1_test.cpp).
  const std::string huge(1 << 16, 'a');
  Fill("10.0.0.5", huge);
  program.Click(button("Get &IP Address"));
  EXPECT_TRUE(WaitFor([&] { return Text(ip()).empty(); })) << "no such name";
  Fill("h\xE9t\xE9rog\xE8ne", "caf\xE9.vornacle.test");
  program.Click(button("Get &Hostname"));
  EXPECT_EQ(program.NextBox().text, "Invalid IP address");
  program.Click(button("Get &IP Address"));
  EXPECT_TRUE(WaitFor([&] { return Text(ip()).empty(); }));

  Fill("10.0.0.5", huge);
  program.Click(button("A&dd to hosts"));
  EXPECT_EQ(program.NextBox().text, "The IP address has been added to your hosts file!");
  EXPECT_TRUE(ReadBytes(hosts.path).ends_with("10.0.0.5  " + huge + "\r\n"));
  EXPECT_EQ(Text(name()).size(), huge.size());
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
      << "still responding";
}

TEST(TwoCopies, AppendingAtTheSameTimeLeaveEveryLineWhole) {
  HostsFile hosts;
  WriteBytes(hosts.path, "127.0.0.1 localhost\r\n");
  Program first, second;
  for (int i = 0; i < 100; ++i) {
    for (Program* copy : {&first, &second}) {
      const std::string address = "10.0.0." + std::to_string(i);
      const std::string host = copy == &first ? "first.example" : "second.example";
      SendMessageA(Program::Edit(copy->Main(), 0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
      SendMessageA(Program::Edit(copy->Main(), 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(host.c_str()));
      PostMessageA(Program::Button(copy->Main(), "A&dd to hosts"), BM_CLICK, 0, 0);
    }
    ASSERT_EQ(first.NextBox().text, "The IP address has been added to your hosts file!");
    ASSERT_EQ(second.NextBox().text, "The IP address has been added to your hosts file!");
  }
  std::istringstream lines(ReadBytes(hosts.path));
  std::string line;
  int first_lines = 0, second_lines = 0;
  std::getline(lines, line);
  EXPECT_EQ(line, "127.0.0.1 localhost\r");
  while (std::getline(lines, line)) {
    ASSERT_TRUE(line.ends_with("\r")) << line;
    line.pop_back();
    ASSERT_EQ(line.rfind("10.0.0.", 0), 0u) << line;
    first_lines += line.ends_with("  first.example");
    second_lines += line.ends_with("  second.example");
  }
  EXPECT_EQ(first_lines, 100);
  EXPECT_EQ(second_lines, 100);
}

}  // namespace
}  // namespace vornacle::e2e
