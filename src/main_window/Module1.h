// The platform function the main window declares for itself.
#pragma once

#include <cstdint>

#include "runtime/declared.h"

namespace vornacle::Module1 {
inline Declared<std::uint32_t(char*, std::uint32_t)> GetWindowsDirectoryA{"kernel32", "GetWindowsDirectoryA"};
}  // namespace vornacle::Module1
