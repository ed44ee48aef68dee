// "Add to hosts" against real files: through the window, and the append on its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "main_window/Form1.h"
#include "main_window/Module1.h"
#include "main_window/hosts_entry.h"
#include "main_window/hosts_file_win32.h"
#include "runtime/msgbox.h"
#include "support/files.h"
#include "support/ui.h"

namespace vornacle::testing {
namespace {

constexpr char kAdded[] = "The IP address has been added to your hosts file!";
constexpr char kEnterFirst[] = "You must enter the information first!";

// A Windows directory of the test's own, so that the hosts file below it is the test's too.
class AddToHosts : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::ResetProgram();
    form.Show();
    Pump();
    MakeFolders(etc);
  }
  void Add(const std::string& address, const std::string& name) {
    form.SetText(Form1::kText1, address);
    form.SetText(Form1::kText2, name);
    SendMessageA(form.Control(Form1::kCommand5), BM_CLICK, 0, 0);
  }

  ScratchFolder windows;
  std::string etc = windows.path() + "\\System32\\drivers\\etc";
  std::string hosts = etc + "\\hosts";
  Declared<std::uint32_t(char*, std::uint32_t)>::Replacement directory =
      Module1::GetWindowsDirectoryA.Replace([this](char* buffer, std::uint32_t size) -> std::uint32_t {
        std::strncpy(buffer, windows.path().c_str(), size);
        return static_cast<std::uint32_t>(windows.path().size());
      });
  Form1 form;
};

TEST_F(AddToHosts, MissingFileIsCreatedWithTheOneLineAndSuccessIsConfirmed) {
  BoxWatcher watcher;
  Add("10.0.0.5", "printer1");
  EXPECT_EQ(ReadBytes(hosts), "10.0.0.5  printer1\r\n");
  const auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, kAdded);
  EXPECT_EQ(seen[0].title, "Vornacle");
  EXPECT_EQ(seen[0].icon, "information");
  EXPECT_EQ(form.Text(Form1::kText1), "10.0.0.5") << "the boxes are not changed";
}

TEST_F(AddToHosts, TwoAddsAppendTwoIdenticalLinesAndCloseTheFileEachTime) {
  MsgBoxCapture boxes;
  Add("10.0.0.5", "printer1");
  Add("10.0.0.5", "printer1");
  EXPECT_EQ(ReadBytes(hosts), "10.0.0.5  printer1\r\n10.0.0.5  printer1\r\n");
  EXPECT_EQ(boxes.shown().size(), 2u);
  HANDLE exclusive = CreateFileA(hosts.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(exclusive, INVALID_HANDLE_VALUE) << "nobody holds the file open any more";
  CloseHandle(exclusive);
}

TEST_F(AddToHosts, AnEntryNeverMergesWithALastLineThatHasNoLineEnd) {
  struct Case {
    std::string before, after;
  };
  const Case cases[] = {
      {"127.0.0.1 localhost", "127.0.0.1 localhost\r\n1.2.3.4  a\r\n"},
      {"127.0.0.1 localhost\n", "127.0.0.1 localhost\n1.2.3.4  a\r\n"},
      {"127.0.0.1 localhost\r\n", "127.0.0.1 localhost\r\n1.2.3.4  a\r\n"},
      {"", "1.2.3.4  a\r\n"},
  };
  MsgBoxCapture boxes;
  for (const Case& c : cases) {
    WriteBytes(hosts, c.before);
    Add("1.2.3.4", "a");
    EXPECT_EQ(ReadBytes(hosts), c.after) << c.before;
  }
}

TEST_F(AddToHosts, EmptyBoxesAreRefusedBeforeTheFileIsTouched) {
  MsgBoxCapture boxes;
  Add("", "printer1");
  Add("", "");
  Add("10.0.0.5", "");
  EXPECT_EQ(boxes.shown(), (std::vector<ShownBox>(3, {kEnterFirst, kMsgOkOnly, "Vornacle"})));
  EXPECT_FALSE(Exists(hosts));
  Add(" ", " ");
  EXPECT_EQ(ReadBytes(hosts),
            " "
            "  "
            " \r\n")
      << "spaces are not empty";
}

TEST_F(AddToHosts, AMegabyteNameAndForeignCharactersAreWrittenWhole) {
  const std::string huge(1 << 20, 'n');
  MsgBoxCapture boxes;
  Add("10.0.0.5", huge);
  Add("10.0.0.6", "h\xF4te-caf\xE9");
  EXPECT_EQ(ReadBytes(hosts), "10.0.0.5  " + huge + "\r\n10.0.0.6  h\xF4te-caf\xE9\r\n");
  EXPECT_EQ(boxes.shown(), (std::vector<ShownBox>(2, {kAdded, kMsgInformation, "Vornacle"})));
}

TEST_F(AddToHosts, MissingFolderIsReportedWithThePlatformsNumberAndText) {
  RemoveTree(etc);
  BoxWatcher watcher;
  Add("10.0.0.5", "printer1");
  const auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text.rfind("Error! Error # 3:  ", 0), 0u) << seen[0].text;
  EXPECT_GT(seen[0].text.size(), std::strlen("Error! Error # 3:  "));
  EXPECT_NE(seen[0].text.back(), '\n');
  EXPECT_EQ(seen[0].title, "Vornacle");
  EXPECT_EQ(seen[0].icon, "");
  EXPECT_FALSE(Exists(etc));
}

TEST_F(AddToHosts, AFileHeldOpenWithoutSharingIsLeftAsItWasAndWorksAgainLater) {
  WriteBytes(hosts, "127.0.0.1 localhost\r\n");
  HANDLE held = CreateFileA(hosts.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  MsgBoxCapture boxes;
  Add("10.0.0.5", "printer1");
  CloseHandle(held);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].prompt.rfind("Error! Error # 32:  ", 0), 0u) << boxes.shown()[0].prompt;
  EXPECT_EQ(ReadBytes(hosts), "127.0.0.1 localhost\r\n");

  Add("10.0.0.5", "printer1");
  EXPECT_EQ(boxes.shown().back().prompt, kAdded);
  EXPECT_EQ(ReadBytes(hosts), "127.0.0.1 localhost\r\n10.0.0.5  printer1\r\n");
}

TEST_F(AddToHosts, AFolderInThePlaceOfTheFileIsAccessDenied) {
  MakeFolders(hosts);
  MsgBoxCapture boxes;
  Add("10.0.0.5", "printer1");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].prompt.rfind("Error! Error # 5:  ", 0), 0u) << boxes.shown()[0].prompt;
}

TEST(AppendHostsEntry, TextsThatWouldBreakTheLineAreRefusedAsInvalidData) {
  ScratchFolder folder;
  const std::string hosts = folder.path() + "\\hosts";
  WriteBytes(hosts, "127.0.0.1 localhost\r\n");
  for (const auto& [address, name] : {std::pair<std::string, std::string>{"10.0.0.5\r\n6.6.6.6", "evil"},
                                      {"10.0.0.5", "printer1\nevil"},
                                      {"10.0.0.5", std::string("printer1\0evil", 13)}}) {
    try {
      AppendHostsEntry(hosts, address, name);
      ADD_FAILURE() << "accepted " << name;
    } catch (const RuntimeFailure& failure) {
      EXPECT_EQ(failure.number, 13);
      EXPECT_FALSE(failure.description.empty());
    }
  }
  EXPECT_EQ(ReadBytes(hosts), "127.0.0.1 localhost\r\n");
}

TEST(GetWinPath, IsTheRealWindowsDirectoryAndItsHostsFileIsTheOneTheSystemReads) {
  Form1 form;
  const std::string directory = form.GetWinPath();
  char expected[MAX_PATH] = {};
  GetWindowsDirectoryA(expected, MAX_PATH);
  EXPECT_EQ(directory, expected);
  EXPECT_TRUE(Exists(directory + kHostsFileBelowWindows));
}

TEST(GetWinPath, PlatformFailureMakesTheFileRootRelative) {
  auto failing =
      Module1::GetWindowsDirectoryA.Replace([](char*, std::uint32_t) -> std::uint32_t { return 0; });
  char drive_root[MAX_PATH];
  GetFullPathNameA("\\", MAX_PATH, drive_root, nullptr);
  const std::string etc = std::string(drive_root) + "System32\\drivers\\etc";
  MakeFolders(etc);

  forms::ResetProgram();
  Form1 form;
  form.Show();
  EXPECT_EQ(form.GetWinPath(), "");
  form.SetText(Form1::kText1, "10.0.0.5");
  form.SetText(Form1::kText2, "printer1");
  MsgBoxCapture boxes;
  SendMessageA(form.Control(Form1::kCommand5), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadBytes(etc + "\\hosts"), "10.0.0.5  printer1\r\n");
  RemoveTree(std::string(drive_root) + "System32");
}

}  // namespace
}  // namespace vornacle::testing
