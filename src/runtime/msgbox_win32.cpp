// The platform's modal message box, owned by the active window so that the program's windows wait.
#include <windows.h>

#include "runtime/msgbox.h"

namespace vornacle {

void ShowPlatformMessageBox(const std::string& prompt, int flags, const std::string& title) {
  MessageBoxA(GetActiveWindow(), prompt.c_str(), title.c_str(),
              static_cast<UINT>(flags) | MB_OK | MB_TASKMODAL);
}

}  // namespace vornacle
