// The scale helpers: the per-monitor calls where the system has them, the screen's scale where not.
#include "runtime/dpi.h"

#include "runtime/system_library.h"

namespace vornacle {

int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

int ScaleFromBaseDpi(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kBaseDpi); }

UINT SystemDpi() {
  if (const UINT dpi = newer::GetDpiForSystem(); dpi != 0) return dpi;
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

int SystemMetricForDpi(int index, UINT dpi) {
  const int metric = newer::GetSystemMetricsForDpi(index, dpi);
  return metric != 0 ? metric : GetSystemMetrics(index);
}

UINT WindowDpi(HWND hwnd) {
  const UINT dpi = newer::GetDpiForWindow(hwnd);
  return dpi != 0 ? dpi : SystemDpi();
}

RECT OuterRect(int client_width, int client_height, DWORD style, DWORD ex_style, UINT dpi) {
  RECT rect{0, 0, client_width, client_height};
  if (!newer::AdjustWindowRectExForDpi(&rect, style, FALSE, ex_style, dpi)) {
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  }
  return rect;
}

}  // namespace vornacle
