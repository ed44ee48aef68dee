// The texts that the hosts line refuses, and the Windows directory read over a stand-in kernel32.
#include "main_window/hosts_entry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "main_window/Module1.h"

namespace vornacle {
namespace {

using std::string_literals::operator""s;

TEST(HostsLine, RefusesATextThatWouldEndOrSplitTheLine) {
  for (auto [text, fits] : {std::pair{"a\rb"s, false}, {"a\nb"s, false}, {"a\0b"s, false}, {" t\t "s, true}})
    EXPECT_EQ(FitsOnHostsLine(text), fits) << text;
}

TEST(WindowsDirectory, IsTheTextBeforeTheFirstNulOfA260ByteBufferThatWasZero) {
  const std::string longest = "C:\\" + std::string(256, 'w'), too_long = longest + "w";
  // The platform writes the text when it fits, and returns its length, the size needed, or 0.
  for (auto [directory, result, expected] :
       {std::tuple{longest, 259u, longest}, {too_long, 261u, ""s}, {"junk"s, 0u, ""s}}) {
    auto platform = Module1::GetWindowsDirectoryA.Replace([&](char* buffer, std::uint32_t size) {
      EXPECT_EQ(std::string(buffer, size), std::string(260, '\0'));
      if (directory.size() < size) std::memcpy(buffer, directory.c_str(), directory.size() + 1);
      return result;
    });
    EXPECT_EQ(WindowsDirectory(), expected);
  }
}

}  // namespace
}  // namespace vornacle
