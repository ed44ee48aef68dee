// The portable half of the hosts-file entry; the file itself is written by hosts_file_win32.cpp.
#include "main_window/hosts_entry.h"

#include "main_window/Module1.h"

namespace vornacle {

namespace {
constexpr std::uint32_t kWindowsDirectoryBuffer = 260;
}

std::string WindowsDirectory() {
  std::string buffer(kWindowsDirectoryBuffer, '\0');
  if (Module1::GetWindowsDirectoryA(buffer.data(), kWindowsDirectoryBuffer) == 0) return {};
  // A directory too long for the buffer leaves it untouched: the text before its first NUL is empty.
  return buffer.substr(0, buffer.find('\0'));
}

bool FitsOnHostsLine(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

std::string HostsLine(const std::string& address, const std::string& name, bool file_ends_mid_line) {
  std::string line;
  line.reserve(address.size() + name.size() + 6);
  if (file_ends_mid_line) line += "\r\n";
  line += address;
  line += "  ";
  line += name;
  line += "\r\n";
  return line;
}

}  // namespace vornacle
