// Ends with 0 where the desktop's shell lists its desktop window in the shell's window list, as a
// link of an elevated program needs; with 1 otherwise.
#include <initguid.h>  // defines the shell's GUIDs here

#include <windows.h>

#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CoInitialize(nullptr);
  IShellWindows* windows = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              reinterpret_cast<void**>(&windows))))
    return 1;
  VARIANT desktop{}, no_root{};
  desktop.vt = VT_I4, desktop.lVal = CSIDL_DESKTOP;
  LONG window = 0;
  IDispatch* shell = nullptr;
  const HRESULT result =
      windows->FindWindowSW(&desktop, &no_root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &shell);
  if (shell != nullptr) shell->Release();
  return windows->Release(), result == S_OK ? 0 : 1;
}
