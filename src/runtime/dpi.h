// Lengths at a window's real scale: the forms are laid out in twips, and each window is told its own
// dots per inch by the system, with fallbacks where Windows 7 has no such call.
#pragma once

#include <windows.h>

namespace vornacle {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr UINT kBaseDpi = 96;

int TwipsToPixels(int twips, UINT dpi);
// A length given in pixels at 96 dots per inch, at another scale.
int ScaleFromBaseDpi(int pixels, UINT dpi);

UINT SystemDpi();
// A system metric at a scale, or at the system's scale where the system cannot say.
int SystemMetricForDpi(int index, UINT dpi);
UINT WindowDpi(HWND hwnd);
// The window rectangle around a client area of this size, with the frame of the given scale.
RECT OuterRect(int client_width, int client_height, DWORD style, DWORD ex_style, UINT dpi);

}  // namespace vornacle
