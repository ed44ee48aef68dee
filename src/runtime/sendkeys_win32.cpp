// The keystrokes carry the program's own tag, so the message loop can keep them from triggering the
// very shortcut that sent them: one press, one keystroke.
#include <windows.h>

#include <array>
#include <cctype>
#include <span>

#include "runtime/failure.h"
#include "runtime/sendkeys.h"

namespace vornacle {

namespace {
INPUT Key(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  input.ki.dwExtraInfo = kOwnKeystrokeTag;
  return input;
}
}  // namespace

void SendKeys(std::string_view keys) {
  if (keys.size() != 2 || keys[0] != '^' || !std::isalpha(static_cast<unsigned char>(keys[1]))) {
    throw RuntimeFailure{kErrInvalidCall, "Invalid procedure call or argument"};
  }
  const WORD letter = static_cast<WORD>(std::toupper(static_cast<unsigned char>(keys[1])));
  // A Ctrl that the user holds is neither pressed again nor let go: a Ctrl-up of ours would release
  // it for the system, and the next key the user pressed with it would arrive without it.
  const bool held = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  std::array<INPUT, 4> all{Key(VK_CONTROL, false), Key(letter, false), Key(letter, true),
                           Key(VK_CONTROL, true)};
  const std::span<INPUT> inputs = held ? std::span(all).subspan(1, 2) : std::span(all);
  if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
    throw RuntimeFailure{kErrInvalidCall, "Invalid procedure call or argument"};
  }
}

}  // namespace vornacle
