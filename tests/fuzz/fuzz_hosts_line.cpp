// Feeds the hosts line any pair of box texts: what fits makes exactly one line, and nothing else
// ever reaches the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "main_window/hosts_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vornacle;
  if (size == 0) return 0;
  const bool mid_line = data[0] & 1;
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = rest.find('\xFF');
  const std::string address = rest.substr(0, split);
  const std::string name = split == std::string::npos ? std::string() : rest.substr(split + 1);
  if (!FitsOnHostsLine(address) || !FitsOnHostsLine(name)) return 0;

  const std::string line = HostsLine(address, name, mid_line);
  const std::string body = mid_line ? line.substr(2) : line;
  if (mid_line && line.compare(0, 2, "\r\n") != 0) __builtin_trap();
  if (body != address + "  " + name + "\r\n") __builtin_trap();
  if (body.find_first_of(std::string("\r\n\0", 3)) != body.size() - 2) __builtin_trap();
  return 0;
}
