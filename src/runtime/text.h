// The boxes keep what the user typed in any script; the platform calls that the program makes take
// narrow text in the system's ANSI code page. This is the one crossing between the two.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornacle {

// The text in the ANSI code page, character for character, or none where some character has no
// exact counterpart there: never a "?" or a best-fit look-alike in its place.
std::optional<std::string> ExactNarrow(std::wstring_view wide);

// A narrow text from the platform, as the boxes and screen readers show it.
std::wstring Widen(std::string_view narrow);

}  // namespace vornacle
