// The platform's modal message box, owned by the window it belongs to and in front of it, whichever
// program is in front at the moment; every window of the program waits for it.
#include <windows.h>

#include "runtime/forms.h"
#include "runtime/msgbox.h"

namespace vornacle {

void ShowPlatformMessageBox(const std::string& prompt, int flags, const std::string& title) {
  HWND owner = forms::BoxOwner();
  const forms::ModalScope modal(owner);
  MessageBoxA(owner, prompt.c_str(), title.c_str(), static_cast<UINT>(flags) | MB_OK | MB_TASKMODAL);
}

}  // namespace vornacle
