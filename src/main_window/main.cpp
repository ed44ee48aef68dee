// The main window is the startup object: the program shows it and then handles events until it ends.
#include <windows.h>

#include <commctrl.h>

#include "main_window/Form1.h"
#include "runtime/forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  static vornacle::Form1 form1;
  form1.Show();
  return vornacle::forms::RunMessageLoop();
}
