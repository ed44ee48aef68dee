// A failed platform call as a run-time failure: the system's error number and its own description.
#pragma once

#include <windows.h>

#include "runtime/failure.h"

namespace vornacle {

RuntimeFailure SystemFailure(DWORD error);

}  // namespace vornacle
