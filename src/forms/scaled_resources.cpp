// Fonts, glyphs and icons are made anew for each scale and each change of the system's settings; the
// new ones are handed over before the old ones go, so that no window ever holds a destroyed one.
#include "forms/scaled_resources.h"

#include <commctrl.h>

#include <utility>

#include "runtime/system_library.h"

namespace vornacle::forms {

namespace {

constexpr int kHundredthsOfAPointPerInch = 7200;
constexpr int kGlyphPixels = 16;  // a button's glyph at 96 dots per inch

// The platform's message font at the given DPI: what a control shows when nobody sets a font.
HFONT CreateDefaultFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (newer::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    return CreateFontIndirectW(&metrics.lfMessageFont);
  }
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfHeight =
      MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT CreateLabelFont(const LabelLook& look, UINT dpi) {
  return CreateFontA(-MulDiv(look.hundredths_of_a_point, static_cast<int>(dpi), kHundredthsOfAPointPerInch),
                     0, 0, 0, look.weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, look.face);
}

// The button's glyph above its caption, at the scale's size.
UniqueImageList SetGlyph(HWND button, int glyph, UINT dpi) {
  const int size = ScaleFromBaseDpi(kGlyphPixels, dpi);
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
  UniqueIcon icon(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(glyph), IMAGE_ICON, size, size, 0)));
  ImageList_AddIcon(list.get(), icon.get());
  BUTTON_IMAGELIST image{list.get(), RECT{0, 2, 0, 0}, BUTTON_IMAGELIST_ALIGN_TOP};
  SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
  return list;
}

DWORD Style(HWND form, int index) { return static_cast<DWORD>(GetWindowLongPtrA(form, index)); }

}  // namespace

RECT PixelRect(const ControlSpec& control, UINT dpi) {
  const int left = TwipsToPixels(control.left, dpi);
  const int top = TwipsToPixels(control.top, dpi);
  return RECT{left, top, left + TwipsToPixels(control.width, dpi), top + TwipsToPixels(control.height, dpi)};
}

void ScaledResources::Apply(HWND form, const FormSpec& spec, UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  if (spec.label_look != nullptr) label_font_.reset(CreateLabelFont(*spec.label_look, dpi));
  UniqueFont font(CreateDefaultFont(dpi));
  std::vector<UniqueImageList> glyphs;
  for (const ControlSpec& control : spec.controls) {
    if (IsPainted(control.kind)) continue;
    HWND child = GetDlgItem(form, control.id);
    const RECT rect = PixelRect(control, dpi);
    SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    if (control.glyph != 0) glyphs.push_back(SetGlyph(child, control.glyph, dpi));
  }
  font_ = std::move(font);
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
  FitFrame(form, spec, dpi);
}

// The 16-pixel icon is the program's own image; larger sizes have frames drawn at their size.
void ScaledResources::ApplyIcons(HWND form, const FormSpec& spec, UINT dpi) {
  const auto load = [&](int metric) {
    int size = newer::GetSystemMetricsForDpi(metric, dpi);
    if (size == 0) size = GetSystemMetrics(metric);
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
  const RECT outer = OuterRect(TwipsToPixels(spec.client_width, dpi), TwipsToPixels(spec.client_height, dpi),
                               Style(form, GWL_STYLE), Style(form, GWL_EXSTYLE), dpi);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void ScaledResources::FitFrame(HWND form, const FormSpec& spec, UINT dpi) {
  SIZE size = WindowSize(form, spec, dpi);
  SetWindowPos(form, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The frame the system really draws may differ from the estimate: make the client area exact.
  const int client_width = TwipsToPixels(spec.client_width, dpi);
  const int client_height = TwipsToPixels(spec.client_height, dpi);
  RECT client;
  GetClientRect(form, &client);
  if (client.right != client_width || client.bottom != client_height) {
    size.cx += client_width - client.right;
    size.cy += client_height - client.bottom;
    SetWindowPos(form, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
