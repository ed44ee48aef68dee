// Making a form's window: its class, the hidden owner of the forms outside the taskbar, the child
// windows of its table, and its place on the screen.
#pragma once

#include <windows.h>

#include "forms/form_table.h"

namespace vornacle::forms {

// The form's window, not yet laid out, with `creator` handed to WM_NCCREATE; null where it could not
// be made.
HWND CreateFormWindow(const FormSpec& spec, WNDPROC window_proc, void* creator);
// The child window of each control that is not painted by the form, where the table puts it at a
// scale, so that the first layout at that scale moves none; false where one could not be made.
bool CreateControls(HWND form, const FormSpec& spec, UINT dpi);
void CentreOnPrimaryMonitor(HWND form);

}  // namespace vornacle::forms
