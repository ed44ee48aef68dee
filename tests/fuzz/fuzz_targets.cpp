// libFuzzer targets for the portable byte handling, one per build (FUZZ_RESOLVER, FUZZ_REGISTRY or
// FUZZ_HOSTS_LINE): host records, registry values and box texts of any shape.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/platform.h"
#include "main_window/hosts_entry.h"
#include "runtime/failure.h"

using namespace vornacle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint8_t flags = data[0];
  const std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  testing::Transcript log;
#if defined(FUZZ_RESOLVER)
  // Each address holds exactly the bytes that the record claims, as the platform's do.
  const auto length = static_cast<std::int16_t>(data[1] | data[2] << 8);
  std::string address = rest.substr(0, 4);
  address.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  testing::FakeHost host{std::vector<std::string>(data[3] % 4, address), length,
                         flags & 8 ? nullptr : rest.c_str(), (flags & 16) != 0};
  testing::FakeWsock32 platform(log, flags & 4 ? std::nullopt : std::optional(host), flags & 1 ? 10091 : 0,
                                flags & 2 ? -1 : 0);
  const std::string answer = clsResolve().GetIPFromHostName(rest);
  if (answer.size() > 15) __builtin_trap();
  clsResolve().GetHostNameFromIP(flags & 32 ? answer : rest);
#elif defined(FUZZ_REGISTRY)
  testing::FakeRegistry registry{log, true, testing::RegistryValue{flags % 8u, rest}};
  std::string key_val(reinterpret_cast<const char*>(data) + 1, data[1] % 3);
  try {
    if (GetKeyValue(kHkeyLocalMachine, "K", "V", key_val) != (rest.size() <= 1024)) __builtin_trap();
    // At most two hexadecimal digits a byte, behind "&h" and the text KeyVal came with.
    if (key_val.size() > 2 + 2 + 2 * rest.size()) __builtin_trap();
  } catch (const RuntimeFailure& failure) {
    if (failure.number != kErrInvalidCall || !rest.empty()) __builtin_trap();
  }
  if (log.text.find("close(") == std::string::npos || log.text.find("close(") != log.text.rfind("close(")) {
    __builtin_trap();
  }
#elif defined(FUZZ_HOSTS_LINE)
  const std::string address = rest.substr(0, data[1]), name = rest.substr(address.size());
  if (!FitsOnHostsLine(address) || !FitsOnHostsLine(name)) return 0;
  const std::string line = HostsLine(address, name, flags & 1);
  if (line != (flags & 1 ? "\r\n" : "") + address + "  " + name + "\r\n") __builtin_trap();
  if (line.find_first_of(std::string("\r\n\0", 3), flags & 1 ? 2 : 0) != line.size() - 2) __builtin_trap();
#endif
  return 0;
}
