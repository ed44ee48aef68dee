// A hosts file the user may not write, as a user without rights meets it (run as an unprivileged
// account: root's wine writes read-only files anyway).
#include <gtest/gtest.h>
#include <windows.h>

#include "main_window/hosts_file_win32.h"
#include "runtime/failure.h"
#include "support/files.h"

namespace vornacle::testing {
namespace {

TEST(ReadOnlyHosts, IsRefusedWithAccessDeniedAndKeepsEveryByte) {
  ScratchFolder folder;
  const std::string hosts = folder.path() + "\\hosts";
  WriteBytes(hosts, "127.0.0.1 localhost");
  ASSERT_TRUE(SetFileAttributesA(hosts.c_str(), FILE_ATTRIBUTE_READONLY));
  try {
    AppendHostsEntry(hosts, "10.0.0.5", "printer1");
    ADD_FAILURE() << "a read-only file was written";
  } catch (const RuntimeFailure& failure) {
    EXPECT_EQ(failure.number, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(failure.description.empty());
  }
  EXPECT_EQ(ReadBytes(hosts), "127.0.0.1 localhost");
}

}  // namespace
}  // namespace vornacle::testing
