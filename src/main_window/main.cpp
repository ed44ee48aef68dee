// The main window is the startup object: the program shows it and then handles events until it ends.
#include <windows.h>

#include <commctrl.h>

#include "forms/program.h"
#include "main_window/Form1.h"
#include "runtime/system_library.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything else can load a library: from now on only the system folder is searched, for
  // what the program loads and what system libraries load on its behalf, never the program's own
  // folder (a Downloads folder holds whatever else was downloaded) or the current one.
  vornacle::newer::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  static vornacle::Form1 form1;
  form1.Show();
  return vornacle::forms::RunMessageLoop();
}
