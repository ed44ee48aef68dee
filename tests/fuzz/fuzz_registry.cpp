// Feeds GetKeyValue registry values of any type, length and content.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "about/registry.h"
#include "runtime/failure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vornacle;
  if (size < 2) return 0;
  const std::uint32_t type = data[0] % 8;
  const std::size_t prefix = data[1] % 8;
  const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  std::string key_val = bytes.substr(0, std::min(prefix, bytes.size()));

  auto open =
      advapi32::RegOpenKeyExA.Replace([](void*, const char*, std::uint32_t, std::uint32_t, void** key) {
        *key = reinterpret_cast<void*>(0x10);
        return 0;
      });
  auto query =
      advapi32::RegQueryValueExA.Replace([&](void*, const char*, std::uint32_t*, std::uint32_t* value_type,
                                             unsigned char* buffer, std::uint32_t* length) {
        if (bytes.size() > *length) return 234;
        std::memcpy(buffer, bytes.data(), bytes.size());
        *value_type = type;
        *length = static_cast<std::uint32_t>(bytes.size());
        return 0;
      });
  int closes = 0;
  auto close = advapi32::RegCloseKey.Replace([&](void*) { return ++closes, 0; });

  try {
    const bool read = GetKeyValue(kHkeyLocalMachine, "K", "V", key_val);
    if (read != (bytes.size() <= kValueBufferSize)) __builtin_trap();
    // At most two hexadecimal digits a byte, behind "&h" and the text KeyVal came with.
    if (key_val.size() > 2 + prefix + 2 * bytes.size()) __builtin_trap();
  } catch (const RuntimeFailure& failure) {
    if (failure.number != kErrInvalidCall || !bytes.empty()) __builtin_trap();
  }
  if (closes != 1) __builtin_trap();
  return 0;
}
