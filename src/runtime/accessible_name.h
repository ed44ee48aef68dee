// Names a text box for screen readers. The system names a box after the static text window before
// it, and the forms' labels are painted by the form, not windows, so the boxes would have no name.
#pragma once

#include <windows.h>

namespace vornacle::forms {

// From now on the control's accessible object gives `name` (text of static storage) as its name and
// hands every other question to the system's own object for the control.
void SetAccessibleName(HWND control, const char* name);

}  // namespace vornacle::forms
