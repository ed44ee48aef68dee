// Reads one registry value as text: GetKeyValue, over the three advapi32 functions it declares.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/declared.h"

namespace vornacle {

namespace advapi32 {
inline Declared<std::int32_t(void*, const char*, std::uint32_t, std::uint32_t, void**)> RegOpenKeyExA{
    "advapi32", "RegOpenKeyExA"};
inline Declared<std::int32_t(void*, const char*, std::uint32_t*, std::uint32_t*, unsigned char*,
                             std::uint32_t*)>
    RegQueryValueExA{"advapi32", "RegQueryValueExA"};
inline Declared<std::int32_t(void*)> RegCloseKey{"advapi32", "RegCloseKey"};
}  // namespace advapi32

inline constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
// Read access only: asking for write rights as well would refuse every account that may only read.
inline constexpr std::uint32_t kKeyRead = 0x20019;
// Added to it by a 32-bit program on 64-bit Windows for the 64-bit view of the registry.
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kValueBufferSize = 1024;

// True when the key opened and the value was read. REG_SZ replaces KeyVal; REG_DWORD appends its
// bytes in hexadecimal, last byte first, and puts "&h" in front; other types leave KeyVal alone.
// False, with KeyVal emptied, when the key or the value cannot be read. A value of zero length
// raises failure 5 to the caller. `view` is added to the access mask: 0, or kKeyWow64_64Key.
bool GetKeyValue(std::int32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal, std::uint32_t view = 0);

}  // namespace vornacle
