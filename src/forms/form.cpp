// The window procedure routes each message to the part of the form that owns it, and never lets an
// exception out: Click handlers run behind the one report.
#include "forms/form.h"

#include <utility>

#include "forms/form_window.h"
#include "forms/keyboard.h"
#include "forms/program.h"
#include "runtime/accessible.h"
#include "runtime/msgbox.h"
#include "runtime/text.h"

namespace vornacle::forms {

namespace {
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE, which the Windows 7 headers lack
}  // namespace

Form::~Form() {
  if (hwnd_ == nullptr) return;
  // Too late for this form's handlers: the window's last messages go to the system's procedure.
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  FormForgotten(this);
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

bool Form::PreTranslate(MSG& msg) { return forms::PreTranslate(hwnd_, Accelerators(), msg); }

void Form::RememberFocus() {
  if (HWND focus = GetFocus(); IsChild(hwnd_, focus)) focus_ = focus;
}

void Form::RestoreFocus() {
  HWND target = IsChild(hwnd_, focus_) ? focus_ : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

void Form::Load(const FormSpec& spec) {
  if (hwnd_ != nullptr) return;
  PrepareForWindows();
  spec_ = spec;
  CreateFormWindow(spec, &Form::WindowProc, this);
  if (hwnd_ == nullptr) throw RuntimeFailure{kErrOutOfMemory, "Out of memory"};
  const UINT dpi = WindowDpi(hwnd_);
  if (!CreateControls(hwnd_, spec, dpi)) {
    DestroyWindow(hwnd_);
    throw RuntimeFailure{kErrOutOfMemory, "Out of memory"};
  }
  ApplyScale(dpi);
  if (spec.position == StartPosition::CentreScreen) CentreOnPrimaryMonitor(hwnd_);
}

void Form::ShowWindowNow() {
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
}

void Form::RunClick(int id) noexcept {
  // One handler at a time, and none on a window that a message box holds, wherever the click comes
  // from: input, a posted message, a screen reader, a nested message loop while a request is made.
  if (HandlingForm() != nullptr || !IsWindowEnabled(hwnd_)) return;
  // Whatever box the handler shows belongs to this window.
  SetHandlingForm(this);
  try {
    Click(id);
  } catch (...) {
    try {
      ReportUnhandledFailure(CurrentFailure());
    } catch (...) {
      // Nothing is left that could tell the user; the program goes on.
    }
  }
  SetHandlingForm(nullptr);
}

void ReportUnhandledFailure(const RuntimeFailure& failure) {
  MsgBox("Run-time error '" + std::to_string(failure.number) + "':\n\n" + failure.description, kMsgCritical);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    if (!FormCreated(form)) return FALSE;  // the window is not created, and Load reports it
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
      // Button clicks, menu items, accelerators, and Esc/Enter from the dialog manager.
      const WORD code = HIWORD(wparam);
      if (code == BN_CLICKED || code == kAcceleratorNotification)
        RunClick(CommandTarget(hwnd_, wparam, lparam));
      return 0;
    }
    case kFollowLink:
      // A screen reader's request arrives as a click does.
      if (labels_.IsLink(static_cast<int>(wparam))) RunClick(static_cast<int>(wparam));
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT answer = readers_.Answer(hwnd_, labels_, wparam, lparam)) return answer;
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
      labels_.Paint(dc);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == hwnd_ && LOWORD(lparam) == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(hwnd_, &point);
        if (HCURSOR cursor = LabelCursor(labels_.At(point)); cursor != nullptr) {
          SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN:
      labels_.Press(lparam);
      return 0;
    case WM_LBUTTONUP:
      if (const int label = labels_.Release(lparam); label != 0) RunClick(label);
      return 0;
    // Asked before a move to a monitor of another scale, so that the rectangle the system then
    // suggests holds the client area of the twips table exactly; not asked before Windows 10 1703.
    case kGetDpiScaledSize:
      *reinterpret_cast<SIZE*>(lparam) = ScaledResources::WindowSize(hwnd_, spec_, static_cast<UINT>(wparam));
      return TRUE;
    case WM_DPICHANGED:
      ApplyScale(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
    // A new message font or text size, whatever setting brought it, new icon metrics, another
    // theme: the controls take them now. High contrast turned on or off: painted anew at once.
    case WM_SETTINGCHANGE:
      if (wparam == SPI_SETNONCLIENTMETRICS || wparam == SPI_SETICONTITLELOGFONT ||
          wparam == SPI_SETICONMETRICS || scaled_.MessageFontChanged()) {
        ApplyScale(dpi());
      }
      if (wparam == SPI_SETHIGHCONTRAST) InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case WM_SYSCOLORCHANGE:
      // Common controls learn of new colours only from their top-level window.
      for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageA(child, WM_SYSCOLORCHANGE, wparam, lparam);
      }
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case WM_THEMECHANGED:
      ApplyScale(dpi());
      break;
    case WM_NCDESTROY:
      return OnDestroyed(wparam, lparam);
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

LRESULT Form::OnDestroyed(WPARAM wparam, LPARAM lparam) {
  const LRESULT result = DefWindowProcA(hwnd_, WM_NCDESTROY, wparam, lparam);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  // Cleared before the derived form hears of it, so that it sees itself unloaded and a box shown
  // now has another owner.
  hwnd_ = nullptr;
  readers_.Disconnect();
  Unloaded();
  scaled_.Release();
  focus_ = nullptr;
  FormDestroyed(this);
  return result;
}

}  // namespace vornacle::forms
