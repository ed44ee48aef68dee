// What screen readers are told about the forms beyond what the system tells by itself. The forms'
// labels are painted by the form, not windows: a text box would have no name (the system names a
// box after the static text window before it), and a link would not be there at all.
#pragma once

#include <windows.h>

#include <vector>

namespace vornacle {

// From now on the control's accessible object gives `name` (text of static storage) as its name and
// hands every other question to the system's own object for the control.
void SetAccessibleName(HWND control, const char* name);

// A link that the form paints, as a screen reader meets it.
struct AccessibleLink {
  int id;            // the control id that the form's Click handler takes
  const char* name;  // its caption, of static storage
  RECT client;       // where it is drawn in the form's client area
};

// Posted to the form when a screen reader follows a link, with the link's id as wparam: the form
// then clicks it as a click on the label does, and only then, so that a message box still holds it.
inline constexpr UINT kFollowLink = WM_APP + 0x4C;

// The answer to the form's WM_GETOBJECT: for its client area, where it has links, the system's own
// object with the links listed after the children it lists itself. 0 for any other object, or where
// no such object can be made, and the form then answers as the system does.
LRESULT AnswerWithLinks(HWND form, WPARAM wparam, LPARAM object_id, std::vector<AccessibleLink> links);

}  // namespace vornacle
