#include "about/registry.h"

#include <array>
#include <cstdint>

#include "runtime/failure.h"

namespace vornacle {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string HexWithoutLeadingZero(unsigned char byte) {
  std::string digits;
  if (byte >= 16) digits += kHexDigits[byte / 16];
  digits += kHexDigits[byte % 16];
  return digits;
}

}  // namespace

bool GetKeyValue(std::int32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal, std::uint32_t view) {
  // Predefined roots are sign-extended handle values on 64-bit systems.
  void* root = reinterpret_cast<void*>(static_cast<std::intptr_t>(KeyRoot));
  void* key = nullptr;
  bool result = false;
  if (advapi32::RegOpenKeyExA(root, KeyName.c_str(), 0, kKeyRead | view, &key) != 0) {
    KeyVal.clear();
  } else {
    std::array<unsigned char, kValueBufferSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = kValueBufferSize;
    if (advapi32::RegQueryValueExA(key, SubKeyRef.c_str(), nullptr, &type, buffer.data(), &size) != 0 ||
        size > kValueBufferSize) {
      KeyVal.clear();
    } else {
      if (size == 0) {
        advapi32::RegCloseKey(key);
        throw RuntimeFailure{kErrInvalidCall, "Invalid procedure call or argument"};
      }
      // One terminator is trimmed: only the last byte of the data is looked at.
      const std::size_t length = buffer[size - 1] == 0 ? size - 1 : size;
      const std::string text(reinterpret_cast<const char*>(buffer.data()), length);
      if (type == kRegSz) {
        KeyVal = text;
      } else if (type == kRegDword) {
        for (auto byte = text.rbegin(); byte != text.rend(); ++byte) {
          KeyVal += HexWithoutLeadingZero(static_cast<unsigned char>(*byte));
        }
        KeyVal = "&h" + KeyVal;
      }
      result = true;
    }
  }
  advapi32::RegCloseKey(key);
  return result;
}

}  // namespace vornacle
