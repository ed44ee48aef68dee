// How large a form is laid out: its twips at the display's scale, grown where the system's text has
// grown past what the table's controls hold.
#pragma once

#include <windows.h>

#include "forms/form_table.h"

namespace vornacle::forms {

inline constexpr int kGlyphPixels = 16;  // a button's glyph at 96 dots per inch

// The dots per inch to lay the form's twips out at: the display's `dpi`, or the fewest more at which
// every caption in the controls' `font` fits its control (a button's with its glyph above it and
// clear of its edges) and every box is as tall as a line. One factor for the whole form, so that it
// keeps its proportions; never less than the display's, so that at the usual text nothing moves.
UINT LayoutDpi(const FormSpec& spec, UINT dpi, HFONT font);

}  // namespace vornacle::forms
