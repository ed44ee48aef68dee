// The About window's commands: the link labels, and System Info over the real registry and real
// programs.
#include <windows.h>

#include <filesystem>

#include "about/Module2.h"
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

// Each link label hands its address to the shell, once for a double-click. Where even the report of a failure
// fails, the mail label's own guard reports it; the home page's handler has none, so the program's one report
// does.
TEST_F(Program, TheLinkLabelsOpenTheirAddressesAndReportFailuresTheirOwnWay) {
  Click(main.Control(Form1::kCommand4));
  MsgBoxCapture boxes;
  std::string opened;
  // Under wine every program is elevated with a split token: the requests go to the desktop's shell.
  auto shell = Module2::OpenFromDesktop.Replace([&](const char* file, auto...) {
    throw RuntimeFailure{53, opened += file + std::string(" ")};
  });
  boxes.on_show = [](const ShownBox& box) {
    if (box.title.starts_with("Error # 53")) throw RuntimeFailure{-5, "Failed"};
  };
  // A real double-click on the mail label, then on the home page's: one click each. The Tab after
  // them moves the focus only once both are handled.
  ASSERT_TRUE(SetWindowPos(about.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE));  // wholly on the screen
  for (POINT p : {POINT{150, 220}, POINT{150, 196}}) MouseClick(about.hwnd(), 2, p);
  PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == about.Control(Form2::kCmdSysInfo); }));
  ASSERT_EQ(boxes.shown().size(), 4u) << opened;
  EXPECT_EQ(boxes.shown()[1],
            (ShownBox{"Error! You may not have a default mail program.  Send mail manually to "
                      "support@vornacle.test",
                      kMsgOkOnly, "Error # -5: Failed"}));
  EXPECT_EQ(boxes.shown()[3], (ShownBox{"Run-time error '-5':\n\nFailed", kMsgCritical, "Vornacle"}));
  EXPECT_EQ(opened, "mailto:support@vornacle.test?subject=Vornacle http://www.vornacle.test ");
}

// The platform's parts of an elevated program's link: the request runs in the desktop's shell, wine's
// explorer, which answers every step of the way (scripts/windows-session makes sure of that) and is
// let bring what it starts to the front; the recorder logs who started it. Wine lets every process take
// the foreground: only the process handed on can be shown.
TEST_F(Program, TheDesktopsShellMakesTheRequestOfAnElevatedProgram) {
  std::string allowed;
  auto allow = user32::AllowSetForegroundWindow.Replace(
      [&](unsigned long process) { return allowed += std::to_string(process), TRUE; });
  std::filesystem::remove(RECORD_RUN ".log");
  Module2::OpenFromDesktop(RECORD_RUN, "C:\\", SW_SHOWNORMAL);
  ASSERT_TRUE(PumpUntil([] { return ReadBytes(RECORD_RUN ".log").ends_with('\n'); }));
  EXPECT_EQ(ReadBytes(RECORD_RUN ".log"), "\"" RECORD_RUN "\" by explorer.exe " + allowed + "\n");
}

// Recorders stand at the registered paths, in the registered folder, and where an unquoted path with
// spaces would start a program instead; each logs its command line to "<its path>.log". The tool of
// a 64-bit Windows is registered in the registry's 64-bit view and lies in its real System32, which a
// 32-bit program sees only when it asks for them.
TEST_F(Program, SystemInfoStartsTheRegisteredToolAndOnlyItOrSaysItIsUnavailable) {
  const std::string folder = ::testing::TempDir() + "vornacle-sysinfo";
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string path = folder + "\\path.exe", tool = folder + "\\MSINFO32.EXE",
                    spaced = "C:\\Program Files\\Vornacle Test\\msinfo32.exe",
                    system = windows + std::string("\\System32\\vornacle-test"),
                    in_system = system + "\\msinfo32.exe";
  const std::string programs[] = {path, tool, spaced, "C:\\Program.exe", in_system};
  const std::string by = " by win_about_test.exe " + std::to_string(GetCurrentProcessId()) + "\n";
  // A 32-bit test reaches the real System32 only with its redirection off.
  const auto unredirected = [](const std::function<void()>& files) {
    PVOID redirection = nullptr;
    Wow64DisableWow64FsRedirection(&redirection), files(), Wow64RevertWow64FsRedirection(redirection);
  };
  const char kMsinfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
             kLocation[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
  struct Row {
    std::string path_value, folder_value;  // "": none
    REGSAM view;                           // where both are registered
    char tool;                             // in the registered folder: 'f'ile, 'h'idden file or '-' none
    std::string runs;                      // the command lines logged; "": the unavailable message
  } rows[] = {
      {path, folder, 0, 'f', '"' + path + '"' + by},  // the PATH value, not the folder
      {"", folder, 0, 'f', '"' + tool + '"' + by},
      {spaced, "", 0, 'f', '"' + spaced + '"' + by},
      {spaced + " /report", "", 0, '-', '"' + spaced + "\" /report" + by},
      {"\"" + spaced + "\" /report", "", 0, '-', '"' + spaced + "\" /report" + by},
      {"C:\\Program Files\\Vornacle Tool\\msinfo32.exe", "", 0, '-', ""},  // not C:\Program.exe
      {"", folder, 0, 'h', ""},
      {folder + "\\missing.exe", folder, 0, 'f', ""},  // no folder after a PATH value
      {in_system, "", KEY_WOW64_64KEY, '-', '"' + in_system + '"' + by},
      {"", system, KEY_WOW64_64KEY, '-', '"' + system + "\\MSINFO32.EXE\"" + by},
  };
  Click(main.Control(Form1::kCommand4));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path_value + "|" + row.folder_value);
    // Both views empty, and the row's values in one of them.
    const ScratchKey others[] = {{HKEY_LOCAL_MACHINE, kMsinfo, row.view ^ KEY_WOW64_64KEY},
                                 {HKEY_LOCAL_MACHINE, kLocation, row.view ^ KEY_WOW64_64KEY}},
                     msinfo{HKEY_LOCAL_MACHINE, kMsinfo, row.view},
                     location{HKEY_LOCAL_MACHINE, kLocation, row.view};
    if (!row.path_value.empty()) msinfo.Set("PATH", REG_SZ, row.path_value + '\0');
    if (!row.folder_value.empty()) location.Set("MSINFO", REG_SZ, row.folder_value + '\0');
    // A recorder stays where it is from row to row: one that a row started may still be ending in the
    // next, and its file cannot be replaced until it has.
    unredirected([&] {
      for (const std::string& program : programs) {
        std::filesystem::remove(program + ".log");
        std::filesystem::create_directories(std::filesystem::path(program).parent_path());
        if (program == tool && row.tool == '-') {
          std::filesystem::remove(program);
        } else if (!std::filesystem::exists(program)) {
          std::filesystem::copy(RECORD_RUN, program);
        }
      }
      SetFileAttributesA(tool.c_str(), row.tool == 'h' ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
    });
    MsgBoxCapture boxes;
    Click(about.Control(Form2::kCmdSysInfo));
    const auto logged = [&] {
      std::string runs;
      unredirected([&] {
        for (const std::string& program : programs) runs += ReadBytes(program + ".log");
      });
      return runs;
    };
    PumpUntil([&] { return !logged().empty() || row.runs.empty(); });
    std::string runs = logged();
    for (const ShownBox& box : boxes.shown())
      runs += box.title + "|" + std::to_string(box.flags) + "|" + box.prompt;
    EXPECT_EQ(runs,
              row.runs.empty() ? "Vornacle|0|System Information Is Unavailable At This Time" : row.runs);
  }
  std::error_code kept;  // a recorder still ending keeps its file; a later run uses it again
  unredirected([&] {
    for (const std::string& program : programs)
      std::filesystem::remove(program, kept), std::filesystem::remove(program + ".log", kept);
    std::filesystem::remove(system, kept), std::filesystem::remove("C:\\Program Files\\Vornacle Test", kept);
  });
}

}  // namespace
}  // namespace vornacle::testing
