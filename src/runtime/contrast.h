// Whether the user reads the screen in high contrast: the forms then draw in the user's colours
// rather than their own.
#pragma once

#include "runtime/declared.h"

namespace vornacle {

// The system's setting as it is now; a test may put another answer in its place for one scope.
extern Replaceable<bool()> HighContrastOn;

}  // namespace vornacle
