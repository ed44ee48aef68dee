// The window class and the child controls, made as the platform's forms make theirs.
#include "forms/form_window.h"

#include "forms/scaled_resources.h"
#include "runtime/accessible.h"
#include "runtime/dpi.h"
#include "runtime/text.h"

namespace vornacle::forms {

namespace {

constexpr char kWindowClass[] = "VornacleForm";

void RegisterFormClass(WNDPROC window_proc) {
  static const bool registered = [window_proc] {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    // A second press soon after the first is a double-click, which no handler answers, not a
    // second click on a label.
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kWindowClass;
    return RegisterClassExA(&window_class) != 0;
  }();
  (void)registered;
}

// A form outside the taskbar is owned by this window, so that it neither gets a taskbar button nor
// follows another form when that one closes or minimises.
HWND HiddenOwner() {
  static HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  return owner;
}

RECT PrimaryMonitor() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return monitor.rcMonitor;
}

HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

}  // namespace

HWND CreateFormWindow(const FormSpec& spec, WNDPROC window_proc, void* creator) {
  RegisterFormClass(window_proc);
  HWND owner = spec.in_taskbar ? nullptr : HiddenOwner();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD ex_style = spec.in_taskbar ? WS_EX_APPWINDOW : 0;
  // Made at the size its table has at the system's scale, as its layout will most often find it. A
  // window centred on the primary monitor is made there, so that it takes that monitor's scale from
  // the start and is laid out at it, not at the scale of wherever the system would put it.
  const UINT dpi = SystemDpi();
  const RECT outer = OuterRect(TwipsToPixels(spec.client_width, dpi), TwipsToPixels(spec.client_height, dpi),
                               style, ex_style, dpi);
  const SIZE size{outer.right - outer.left, outer.bottom - outer.top};
  POINT at{CW_USEDEFAULT, CW_USEDEFAULT};
  if (spec.position == StartPosition::CentreScreen) {
    const RECT screen = PrimaryMonitor();
    at = POINT{screen.left + (screen.right - screen.left - size.cx) / 2,
               screen.top + (screen.bottom - screen.top - size.cy) / 2};
  }
  return CreateWindowExA(ex_style, kWindowClass, spec.caption, style, at.x, at.y, size.cx, size.cy, owner,
                         nullptr, GetModuleHandleA(nullptr), creator);
}

bool CreateControls(HWND form, const FormSpec& spec, UINT dpi) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (const ControlSpec& control : spec.controls) {
    HWND child = nullptr;
    const RECT r = PixelRect(control, dpi);
    switch (control.kind) {
      case ControlKind::Label:
      case ControlKind::Link:
        continue;  // painted by the form
      case ControlKind::TextBox:
        // A Unicode box, so that it holds what was typed or pasted in any script.
        child =
            CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Widen(control.caption).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, form, ChildId(control.id), instance, nullptr);
        if (child == nullptr) break;
        // No length limit beyond the control's own maximum.
        SendMessageA(child, EM_LIMITTEXT, 0, 0);
        if (const char* name = Caption(spec, control.named_by); name != nullptr)
          SetAccessibleName(child, name);
        break;
      case ControlKind::Button:
        child = CreateWindowExA(
            0, "BUTTON", control.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE,
            r.left, r.top, r.right - r.left, r.bottom - r.top, form, ChildId(control.id), instance, nullptr);
        break;
    }
    if (child == nullptr) return false;
  }
  return true;
}

void CentreOnPrimaryMonitor(HWND form) {
  RECT window;
  GetWindowRect(form, &window);
  const RECT screen = PrimaryMonitor();
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const POINT at{screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2};
  if (at.x != window.left || at.y != window.top) {
    SetWindowPos(form, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace vornacle::forms
