// Fonts, glyphs and icons are made anew for each scale and each change of the system's settings. All
// of them are made before any control is given one, and the old ones go only once every control
// holds the new: no window ever holds a destroyed one, even where making them fails half-way.
#include "forms/scaled_resources.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <utility>

#include "forms/text_fit.h"
#include "runtime/system_library.h"

namespace vornacle::forms {

namespace {

constexpr int kHundredthsOfAPointPerInch = 7200;

// The platform's message font at the given DPI: what a control shows when nobody sets a font.
LOGFONTW MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (newer::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    return metrics.lfMessageFont;
  }
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfHeight =
      MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
  return metrics.lfMessageFont;
}

HFONT CreateLabelFont(const LabelLook& look, UINT dpi) {
  return CreateFontA(-MulDiv(look.hundredths_of_a_point, static_cast<int>(dpi), kHundredthsOfAPointPerInch),
                     0, 0, 0, look.weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, look.face);
}

// A button's glyph at the scale's size, to be drawn above its caption.
UniqueImageList MakeGlyph(int glyph, UINT dpi) {
  const int size = ScaleFromBaseDpi(kGlyphPixels, dpi);
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
  UniqueIcon icon(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(glyph), IMAGE_ICON, size, size, 0)));
  ImageList_AddIcon(list.get(), icon.get());
  return list;
}

bool HasGlyph(const ControlSpec& control) { return !IsPainted(control.kind) && control.glyph != 0; }

DWORD Style(HWND form, int index) { return static_cast<DWORD>(GetWindowLongPtrA(form, index)); }

SIZE ClientSize(const FormSpec& spec, UINT layout_dpi) {
  return SIZE{TwipsToPixels(spec.client_width, layout_dpi), TwipsToPixels(spec.client_height, layout_dpi)};
}

// Whether a window stands at a place already, in its parent's client coordinates or on the screen:
// each move the start makes costs the system a round trip, and one that changes nothing is left out.
bool StandsAt(HWND window, const RECT& place) {
  RECT now;
  GetWindowRect(window, &now);
  if (HWND parent = GetAncestor(window, GA_PARENT); parent != GetDesktopWindow())
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
  return EqualRect(&now, &place);
}

// The window size round a client area, with the frame of the display's scale.
SIZE FrameAround(HWND form, SIZE client, UINT dpi) {
  const RECT outer = OuterRect(client.cx, client.cy, Style(form, GWL_STYLE), Style(form, GWL_EXSTYLE), dpi);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace

RECT PixelRect(const ControlSpec& control, UINT layout_dpi) {
  const int left = TwipsToPixels(control.left, layout_dpi);
  const int top = TwipsToPixels(control.top, layout_dpi);
  return RECT{left, top, left + TwipsToPixels(control.width, layout_dpi),
              top + TwipsToPixels(control.height, layout_dpi)};
}

void ScaledResources::Apply(HWND form, const FormSpec& spec, UINT dpi, const RECT* suggested) {
  const unsigned layout = ++layouts_;
  const LOGFONTW message_font = MessageFont(dpi);
  UniqueFont font(CreateFontIndirectW(&message_font));
  const UINT layout_dpi = LayoutDpi(spec, dpi, font.get());
  UniqueFont label_font(spec.label_look != nullptr ? CreateLabelFont(*spec.label_look, layout_dpi) : nullptr);
  std::vector<UniqueImageList> glyphs;
  for (const ControlSpec& control : spec.controls) {
    if (HasGlyph(control)) glyphs.push_back(MakeGlyph(control.glyph, dpi));
  }
  // Nothing from here on fails.
  auto glyph = glyphs.begin();
  for (const ControlSpec& control : spec.controls) {
    if (IsPainted(control.kind)) continue;
    HWND child = GetDlgItem(form, control.id);
    const RECT rect = PixelRect(control, layout_dpi);
    if (!StandsAt(child, rect)) {
      SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    if (HasGlyph(control)) {
      BUTTON_IMAGELIST image{(glyph++)->get(), RECT{0, 2, 0, 0}, BUTTON_IMAGELIST_ALIGN_TOP};
      SendMessageA(child, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
    }
  }
  dpi_ = dpi;
  layout_dpi_ = layout_dpi;
  message_font_ = message_font;
  font_ = std::move(font);
  label_font_ = std::move(label_font);
  glyphs_ = std::move(glyphs);
  if (spec.icon != 0) ApplyIcons(form, spec, dpi);
  InvalidateRect(form, nullptr, TRUE);
  if (suggested != nullptr) {
    // On another monitor, the system's rectangle whole and in one step: a window resized where it
    // stood and moved after could fall back on the first monitor and change scale again.
    SetWindowPos(form, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  PlaceFrame(form, ClientSize(spec, layout_dpi), layout);
}

// The 16-pixel icon is the program's own image; larger sizes have frames drawn at their size.
void ScaledResources::ApplyIcons(HWND form, const FormSpec& spec, UINT dpi) {
  const auto load = [&](int metric) {
    const int size = SystemMetricForDpi(metric, dpi);
    const int group = size <= kGlyphPixels ? spec.icon : spec.large_icon;
    return UniqueIcon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(group), IMAGE_ICON, size, size, 0)));
  };
  UniqueIcon small = load(SM_CXSMICON), big = load(SM_CXICON);
  SendMessageA(form, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  SendMessageA(form, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  icon_small_ = std::move(small);
  icon_big_ = std::move(big);
}

SIZE ScaledResources::WindowSize(HWND form, const FormSpec& spec, UINT dpi) {
  const LOGFONTW message_font = MessageFont(dpi);
  const UniqueFont font(CreateFontIndirectW(&message_font));
  return FrameAround(form, ClientSize(spec, LayoutDpi(spec, dpi, font.get())), dpi);
}

bool ScaledResources::MessageFontChanged() const {
  const LOGFONTW now = MessageFont(dpi_);
  return std::memcmp(&now, &message_font_, offsetof(LOGFONTW, lfFaceName)) != 0 ||
         std::wcsncmp(now.lfFaceName, message_font_.lfFaceName, LF_FACESIZE) != 0;
}

// Size and place in one step, so that a window that grew never lies across two monitors on the way;
// a second step where the frame that the system draws differs from the estimate. Where the window
// came to lie on a monitor of another scale even so, the layout made for that scale has the last word.
void ScaledResources::PlaceFrame(HWND form, SIZE client, unsigned layout) {
  SIZE size = FrameAround(form, client, dpi_);
  for (int step = 0; step < 2; ++step) {
    RECT window;
    GetWindowRect(form, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG left = std::max(work.left, std::min(window.left, work.right - size.cx));
    const LONG top = std::max(work.top, std::min(window.top, work.bottom - size.cy));
    if (!StandsAt(form, RECT{left, top, left + size.cx, top + size.cy}))
      SetWindowPos(form, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT now;
    if (layouts_ != layout || !GetClientRect(form, &now) ||
        (now.right == client.cx && now.bottom == client.cy))
      return;
    size.cx += client.cx - now.right;
    size.cy += client.cy - now.bottom;
  }
}

void ScaledResources::Release() {
  glyphs_.clear();
  icon_small_.reset();
  icon_big_.reset();
  font_.reset();
  label_font_.reset();
}

}  // namespace vornacle::forms
