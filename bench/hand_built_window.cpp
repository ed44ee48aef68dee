// The third floor: Vornacle's main window built by hand, in straight-line Win32 code, with the
// program's own resources (icons, glyphs, manifest). The same class of window, the same nine
// controls with their captions, places, styles, font and glyph lists, the same icons, hidden menu
// and shortcut, shown and focused as Vornacle shows it, in the same COM apartment that screen readers
// reach it through; no tables, no run-time binding, no accessibility wrapper and no resolver. The
// start of the program is measured against it.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "resource.h"

namespace {

UINT dpi = 96;
HFONT font;

int Px(int twips) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

void PaintLabel(HDC dc, const char* caption, int left, int top, int width, int height) {
  RECT rect{Px(left), Px(top), Px(left) + Px(width), Px(top) + Px(height)};
  DrawTextA(dc, caption, -1, &rect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    PaintLabel(dc, "IP Address:", 120, 120, 2295, 375);
    PaintLabel(dc, "Hostname:", 120, 1080, 1575, 255);
    SelectObject(dc, previous);
    EndPaint(hwnd, &paint);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

HWND Edit(HWND parent, int id, int left, int top) {
  HWND edit = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, Px(left),
      Px(top), Px(2895), Px(285), parent, reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
  SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return edit;
}

void Button(HWND parent, int id, const char* caption, int left, int top, int width, int height, int glyph) {
  HWND button = CreateWindowExA(
      0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, Px(left),
      Px(top), Px(width), Px(height), parent, reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (glyph == 0) return;
  const int size = MulDiv(16, static_cast<int>(dpi), 96);
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
  HICON icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(glyph), IMAGE_ICON, size, size, 0));
  ImageList_AddIcon(list, icon);
  DestroyIcon(icon);
  BUTTON_IMAGELIST image{list, RECT{0, 2, 0, 0}, BUTTON_IMAGELIST_ALIGN_TOP};
  SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
  ReleaseDC(nullptr, screen);
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font = CreateFontIndirectA(&metrics.lfMessageFont);

  HMENU menu = CreateMenu(), file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, 1101, "tyt\tCtrl+C");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "file");
  ACCEL copy{FCONTROL | FVIRTKEY, 'C', 1101};
  HACCEL accelerators = CreateAcceleratorTableA(&copy, 1);

  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = "HandBuilt";
  RegisterClassExA(&window_class);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT outer{0, 0, Px(4035), Px(2115)};
  AdjustWindowRectEx(&outer, style, FALSE, WS_EX_APPWINDOW);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  HWND hwnd = CreateWindowExA(
      WS_EX_APPWINDOW, "HandBuilt", "Vornacle", style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
  HWND text1 = Edit(hwnd, 1002, 960, 120);
  Edit(hwnd, 1003, 960, 1080);
  Button(hwnd, 1004, "Get &IP Address", 960, 480, 1335, 495, IDI_GLYPH_IP);
  Button(hwnd, 1005, "Get &Hostname", 2520, 480, 1335, 495, IDI_GLYPH_HOSTNAME);
  Button(hwnd, IDCANCEL, "E&xit", 2760, 1560, 1095, 375, 0);
  Button(hwnd, 1008, "&About", 360, 1560, 1095, 375, 0);
  Button(hwnd, 1009, "A&dd to hosts", 1560, 1560, 1095, 375, 0);
  const int small = GetSystemMetrics(SM_CXSMICON), big = GetSystemMetrics(SM_CXICON);
  SendMessageA(hwnd, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(
                   LoadImageA(instance, MAKEINTRESOURCEA(IDI_VORNACLE), IMAGE_ICON, small, small, 0)));
  SendMessageA(hwnd, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(
                   LoadImageA(instance, MAKEINTRESOURCEA(IDI_VORNACLE_LARGE), IMAGE_ICON, big, big, 0)));

  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  SetFocus(text1);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorA(hwnd, accelerators, &msg) || IsDialogMessageA(hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DestroyMenu(menu);
  return 0;
}
