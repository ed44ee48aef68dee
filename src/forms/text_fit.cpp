// The captions are measured once, in the font the controls show them in; the layout then grows one
// dot per inch at a time until the smallest control holds its own.
#include "forms/text_fit.h"

#include <algorithm>

#include "runtime/dpi.h"

namespace vornacle::forms {

namespace {

// The pixels a control needs to hold its caption, or nothing where it is measured otherwise.
SIZE Needed(HDC dc, const ControlSpec& control, UINT dpi, int line_height) {
  RECT text{};
  switch (control.kind) {
    case ControlKind::TextBox:
      return SIZE{0, line_height};
    case ControlKind::Link:
      // In the form's own look, whose font grows with the layout: it holds at any text size as it
      // does at the usual one.
      return SIZE{0, 0};
    case ControlKind::Label:
      DrawTextA(dc, control.caption, -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      return SIZE{text.right, text.bottom};
    case ControlKind::Button: {
      DrawTextA(dc, control.caption, -1, &text, DT_CALCRECT | DT_SINGLELINE);
      const int edge = SystemMetricForDpi(SM_CXEDGE, dpi);
      const int glyph = control.glyph != 0 ? ScaleFromBaseDpi(kGlyphPixels, dpi) : 0;
      return SIZE{text.right + 2 * edge, text.bottom + glyph};
    }
  }
  return SIZE{0, 0};
}

// The fewest dots per inch, from `dpi` up, at which `twips` come to at least `pixels`; a control of
// no size holds nothing at any scale.
UINT Holding(int twips, int pixels, UINT dpi) {
  while (twips > 0 && TwipsToPixels(twips, dpi) < pixels) ++dpi;
  return dpi;
}

}  // namespace

UINT LayoutDpi(const FormSpec& spec, UINT dpi, HFONT font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  UINT layout = dpi;
  for (const ControlSpec& control : spec.controls) {
    const SIZE needed = Needed(dc, control, dpi, metrics.tmHeight);
    layout = std::max(
        {layout, Holding(control.width, needed.cx, layout), Holding(control.height, needed.cy, layout)});
  }
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return layout;
}

}  // namespace vornacle::forms
