// The built program started as a process of its own and driven from this one, for what only a
// second process shows: the real message boxes, the exit code, two copies at once, and what the
// program loads from its own folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "support/support.h"

namespace vornacle::testing {
namespace {

class Program {
 public:
  explicit Program(std::string exe = WindowsPath(VORNACLE_EXE), const char* environment = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    exe = '"' + exe + '"';
    CreateProcessA(nullptr, exe.data(), nullptr, nullptr, FALSE, 0, const_cast<char*>(environment), nullptr,
                   &startup, &process_);
    EXPECT_TRUE(WaitFor([&] { return Control("Edit", nullptr) != nullptr; })) << "no main window";
  }
  ~Program() {
    TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  // The process's visible top-level window of this class: its main window, or a message box.
  HWND Window(const char* window_class = "VornacleForm") const {
    struct Search {
      DWORD process;
      const char* window_class;
      HWND found;
    } search{process_.dwProcessId, window_class, nullptr};
    auto match = [](HWND hwnd, LPARAM lparam) -> BOOL {
      auto* s = reinterpret_cast<Search*>(lparam);
      char name[32] = {};
      DWORD owner = 0;
      GetClassNameA(hwnd, name, sizeof name);
      GetWindowThreadProcessId(hwnd, &owner);
      if (owner == s->process && IsWindowVisible(hwnd) && std::strcmp(name, s->window_class) == 0)
        s->found = hwnd;
      return s->found == nullptr;
    };
    EnumWindows(match, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND Control(const char* window_class, const char* text, HWND after = nullptr) const {
    return FindWindowExA(Window(), after, window_class, text);
  }
  void Fill(const std::string& address, const std::string& name) const {
    SendMessageA(Control("Edit", nullptr), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
    SendMessageA(Control("Edit", nullptr, Control("Edit", nullptr)), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(name.c_str()));
  }
  void Click(const char* caption) const { PostMessageA(Control("Button", caption), BM_CLICK, 0, 0); }
  // The message box as "title|prompt|icon or not", answered with OK.
  std::string NextBox() const {
    HWND box = nullptr, icon = nullptr, text = nullptr;
    WaitFor([&] {
      icon = FindWindowExA(box = Window("#32770"), nullptr, "Static", nullptr);
      text = FindWindowExA(box, icon, "Static", nullptr);
      return text && !Text(text).empty();
    });
    if (text == nullptr) return "no box";
    const std::string seen =
        Text(box) + "|" + Text(text) + (SendMessageA(icon, STM_GETICON, 0, 0) ? "|icon" : "|");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(box); });
    return seen;
  }
  long ExitCode() const {
    DWORD code = STILL_ACTIVE;
    WaitFor([&] { return GetExitCodeProcess(process_.hProcess, &code) && code != STILL_ACTIVE; });
    return long(code);
  }
  PROCESS_INFORMATION process_{};
};

// The hosts file the program writes, put back as it was on every path.
struct HostsFile {
  std::string path = [] {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\System32\\drivers\\etc\\hosts";
  }();
  std::string original = ReadBytes(path);
  HostsFile() { WriteBytes(path, "127.0.0.1 localhost\r\n"); }
  ~HostsFile() { WriteBytes(path, original); }
};

TEST(TwoCopies, AppendingAtTheSameTimeLeaveEveryLineWholeAndEndWithTheExitCodeOfTheQuit) {
  HostsFile hosts;
  Program first, second;
  first.Click("A&dd to hosts");
  EXPECT_EQ(first.NextBox(), "Vornacle|You must enter the information first!|");
  for (int i = 0; i < 100; ++i) {
    first.Fill("10.0.0." + std::to_string(i), "first.example");
    second.Fill("10.0.0." + std::to_string(i), "second.example");
    first.Click("A&dd to hosts");
    second.Click("A&dd to hosts");
    for (const Program* copy : {&first, &second}) {
      ASSERT_EQ(copy->NextBox(), "Vornacle|The IP address has been added to your hosts file!|icon");
    }
  }
  std::istringstream lines(ReadBytes(hosts.path));
  std::string line, seen;
  std::getline(lines, line);
  EXPECT_EQ(line, "127.0.0.1 localhost\r");
  while (std::getline(lines, line))
    seen += line.ends_with("  first.example\r")    ? "1"
            : line.ends_with("  second.example\r") ? "2"
                                                   : "[" + line + "]";
  std::ranges::sort(seen);
  EXPECT_EQ(seen, std::string(100, '1') + std::string(100, '2'));
  PostMessageA(first.Window(), WM_CLOSE, 0, 0);
  PostThreadMessageA(second.process_.dwThreadId, WM_QUIT, 3, 0);
  EXPECT_EQ(std::to_string(first.ExitCode()) + "," + std::to_string(second.ExitCode()), "0,3");
}

// A wsock32.dll of the suite's own beside a copy of the program, with wine told to prefer a
// library from the program's folder as Windows does: the lookup still answers, and it never runs.
TEST(ProgramFolder, ALibraryPlantedBesideTheProgramIsNeverLoaded) {
  ScratchFolder folder;
  CopyFileA(WindowsPath(VORNACLE_EXE).c_str(), (folder.path + "\\vornacle.exe").c_str(), FALSE);
  CopyFileA(WindowsPath(PLANTED_DLL).c_str(), (folder.path + "\\wsock32.dll").c_str(), FALSE);
  std::string environment;
  for (const char* v = GetEnvironmentStringsA(); *v; v += std::strlen(v) + 1) {
    if (std::strncmp(v, "WINEDLLOVERRIDES=", 17) != 0) environment.append(v).push_back('\0');
  }
  environment.append("WINEDLLOVERRIDES=wsock32=n,b;mscoree,mshtml=").push_back('\0');
  Program program(folder.path + "\\vornacle.exe", environment.c_str());
  program.Fill("", "localhost");
  program.Click("Get &IP Address");
  EXPECT_TRUE(WaitFor([&] { return Text(program.Control("Edit", nullptr)) == "127.0.0.1"; }));
  EXPECT_EQ(ReadBytes(folder.path + "\\wsock32.dll.loaded"), "");
}

}  // namespace
}  // namespace vornacle::testing
