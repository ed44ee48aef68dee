// The built program started as a process of its own and driven from this one, for what only a
// second process shows: the real message boxes, the exit code, two copies at once, what the program
// loads from its own folder; and what Windows reads from the program file before it starts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "support/support.h"

namespace vornacle::testing {
namespace {

struct Copy {
  explicit Copy(std::string exe = VORNACLE_EXE) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    exe = '"' + exe + '"';
    CreateProcessA(nullptr, exe.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    EXPECT_TRUE(WaitFor([&] { return Box(1) != nullptr; })) << "no main window";
  }
  ~Copy() {
    TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  HWND Window(const char* window_class = "VornacleForm") const {
    return TopWindow(process.dwProcessId, window_class);
  }
  HWND Box(int index) const {  // the address box (0) or the name box (1)
    HWND first = FindWindowExA(Window(), nullptr, "Edit", nullptr);
    return index == 0 ? first : FindWindowExA(Window(), first, "Edit", nullptr);
  }
  void Add(const std::string& address, const std::string& name) const {
    SendMessageA(Box(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
    SendMessageA(Box(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(FindWindowExA(Window(), nullptr, "Button", "A&dd to hosts"), BM_CLICK, 0, 0);
  }
  // The message box as "title|prompt|icon", answered with OK; under wine the icon is the first
  // static control and the prompt the second.
  std::string NextBox() const {
    HWND box = nullptr, icon = nullptr, text = nullptr;
    WaitFor([&] {
      icon = FindWindowExA(box = Window("#32770"), nullptr, "Static", nullptr);
      return (text = FindWindowExA(box, icon, "Static", nullptr)) && !Text(text).empty();
    });
    const std::string seen =
        Text(box) + "|" + Text(text) + (SendMessageA(icon, STM_GETICON, 0, 0) ? "|icon" : "|");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(box); });
    return seen;
  }
  std::string ExitCode() const {
    DWORD code = STILL_ACTIVE;
    WaitFor([&] { return GetExitCodeProcess(process.hProcess, &code) && code != STILL_ACTIVE; });
    return std::to_string(code);
  }
  PROCESS_INFORMATION process{};
};

TEST(TwoCopies, AppendingAtTheSameTimeLeaveEveryLineWholeAndEndWithTheExitCodeOfTheQuit) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string hosts = windows + std::string("\\System32\\drivers\\etc\\hosts"),
                    original = ReadBytes(hosts);
  WriteBytes(hosts, "127.0.0.1 localhost\r\n");
  Copy first, second;
  first.Add("", "");
  EXPECT_EQ(first.NextBox(), "Vornacle|You must enter the information first!|");
  for (int i = 0; i < 100; ++i) {
    first.Add("10.0.0." + std::to_string(i), "first.example");
    second.Add("10.0.0." + std::to_string(i), "second.example");
    EXPECT_EQ(first.NextBox() + second.NextBox(),
              "Vornacle|The IP address has been added to your hosts file!|icon"
              "Vornacle|The IP address has been added to your hosts file!|icon");
  }
  std::istringstream lines(ReadBytes(hosts));
  WriteBytes(hosts, original);
  std::string line, seen;
  std::getline(lines, line);
  EXPECT_EQ(line, "127.0.0.1 localhost\r");
  while (std::getline(lines, line)) {
    seen += line.ends_with("  first.example\r")    ? "1"
            : line.ends_with("  second.example\r") ? "2"
                                                   : "[" + line + "]";
  }
  std::ranges::sort(seen);
  EXPECT_EQ(seen, std::string(100, '1') + std::string(100, '2'));
  PostMessageA(first.Window(), WM_CLOSE, 0, 0);
  PostThreadMessageA(second.process.dwThreadId, WM_QUIT, 3, 0);
  EXPECT_EQ(first.ExitCode() + "," + second.ExitCode(), "0,3");
}

// A wsock32.dll of the suite's own beside a copy of the program, with wine told to prefer a
// library from the program's folder as Windows does: the lookup still answers, and it never runs.
TEST(ProgramFolder, ALibraryPlantedBesideTheProgramIsNeverLoaded) {
  const std::string folder = ::testing::TempDir() + "vornacle-planted";
  std::filesystem::create_directories(folder), std::filesystem::remove(folder + "\\wsock32.dll.loaded");
  CopyFileA(VORNACLE_EXE, (folder + "\\vornacle.exe").c_str(), FALSE);
  CopyFileA(PLANTED_DLL, (folder + "\\wsock32.dll").c_str(), FALSE);
  const ScratchKey program{HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\vornacle.exe\\DllOverrides"};
  program.Set("wsock32", REG_SZ, std::string("native,builtin", 15));
  Copy copy(folder + "\\vornacle.exe");
  SendMessageA(copy.Box(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("localhost"));
  PostMessageA(FindWindowExA(copy.Window(), nullptr, "Button", "Get &IP Address"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return Text(copy.Box(0)) == "127.0.0.1"; }));
  EXPECT_FALSE(std::filesystem::exists(folder + "\\wsock32.dll.loaded"));
}

// Wine starts the program whatever these say; Windows would ask for elevation, draw it blurred, give
// it a Windows folder of its own under Remote Desktop, or not start it at all.
TEST(ProgramFile, CarriesWhatWindowsReadsBeforeItStartsTheProgram) {
  const std::string bytes = ReadBytes(VORNACLE_EXE);  // the manifest is plain text among them
  std::string seen;
  for (auto [what, pattern] : {std::pair{"asInvoker", R"(level="asInvoker")"},
                               {"per-monitor", R"(<dpiAwareness [^>]*>PerMonitorV2[,<])"},
                               {"controls-6", R"(Common-Controls" version="6\.0\.0\.0")"},
                               {"version", R"(name="Vornacle" version="\d+\.\d+\.\d+\.\d+")"}}) {
    if (std::regex_search(bytes, std::regex(pattern))) seen += what + std::string(" ");
  }
  std::string record(GetFileVersionInfoSizeA(VORNACLE_EXE, nullptr), '\0');
  GetFileVersionInfoA(VORNACLE_EXE, 0, DWORD(record.size()), record.data());
  for (std::string key : {"FileDescription", "FileVersion", "ProductVersion"}) {
    char* text = nullptr;
    UINT length = 0;
    VerQueryValueA(record.data(), ("\\StringFileInfo\\040904B0\\" + key).c_str(),
                   reinterpret_cast<void**>(&text), &length);
    seen += text + std::string(" ");
  }
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      bytes.data() + reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data())->e_lfanew);
  const WORD marks = IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT |
                     IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE;
  EXPECT_EQ(headers->OptionalHeader.DllCharacteristics & marks, marks)
      << "terminal-server aware, NX, dynamic base";
  EXPECT_EQ(seen, "asInvoker per-monitor controls-6 version Main Executable 1.00 1.00 ");
}

}  // namespace
}  // namespace vornacle::testing
