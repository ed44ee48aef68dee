// Painted labels are drawn in the form's label look where it has one, else in the message font and
// the system's text colour, links in the user's own colours while high contrast is on; they answer
// a click as a label of the platform's forms does.
#include "forms/painted_labels.h"

#include <algorithm>

#include "runtime/contrast.h"

namespace vornacle::forms {

namespace {
POINT PointOf(LPARAM lparam) {
  return POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}
}  // namespace

int PaintedLabels::At(POINT point) const {
  for (const ControlSpec& control : spec_.controls) {
    const RECT rect = PixelRect(control, scale_.layout_dpi());
    if (IsPainted(control.kind) && PtInRect(&rect, point)) return control.id;
  }
  return 0;
}

bool PaintedLabels::IsLink(int id) const {
  return std::ranges::any_of(spec_.controls, [id](const ControlSpec& control) {
    return control.id == id && control.kind == ControlKind::Link;
  });
}

void PaintedLabels::Paint(HDC dc) const {
  const LabelLook* look = spec_.label_look;
  const HGDIOBJ previous_font = SelectObject(dc, look != nullptr ? scale_.label_font() : scale_.font());
  // In high contrast a link takes the user's link colour, on the user's window colour behind its
  // text whatever the form draws beneath.
  const bool high_contrast = HighContrastOn();
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  for (const ControlSpec& control : spec_.controls) {
    if (!IsPainted(control.kind)) continue;
    const bool user_colours = high_contrast && control.kind == ControlKind::Link;
    SetBkMode(dc, user_colours ? OPAQUE : TRANSPARENT);
    SetTextColor(dc, user_colours      ? GetSysColor(COLOR_HOTLIGHT)
                     : look != nullptr ? look->colour
                                       : GetSysColor(COLOR_BTNTEXT));
    RECT rect = PixelRect(control, scale_.layout_dpi());
    DrawTextA(dc, control.caption, -1, &rect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  SelectObject(dc, previous_font);
}

std::vector<AccessibleLink> PaintedLabels::Links() const {
  std::vector<AccessibleLink> links;
  for (const ControlSpec& control : spec_.controls) {
    if (control.kind == ControlKind::Link)
      links.push_back({control.id, control.caption, control.target, PixelRect(control, scale_.layout_dpi())});
  }
  return links;
}

void PaintedLabels::Press(LPARAM client_point) { pressed_ = At(PointOf(client_point)); }

int PaintedLabels::Release(LPARAM client_point) {
  // A second press soon after the first comes as a double-click (the form's class asks for them),
  // never as a press: the release that follows it finds nothing pressed and clicks nothing.
  const int label = At(PointOf(client_point));
  const bool clicked = label != 0 && label == pressed_;
  pressed_ = 0;
  return clicked ? label : 0;
}

}  // namespace vornacle::forms
