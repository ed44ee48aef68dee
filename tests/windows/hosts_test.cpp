// "Add to hosts" against real files, through the window: a Windows folder of the test's own stands
// in for the system's, so that the hosts file below it is the test's too.
#include <cstring>
#include <filesystem>

#include "main_window/Module1.h"
#include "main_window/hosts_file_win32.h"
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

using AddToHosts = Program;

// The box of a failure, in the system's words and language, as FormatMessage gives them.
std::string ErrorBox(DWORD error) {
  char text[256] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 256,
                 nullptr);
  return "0|Error! Error # " + std::to_string(error) + ":  " + std::string(text, std::strcspn(text, "\r\n"));
}

// A name longer than 64 KB, more than any 16-bit length could hold.
const std::string kAdded = "64|The IP address has been added to your hosts file!", kLong(70'000, 'n');

TEST_F(AddToHosts, AppendsOneWholeLineOrSaysWhyNot) {
  const std::string windows = ::testing::TempDir() + "vornacle-windows",
                    etc = windows + "\\System32\\drivers\\etc", hosts = etc + "\\hosts";
  const auto directory = Module1::GetWindowsDirectoryA.Replace([&](char* buffer, std::uint32_t size) {
    return static_cast<std::uint32_t>(std::strlen(std::strncpy(buffer, windows.c_str(), size)));
  });
  const auto add = [&](const std::wstring& address, const std::wstring& name) {  // the box, "flags|prompt"
    SetWindowTextW(main.Control(Form1::kText1), address.c_str()),
        SetWindowTextW(main.Control(Form1::kText2), name.c_str());
    MsgBoxCapture boxes;
    Click(main.Control(Form1::kCommand5));
    const bool one = boxes.shown().size() == 1 && boxes.shown()[0].title == "Vornacle";
    return one ? std::to_string(boxes.shown()[0].flags) + "|" + boxes.shown()[0].prompt : "?";
  };
  struct Row {
    std::string before;  // "<none>": no file; "<folder>": a folder instead
    std::wstring address, name;
    std::string after, box;
  } rows[] = {
      {"<none>", L"10.0.0.5", L"printer1", "10.0.0.5  printer1\r\n", kAdded},
      {"127.0.0.1 localhost", L"1.2.3.4", L"a", "127.0.0.1 localhost\r\n1.2.3.4  a\r\n", kAdded},
      {"127.0.0.1 localhost\n", L"1.2.3.4", L"a", "127.0.0.1 localhost\n1.2.3.4  a\r\n", kAdded},
      {"", L"10.0.0.6", L"h\u00F4te" + std::wstring(kLong.size(), L'n'), "10.0.0.6  h\xF4te" + kLong + "\r\n",
       kAdded},
      {"x", L"10.0.0.5", L"", "x", "0|You must enter the information first!"},
      {"x", L"10.0.0.5\r\n6.6.6.6", L"evil", "x", ErrorBox(ERROR_INVALID_DATA)},
      {"x", L"10.0.0.5", L"evil\n6.6.6.6 x", "x", ErrorBox(ERROR_INVALID_DATA)},
      {"<folder>", L"10.0.0.5", L"printer1", "<folder>", ErrorBox(ERROR_ACCESS_DENIED)},
      // What the code page has no character for, or only a look-alike (full-width letters), is
      // never written in a changed form. The \xF4 above is one of the Western code page's own.
      {"x", L"10.0.0.9", L"\u4F8B.example", "x", ErrorBox(ERROR_NO_UNICODE_TRANSLATION)},
      {"x", L"10.0.0.9", L"\uFF45\uFF58\uFF41\uFF4D\uFF50\uFF4C\uFF45.test", "x",
       ErrorBox(ERROR_NO_UNICODE_TRANSLATION)},
  };
  ASSERT_EQ(GetACP(), 1252u) << "the Western code page";
  for (const Row& row : rows) {
    std::filesystem::remove_all(hosts);
    std::filesystem::create_directories(row.before == "<folder>" ? hosts : etc);
    if (row.before[0] != '<') WriteBytes(hosts, row.before);
    EXPECT_EQ(add(row.address, row.name), row.box);
    EXPECT_EQ(!std::filesystem::exists(hosts)        ? "<none>"
              : std::filesystem::is_directory(hosts) ? "<folder>"
                                                     : ReadBytes(hosts),
              row.after);
  }
}

// The file is closed after every append, also after a failure once it was open: the process holds
// the same file handles as before. Wine only: its Z:\dev\full opens and then refuses the lock.
TEST(HostsFile, IsClosedAfterEveryAppendWhetherItWasWrittenOrNot) {
  const auto files = [] {  // the values of the process's file handles, which are multiples of 4
    std::vector<std::uintptr_t> open;
    for (std::uintptr_t value = 4; value < 0x4000; value += 4)
      if (GetFileType(reinterpret_cast<HANDLE>(value)) != FILE_TYPE_UNKNOWN) open.push_back(value);
    return open;
  };
  const auto before = files();
  AppendHostsEntry(::testing::TempDir() + "vornacle-closed-hosts", "10.0.0.5", "printer1");
  EXPECT_EQ(files(), before) << "after a line was written";
  EXPECT_THROW(AppendHostsEntry("Z:\\dev\\full", "10.0.0.5", "printer1"), RuntimeFailure);
  EXPECT_EQ(files(), before) << "after the lock was refused";
}

}  // namespace
}  // namespace vornacle::testing
