// The link procedures against a stand-in shell: the request's six arguments, and their failures.
#include <gtest/gtest.h>

#include "about/Module2.h"
#include "runtime/failure.h"
#include "runtime/msgbox.h"

namespace vornacle {
namespace {

struct Request {
  void* owner;
  bool null_verb;
  std::string file;
  bool null_parameters;
  std::string directory;
  int show;
};

class ShellRecorder {
 public:
  std::vector<Request> requests;
  void* answer = reinterpret_cast<void*>(2);  // "file not found": must be ignored

 private:
  Declared<void*(void*, const char*, const char*, const char*, const char*, int)>::Replacement fake_ =
      shell32::ShellExecuteA.Replace([this](void* owner, const char* verb, const char* file,
                                            const char* parameters, const char* directory, int show) {
        requests.push_back({owner, verb == nullptr, file, parameters == nullptr, directory, show});
        return answer;
      });
};

TEST(Links, HomePageAndMailMessageAreHandedToTheShellExactly) {
  ShellRecorder shell;
  MsgBoxCapture boxes;
  Module2::OpenHomePage();
  Module2::OpenMailMessage();
  ASSERT_EQ(shell.requests.size(), 2u);
  for (const Request& r : shell.requests) {
    EXPECT_EQ(r.owner, nullptr);
    EXPECT_TRUE(r.null_verb);
    EXPECT_TRUE(r.null_parameters);
    EXPECT_EQ(r.directory, "C:\\");
    EXPECT_EQ(r.show, 1);
  }
  EXPECT_EQ(shell.requests[0].file, "http://www.vornacle.test");
  EXPECT_EQ(shell.requests[1].file, "mailto:support@vornacle.test?subject=Vornacle");
  EXPECT_TRUE(boxes.shown().empty()) << "the shell's answer is not looked at";
}

TEST(Links, AShellThatCannotBeBoundIsReportedWithTheFailureInTheTitle) {
  // No stand-in: natively nothing binds, as if shell32.dll were missing.
  MsgBoxCapture boxes;
  Module2::OpenHomePage();
  Module2::OpenMailMessage();
  EXPECT_EQ(
      boxes.shown(),
      (std::vector<ShownBox>{
          {"Error! You may not have a default web browser.  Manually go to http://www.vornacle.test", 0,
           "Error # 53: File not found: shell32.dll"},
          {"Error! You may not have a default mail program.  Send mail manually to support@vornacle.test", 0,
           "Error # 53: File not found: shell32.dll"}}));
}

TEST(Links, ANegativeErrorNumberKeepsItsSign) {
  auto failing = shell32::ShellExecuteA.Replace(
      [](void*, const char*, const char*, const char*, const char*, int) -> void* {
        throw RuntimeFailure{-2147024882, "Not enough storage is available to complete this operation."};
      });
  MsgBoxCapture boxes;
  Module2::OpenMailMessage();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title,
            "Error # -2147024882: Not enough storage is available to complete this operation.");
}

TEST(Links, AFailureWhileReportingLeavesTheProcedure) {
  auto failing = shell32::ShellExecuteA.Replace([](void*, const char*, const char*, const char*, const char*,
                                                   int) -> void* { throw std::bad_alloc(); });
  MsgBoxCapture boxes;
  boxes.on_show = [](const ShownBox&) { throw RuntimeFailure{kErrOutOfMemory, "Out of memory"}; };
  for (auto open : {&Module2::OpenHomePage, &Module2::OpenMailMessage}) {
    try {
      open();
      ADD_FAILURE() << "the failure did not leave the procedure";
    } catch (const RuntimeFailure& failure) {
      EXPECT_EQ(failure.number, 7);
    }
  }
}

}  // namespace
}  // namespace vornacle
