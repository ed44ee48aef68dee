// Holds the main window's one declared function to the platform's own prototype.
#include <windows.h>

#include "main_window/Module1.h"

namespace vornacle {

static_assert(kSameShape<decltype(Module1::GetWindowsDirectoryA), decltype(&::GetWindowsDirectoryA)>);

}  // namespace vornacle
