// The hosts line's bytes and the Windows-directory reader, against a stand-in kernel32.
#include "main_window/hosts_entry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "main_window/Module1.h"

namespace vornacle {
namespace {

TEST(HostsLine, WorkedExampleIsExactlyTwentyBytes) {
  const std::string line = HostsLine("10.0.0.5", "printer1", false);
  const unsigned char expected[] = {0x31, 0x30, 0x2E, 0x30, 0x2E, 0x30, 0x2E, 0x35, 0x20, 0x20,
                                    0x70, 0x72, 0x69, 0x6E, 0x74, 0x65, 0x72, 0x31, 0x0D, 0x0A};
  ASSERT_EQ(line.size(), sizeof expected);
  EXPECT_EQ(std::memcmp(line.data(), expected, sizeof expected), 0);
}

TEST(HostsLine, TextsAreWrittenAsTyped) {
  EXPECT_EQ(HostsLine(" 999.1.2 ", "  my host ", false), " 999.1.2     my host \r\n");
  EXPECT_EQ(HostsLine("10.0.0.5", "h\xE9te", false), "10.0.0.5  h\xE9te\r\n");
}

TEST(HostsLine, StartsWithALineEndOnlyWhenTheFileEndsMidLine) {
  EXPECT_EQ(HostsLine("1.2.3.4", "a", true), "\r\n1.2.3.4  a\r\n");
  EXPECT_EQ(HostsLine("1.2.3.4", "a", false), "1.2.3.4  a\r\n");
}

TEST(HostsLine, TextsThatWouldBreakTheLineDoNotFit) {
  for (const std::string& text :
       {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3), std::string("\r\n")}) {
    EXPECT_FALSE(FitsOnHostsLine(text));
  }
  for (const std::string& text :
       {std::string(""), std::string("  spaced  "), std::string("tab\there"), std::string("caf\xE9")}) {
    EXPECT_TRUE(FitsOnHostsLine(text));
  }
}

class WindowsDirectoryTest : public ::testing::Test {
 protected:
  // Writes `directory` as the platform does: the whole text and a NUL when it fits, else nothing.
  auto Platform(std::string directory, std::uint32_t result_on_success) {
    return Module1::GetWindowsDirectoryA.Replace(
        [=, this](char* buffer, std::uint32_t size) -> std::uint32_t {
          sizes.push_back(size);
          zeroed_on_entry = std::string(buffer, size) == std::string(size, '\0');
          if (directory.size() + 1 > size) return static_cast<std::uint32_t>(directory.size() + 1);
          std::memcpy(buffer, directory.c_str(), directory.size() + 1);
          return result_on_success;
        });
  }
  std::vector<std::uint32_t> sizes;
  bool zeroed_on_entry = false;
};

TEST_F(WindowsDirectoryTest, GivesTheTextBeforeTheFirstNulFromA260ByteBuffer) {
  auto platform = Platform("C:\\WINDOWS", 10);
  EXPECT_EQ(WindowsDirectory(), "C:\\WINDOWS");
  EXPECT_EQ(sizes, std::vector<std::uint32_t>{260});
  EXPECT_TRUE(zeroed_on_entry);
}

TEST_F(WindowsDirectoryTest, A259CharacterDirectoryComesBackWhole) {
  const std::string directory = "C:\\" + std::string(256, 'w');
  auto platform = Platform(directory, 259);
  EXPECT_EQ(WindowsDirectory(), directory);
}

TEST_F(WindowsDirectoryTest, ADirectoryTooLongForTheBufferGivesEmptyText) {
  auto platform = Platform("C:\\" + std::string(300, 'w'), 0);
  EXPECT_EQ(WindowsDirectory(), "");
}

TEST_F(WindowsDirectoryTest, PlatformFailureGivesEmptyText) {
  auto platform = Module1::GetWindowsDirectoryA.Replace([](char* buffer, std::uint32_t) -> std::uint32_t {
    std::memcpy(buffer, "junk", 5);
    return 0;
  });
  EXPECT_EQ(WindowsDirectory(), "");
}

}  // namespace
}  // namespace vornacle
