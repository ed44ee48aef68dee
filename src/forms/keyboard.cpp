// The forms' keyboard pre-translation and the dialog box's Enter.
#include "forms/keyboard.h"

#include "runtime/sendkeys.h"

namespace vornacle::forms {

namespace {
bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }
}  // namespace

bool PreTranslate(HWND form, HACCEL accelerators, MSG& msg) {
  if (form == nullptr || (msg.hwnd != form && !IsChild(form, msg.hwnd))) return false;
  const bool own_keystroke = IsKeyboardMessage(msg.message) && GetMessageExtraInfo() == kOwnKeystrokeTag;
  if (!own_keystroke && accelerators != nullptr && TranslateAcceleratorW(form, accelerators, &msg))
    return true;
  return IsDialogMessageW(form, &msg);
}

int CommandTarget(HWND form, WPARAM wparam, LPARAM lparam) {
  const int id = LOWORD(wparam);
  if (HWND focus = GetFocus(); id == IDOK && lparam == 0 && IsChild(form, focus) &&
                               (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) {
    return GetDlgCtrlID(focus);
  }
  return id;
}

}  // namespace vornacle::forms
