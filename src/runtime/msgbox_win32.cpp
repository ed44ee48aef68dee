// The platform's modal message box where no window is there to own it; every window of the thread
// waits for it.
#include <windows.h>

#include "runtime/msgbox.h"

namespace vornacle {

void ShowPlatformMessageBox(const std::string& prompt, int flags, const std::string& title) {
  MessageBoxA(nullptr, prompt.c_str(), title.c_str(), static_cast<UINT>(flags) | MB_OK | MB_TASKMODAL);
}

}  // namespace vornacle
