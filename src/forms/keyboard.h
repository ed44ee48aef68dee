// What a dialog box does with the keyboard and a plain window does not: access keys, Tab, Esc and
// Enter through the dialog manager, after the form's own shortcuts.
#pragma once

#include <windows.h>

namespace vornacle::forms {

// The notification code of a WM_COMMAND that an accelerator sends.
inline constexpr WORD kAcceleratorNotification = 1;

// Whether the form's shortcuts or the dialog manager took a message for the form's window or one of
// its controls. The program's own keystrokes never trigger a shortcut again.
bool PreTranslate(HWND form, HACCEL accelerators, MSG& msg);

// The control that a WM_COMMAND is for. Enter where no button is the default: the dialog manager asks
// for IDOK, which no control has; a focused push button takes it, as in a dialog box, however it
// came by the focus.
int CommandTarget(HWND form, WPARAM wparam, LPARAM lparam);

}  // namespace vornacle::forms
