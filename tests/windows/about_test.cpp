// The About window's commands: a failure while a link's failure is reported, and System Info over
// the real registry and real programs.
#include <filesystem>

#include "about/Module2.h"
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

using std::string_literals::operator""s;

class About : public Program {
 protected:
  void SetUp() override {
    Program::SetUp();
    Click(main.Control(Form1::kCommand4));
  }
  void ClickLabel(POINT p) {
    SendMessageA(about.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(about.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  static constexpr POINT kHome{150, 196}, kMail{150, 220};  // in the two link labels
};

TEST_F(About, AFailureWhileReportingALinkFailureIsTheMailLabelsOwnButLeavesTheHomePageLabel) {
  MsgBoxCapture boxes;
  auto failing = shell32::ShellExecuteA.Replace([](auto...) -> void* {
    throw RuntimeFailure{53, "No shell"};
  });
  boxes.on_show = [&](const ShownBox& box) {
    if (box.prompt.starts_with("Error! You") && box.title == "Error # 53: No shell")
      throw RuntimeFailure{-5, "Failed"};
  };
  ClickLabel(kMail);
  ClickLabel(kHome);  // no guard: the program's one report of a failure that leaves a handler
  ASSERT_EQ(boxes.shown().size(), 4u);
  EXPECT_EQ(boxes.shown()[1],
            (ShownBox{"Error! You may not have a default mail program.  Send mail manually to "
                      "support@vornacle.test",
                      kMsgOkOnly, "Error # -5: Failed"}));
  EXPECT_EQ(boxes.shown()[3], (ShownBox{"Run-time error '-5':\n\nFailed", kMsgCritical, "Vornacle"}));
  EXPECT_TRUE(about.IsLoaded());
}

// Recorders stand at the registered path, in the registered folder, and where an unquoted path with
// spaces would start a program instead; each logs its command line to "<its path>.log".
TEST_F(About, SystemInfoStartsTheRegisteredToolAndOnlyItOrSaysItIsUnavailable) {
  ScratchFolder folder;
  const std::string path = folder.path + "\\path.exe", tool = folder.path + "\\MSINFO32.EXE",
                    spaced = "C:\\Program Files\\Vornacle Test\\msinfo32.exe";
  const std::string programs[] = {path, tool, spaced, "C:\\Program.exe"};
  const ScratchKey msinfo{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"},
      location{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location"};
  location.Set("MSINFO", REG_SZ, folder.path + '\0');
  struct Row {
    std::string path_value;  // "": none
    DWORD path_type;
    char tool;         // in the registered folder: 'f'ile, 'h'idden file or '-' none
    std::string runs;  // the command lines logged, or the message box
  } rows[] = {
      {path, REG_SZ, 'f', '"' + path + "\"\n"},  // the PATH value, not the folder
      {"", REG_SZ, 'f', '"' + tool + "\"\n"},
      {spaced, REG_SZ, 'f', '"' + spaced + "\"\n"},
      {path + " /report", REG_SZ, '-', path + " /report\n"},  // not a file: a command line
      {"", REG_SZ, '-', ""},
      {"", REG_SZ, 'h', ""},
      {folder.path + "\\missing.exe", REG_SZ, 'f', ""},  // no existence test, no folder
      {path, REG_EXPAND_SZ, 'f', ""},                    // read as nothing
  };
  for (const Row& row : rows) {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, msinfo.key.c_str(), "PATH");
    if (!row.path_value.empty()) msinfo.Set("PATH", row.path_type, row.path_value + '\0');
    for (const std::string& program : programs) {
      std::filesystem::remove_all(program);
      std::filesystem::remove(program + ".log");
      std::filesystem::create_directories(std::filesystem::path(program).parent_path());
      if (program != tool || row.tool == 'f' || row.tool == 'h')
        std::filesystem::copy(WindowsPath(RECORD_RUN), program);
    }
    if (row.tool == 'h') SetFileAttributesA(tool.c_str(), FILE_ATTRIBUTE_HIDDEN);
    MsgBoxCapture boxes;
    Click(about.Control(Form2::kCmdSysInfo));
    std::string runs;
    PumpUntil([&] {
      runs.clear();
      for (const std::string& program : programs) runs += ReadBytes(program + ".log");
      return !runs.empty() || row.runs.empty();
    });
    for (const ShownBox& box : boxes.shown())
      runs += box.title + "|" + std::to_string(box.flags) + "|" + box.prompt;
    EXPECT_EQ(runs,
              row.runs.empty() ? "Vornacle|0|System Information Is Unavailable At This Time" : row.runs);
  }
  for (const std::string& program : programs)
    std::filesystem::remove_all(program), std::filesystem::remove(program + ".log");
  std::filesystem::remove("C:\\Program Files\\Vornacle Test");
}

}  // namespace
}  // namespace vornacle::testing
