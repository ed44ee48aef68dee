// The main window is the startup object: the program shows it and then handles events until it ends.
#include <windows.h>

#include <commctrl.h>

#include "main_window/Form1.h"
#include "runtime/forms.h"

namespace {

// Before anything else can load a library: from now on only the system folder is searched, never
// the program's own folder (a Downloads folder holds whatever else was downloaded) or the current one.
void RestrictLibrarySearch() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  // Looked up, not imported, so that a system without the function still starts the program.
  const auto set_default_dll_directories = reinterpret_cast<SetDirectories>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set_default_dll_directories != nullptr) set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictLibrarySearch();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  static vornacle::Form1 form1;
  form1.Show();
  return vornacle::forms::RunMessageLoop();
}
