// Windows are created from their tables at the window's real DPI and laid out again when the DPI or
// the system's settings change. The window procedure never lets an exception out: Click handlers
// run behind the one report.
#include "runtime/forms.h"

#include <ole2.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/accessible.h"
#include "runtime/declared.h"
#include "runtime/msgbox.h"
#include "runtime/system_library.h"
#include "runtime/text.h"

namespace vornacle::forms {

namespace {

constexpr char kWindowClass[] = "VornacleForm";
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE, which the Windows 7 headers lack

Declared<HRESULT(void*)> OleInitialize{"ole32.dll", "OleInitialize"};
Declared<void()> OleUninitialize{"ole32.dll", "OleUninitialize"};
static_assert(kSameShape<decltype(OleInitialize), decltype(&::OleInitialize)>);
static_assert(kSameShape<decltype(OleUninitialize), decltype(&::OleUninitialize)>);

// The window thread's COM apartment, taken before the first window and given back with the last:
// screen readers in other processes reach the forms' objects through it, and the shell and the
// About picture need it.
class Apartment {
 public:
  Apartment() {
    try {
      held_ = SUCCEEDED(OleInitialize(nullptr));
    } catch (const RuntimeFailure&) {
      // Without OLE the windows still work; only what needs it does not.
    }
  }
  ~Apartment() {
    if (held_) OleUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  bool held_ = false;
};

struct ProgramState {
  std::vector<Form*> loaded;
  Form* handling = nullptr;  // the form whose Click handler is running
  std::optional<Apartment> apartment;
  bool ended = false;
};
ProgramState program;

bool IsPainted(ControlKind kind) { return kind == ControlKind::Label || kind == ControlKind::Link; }

UINT SystemDpi() {
  if (const UINT dpi = newer::GetDpiForSystem(); dpi != 0) return dpi;
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

UINT WindowDpi(HWND hwnd) {
  const UINT dpi = newer::GetDpiForWindow(hwnd);
  return dpi != 0 ? dpi : SystemDpi();
}

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

RECT OuterRect(int client_width, int client_height, DWORD style, DWORD ex_style, UINT dpi) {
  RECT rect{0, 0, client_width, client_height};
  if (!newer::AdjustWindowRectExForDpi(&rect, style, FALSE, ex_style, dpi)) {
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  }
  return rect;
}

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

HWND HiddenOwner() {
  static HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  return owner;
}

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

void DispatchOne(MSG& msg) {
  // By index, without a copy: only a form that takes the message may unload while handling it, and
  // the search ends there.
  for (std::size_t i = 0; i < program.loaded.size(); ++i) {
    if (program.loaded[i]->PreTranslate(msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

Form::~Form() {
  if (hwnd_ == nullptr) return;
  // Too late for this form's handlers: the window's last messages go to the system's procedure.
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  std::erase(program.loaded, this);
  DestroyWindow(hwnd_);
}

std::optional<std::string> Form::NarrowText(int id) const {
  HWND control = Control(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return ExactNarrow(text);
}

void Form::SetText(int id, const std::string& narrow) {
  if (!SetWindowTextW(Control(id), Widen(narrow).c_str())) {
    throw RuntimeFailure{kErrOutOfMemory, "Out of memory"};
  }
}

void Form::Unload() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool Form::PreTranslate(MSG& msg) {
  if (hwnd_ == nullptr || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  const bool own_keystroke = IsKeyboardMessage(msg.message) && GetMessageExtraInfo() == kOwnKeystrokeTag;
  if (!own_keystroke && Accelerators() != nullptr && TranslateAcceleratorW(hwnd_, Accelerators(), &msg)) {
    return true;
  }
  return IsDialogMessageW(hwnd_, &msg);
}

void Form::RememberFocus() {
  if (HWND focus = GetFocus(); IsChild(hwnd_, focus)) focus_ = focus;
}

void Form::RestoreFocus() {
  HWND target = IsChild(hwnd_, focus_) ? focus_ : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

void Form::Load(const FormSpec& spec) {
  if (hwnd_ != nullptr) return;
  if (!program.apartment) program.apartment.emplace();
  RegisterFormClass(&Form::WindowProc);
  HWND owner = spec.in_taskbar ? nullptr : HiddenOwner();
  spec_ = spec;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD ex_style = spec.in_taskbar ? WS_EX_APPWINDOW : 0;
  CreateWindowExA(ex_style, kWindowClass, spec.caption, style, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner,
                  nullptr, GetModuleHandleA(nullptr), this);
  if (hwnd_ == nullptr) throw RuntimeFailure{kErrOutOfMemory, "Out of memory"};

  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (const ControlSpec& control : spec.controls) {
    HWND child = nullptr;
    switch (control.kind) {
      case ControlKind::Label:
      case ControlKind::Link:
        continue;  // painted by the form
      case ControlKind::TextBox:
        // A Unicode box, so that it holds what was typed or pasted in any script.
        child =
            CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Widen(control.caption).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        if (child == nullptr) break;
        // No length limit beyond the control's own maximum.
        SendMessageA(child, EM_LIMITTEXT, 0, 0);
        if (const char* name = Caption(control.named_by); name != nullptr) SetAccessibleName(child, name);
        break;
      case ControlKind::Button:
        child = CreateWindowExA(
            0, "BUTTON", control.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE,
            0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        break;
    }
    if (child == nullptr) {
      DestroyWindow(hwnd_);
      throw RuntimeFailure{kErrOutOfMemory, "Out of memory"};
    }
  }

  Layout(WindowDpi(hwnd_));

  RECT window;
  GetWindowRect(hwnd_, &window);
  if (spec.position == StartPosition::CentreScreen) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(hwnd_, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form::ShowWindowNow() {
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
}

void Form::Layout(UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  if (const LabelLook* look = spec_.label_look; look != nullptr) {
    label_font_.reset(CreateFontA(-MulDiv(look->hundredths_of_a_point, static_cast<int>(dpi), 7200), 0, 0, 0,
                                  look->weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  look->face));
  }
  // The new font, glyph lists and icons are handed over before the old ones go, so that no window
  // ever holds a destroyed one.
  HINSTANCE instance = GetModuleHandleA(nullptr);
  UniqueFont font(CreateDefaultFont(dpi));
  std::vector<UniqueImageList> glyphs;
  for (const ControlSpec& control : spec_.controls) {
    if (IsPainted(control.kind)) continue;
    HWND child = Control(control.id);
    const RECT rect = ControlRect(control);
    SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    if (control.glyph != 0) {
      const int size = MulDiv(16, static_cast<int>(dpi), kBaseDpi);
      UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
      UniqueIcon glyph(static_cast<HICON>(
          LoadImageA(instance, MAKEINTRESOURCEA(control.glyph), IMAGE_ICON, size, size, 0)));
      ImageList_AddIcon(list.get(), glyph.get());
      BUTTON_IMAGELIST image{list.get(), RECT{0, 2, 0, 0}, BUTTON_IMAGELIST_ALIGN_TOP};
      SendMessageA(child, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
      glyphs.push_back(std::move(list));
    }
  }
  font_ = std::move(font);
  glyphs_ = std::move(glyphs);
  if (spec_.icon != 0) {
    // The 16-pixel icon is the program's own image; larger sizes have frames drawn at their size.
    const auto load = [&](int metric) {
      int size = newer::GetSystemMetricsForDpi(metric, dpi);
      if (size == 0) size = GetSystemMetrics(metric);
      const int group = size <= 16 ? spec_.icon : spec_.large_icon;
      return UniqueIcon(
          static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(group), IMAGE_ICON, size, size, 0)));
    };
    UniqueIcon small = load(SM_CXSMICON), big = load(SM_CXICON);
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    icon_small_ = std::move(small);
    icon_big_ = std::move(big);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
  if (suggested != nullptr) {
    // On another monitor, the system's rectangle whole and in one step: a window resized where it
    // stood and moved after could fall back on the first monitor and change scale again.
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE));
  const int client_width = TwipsToPixels(spec_.client_width, dpi);
  const int client_height = TwipsToPixels(spec_.client_height, dpi);
  const RECT outer = OuterRect(client_width, client_height, style, ex_style, dpi);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The frame the system really draws may differ from the estimate: make the client area exact.
  RECT client;
  GetClientRect(hwnd_, &client);
  if (client.right != client_width || client.bottom != client_height) {
    width += client_width - client.right;
    height += client_height - client.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT Form::ControlRect(const ControlSpec& control) const {
  const int left = TwipsToPixels(control.left, dpi_);
  const int top = TwipsToPixels(control.top, dpi_);
  return RECT{left, top, left + TwipsToPixels(control.width, dpi_),
              top + TwipsToPixels(control.height, dpi_)};
}

const char* Form::Caption(int id) const {
  for (const ControlSpec& control : spec_.controls) {
    if (id != 0 && control.id == id) return control.caption;
  }
  return nullptr;
}

int Form::LabelAt(POINT point) const {
  for (const ControlSpec& control : spec_.controls) {
    const RECT rect = ControlRect(control);
    if (IsPainted(control.kind) && PtInRect(&rect, point)) return control.id;
  }
  return 0;
}

bool Form::IsLink(int id) const {
  return std::ranges::any_of(spec_.controls, [id](const ControlSpec& control) {
    return control.id == id && control.kind == ControlKind::Link;
  });
}

void Form::PaintLabels(HDC dc) {
  const LabelLook* look = spec_.label_look;
  const HGDIOBJ previous_font = SelectObject(dc, look != nullptr ? label_font_.get() : font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look != nullptr ? look->colour : GetSysColor(COLOR_BTNTEXT));
  for (const ControlSpec& control : spec_.controls) {
    if (!IsPainted(control.kind)) continue;
    RECT rect = ControlRect(control);
    DrawTextA(dc, control.caption, -1, &rect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  SelectObject(dc, previous_font);
}

LRESULT Form::AnswerScreenReader(WPARAM wparam, LPARAM lparam) {
  if (static_cast<DWORD>(lparam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  std::vector<AccessibleLink> links;
  for (const ControlSpec& control : spec_.controls) {
    if (control.kind == ControlKind::Link)
      links.push_back({control.id, control.caption, ControlRect(control)});
  }
  return links.empty() ? 0 : AnswerWithLinks(hwnd_, wparam, std::move(links));
}

void Form::RunClick(int id) noexcept {
  // One handler at a time, and none on a window that a message box holds, wherever the click comes
  // from: input, a posted message, a screen reader, a nested message loop while a request is made.
  if (program.handling != nullptr || !IsWindowEnabled(hwnd_)) return;
  // Whatever box the handler shows belongs to this window.
  Form* const outer = std::exchange(program.handling, this);
  try {
    Click(id);
  } catch (...) {
    try {
      ReportUnhandledFailure(CurrentFailure());
    } catch (...) {
      // Nothing is left that could tell the user; the program goes on.
    }
  }
  program.handling = outer;
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    try {
      program.loaded.push_back(form);
    } catch (...) {
      return FALSE;  // the window is not created, and Load reports it
    }
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->hwnd_ = hwnd;
  }
  if (form == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  try {
    return form->Handle(message, wparam, lparam);
  } catch (...) {
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

LRESULT Form::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int code = HIWORD(wparam);
      int id = LOWORD(wparam);
      // Enter where no button is the default: the dialog manager asks for IDOK, which no control has.
      // A focused push button takes it, as in a dialog box, however it came by the focus.
      if (HWND focus = GetFocus(); id == IDOK && lparam == 0 && IsChild(hwnd_, focus) &&
                                   (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) {
        id = GetDlgCtrlID(focus);
      }
      // Button clicks, menu items, accelerators (code 1), and Esc/Enter from the dialog manager.
      if (code == BN_CLICKED || code == 1) RunClick(id);
      return 0;
    }
    case kFollowLink: {
      // A screen reader's request arrives as a click does.
      if (IsLink(static_cast<int>(wparam))) RunClick(static_cast<int>(wparam));
      return 0;
    }
    case WM_GETOBJECT:
      if (const LRESULT answer = AnswerScreenReader(wparam, lparam)) return answer;
      break;
    // What a dialog box does and a plain window does not: the control that has the focus when the
    // window is left gets it back whenever the frame is focused, as it is on every activation. A
    // window that had none yet gives it to its first tab stop.
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) RememberFocus();
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_ERASEBKGND:
      // A form that covers its client area erases it as it paints, not before: no flash of the
      // plain background each time it opens or is uncovered.
      return BackgroundCoversClientArea() ? TRUE : DefWindowProcA(hwnd_, message, wparam, lparam);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      PaintBackground(dc);
      PaintLabels(dc);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wparam) == hwnd_ && LOWORD(lparam) == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(hwnd_, &point);
        if (HCURSOR cursor = LabelCursor(LabelAt(point)); cursor != nullptr) {
          SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    }
    case WM_LBUTTONDOWN:
      pressed_label_ = LabelAt(POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
      return 0;
    case WM_LBUTTONUP: {
      const int label =
          LabelAt(POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
      const bool clicked = label != 0 && label == pressed_label_;
      pressed_label_ = 0;
      if (clicked) RunClick(label);
      return 0;
    }
    // Asked before a move to a monitor of another scale, so that the rectangle the system then
    // suggests holds the client area of the twips table exactly; not asked before Windows 10 1703.
    case kGetDpiScaledSize: {
      const UINT dpi = static_cast<UINT>(wparam);
      const RECT outer =
          OuterRect(TwipsToPixels(spec_.client_width, dpi), TwipsToPixels(spec_.client_height, dpi),
                    static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)), dpi);
      *reinterpret_cast<SIZE*>(lparam) = SIZE{outer.right - outer.left, outer.bottom - outer.top};
      return TRUE;
    }
    case WM_DPICHANGED:
      Layout(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
    // A new message font or text size, new icon metrics, another theme: the controls take them now.
    case WM_SETTINGCHANGE:
      if (wparam == SPI_SETNONCLIENTMETRICS || wparam == SPI_SETICONTITLELOGFONT ||
          wparam == SPI_SETICONMETRICS) {
        Layout(dpi_);
      }
      break;
    case WM_THEMECHANGED:
      Layout(dpi_);
      break;
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProcA(hwnd_, message, wparam, lparam);
      SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      Unloaded();
      glyphs_.clear();
      icon_small_.reset();
      icon_big_.reset();
      font_.reset();
      label_font_.reset();
      focus_ = nullptr;
      std::erase(program.loaded, this);
      // The program ends when no window of it remains loaded.
      if (program.loaded.empty()) {
        program.ended = true;
        program.apartment.reset();
        PostQuitMessage(0);
      }
      return result;
    }
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

ModalScope::ModalScope(HWND owner) {
  disabled_.reserve(program.loaded.size());
  for (Form* form : program.loaded) {
    // Before the window is disabled, by this scope or by the box: a disabled window loses the
    // focus of its controls.
    form->RememberFocus();
    if (form->hwnd() != owner && IsWindowEnabled(form->hwnd())) {
      EnableWindow(form->hwnd(), FALSE);
      disabled_.push_back(form->hwnd());
    }
  }
}

ModalScope::~ModalScope() {
  for (HWND hwnd : disabled_) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
}

HWND BoxOwner() {
  HWND owner = program.handling != nullptr && program.handling->IsLoaded() ? program.handling->hwnd()
               : program.loaded.empty()                                    ? nullptr
                                                                           : program.loaded.front()->hwnd();
  // A window that a box already holds hands the new box to that one: a box whose owner is disabled
  // gives the activation away when it closes.
  return owner != nullptr && !IsWindowEnabled(owner) ? GetLastActivePopup(owner) : owner;
}

void ReportUnhandledFailure(const RuntimeFailure& failure) {
  MsgBox("Run-time error '" + std::to_string(failure.number) + "':\n\n" + failure.description, kMsgCritical);
}

int RunMessageLoop() {
  MSG msg{};
  // Once the program has ended, what is still queued is let go unhandled until the quit arrives.
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!program.ended) DispatchOne(msg);
  }
  return static_cast<int>(msg.wParam);
}

void DoEvents() {
  MSG msg;
  while (!program.ended && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    DispatchOne(msg);
  }
}

void EndProgram() {
  program.ended = true;
  PostQuitMessage(0);
}

bool ProgramEnded() { return program.ended; }

void ResetProgram() {
  program.ended = false;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace vornacle::forms
