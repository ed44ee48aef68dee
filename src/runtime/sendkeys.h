// Keystrokes typed on the user's behalf into the window that has the keyboard focus.
#pragma once

#include <cstdint>
#include <string_view>

namespace vornacle {

// The keystrokes the program sends itself carry this tag, so that they never trigger a shortcut again.
inline constexpr std::uintptr_t kOwnKeystrokeTag = 0x564F524E;  // "VORN"

// Sends a key sequence in the "^C" notation: a caret holds Ctrl down while the next character is
// typed. Returns at once, before the keystroke is handled. Other notations raise failure 5.
void SendKeys(std::string_view keys);

}  // namespace vornacle
