// What a form is at one scale and with the system's settings of the moment: the fonts, button glyphs
// and icons made for it, its controls placed and its frame fitted round the client area.
#pragma once

#include <windows.h>

#include <vector>

#include "forms/form_table.h"
#include "runtime/dpi.h"
#include "runtime/handles.h"

namespace vornacle::forms {

// Where a control of the table stands in the client area when the twips are laid out at `layout_dpi`.
RECT PixelRect(const ControlSpec& control, UINT layout_dpi);

// The one place a form is laid out: at start, at a move to a monitor of another scale, and at a
// change of the system's settings.
class ScaledResources {
 public:
  // Makes the fonts, glyphs and icons of the scale and the settings now, places the controls with
  // them, and gives the window the rectangle the system suggested, or else the table's client size
  // where its top-left corner stands, moved back onto its monitor's work area where it would reach
  // past it.
  void Apply(HWND form, const FormSpec& spec, UINT dpi, const RECT* suggested = nullptr);
  // The window size whose client area holds the table exactly at a scale, with the system's text.
  static SIZE WindowSize(HWND form, const FormSpec& spec, UINT dpi);
  // Whether the system's message font is no longer the one the controls show.
  bool MessageFontChanged() const;
  // Lets go of everything, once the window that used it is gone.
  void Release();

  UINT dpi() const { return dpi_; }
  // The display's scale, grown with the system's text where the captions need it.
  UINT layout_dpi() const { return layout_dpi_; }
  HFONT font() const { return font_.get(); }
  HFONT label_font() const { return label_font_.get(); }

 private:
  void ApplyIcons(HWND form, const FormSpec& spec, UINT dpi);
  void PlaceFrame(HWND form, SIZE client, unsigned layout);

  UINT dpi_ = kBaseDpi;
  UINT layout_dpi_ = kBaseDpi;
  unsigned layouts_ = 0;  // counts every layout begun, so that one begun inside another is seen
  LOGFONTW message_font_{};
  UniqueFont font_;
  UniqueFont label_font_;
  UniqueIcon icon_small_, icon_big_;
  std::vector<UniqueImageList> glyphs_;
};

}  // namespace vornacle::forms
