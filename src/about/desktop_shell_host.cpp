// Natively on Linux the program never runs elevated, and there is no desktop shell to hand a link to.
#include "about/Module2.h"
#include "runtime/failure.h"

namespace vornacle::Module2 {

PlatformPart<int()> ElevationType{[] { return kElevationDefault; }};
PlatformPart<void(const char*, const char*, int)> OpenFromDesktop{[](const char*, const char*, int) {
  throw RuntimeFailure{kErrFileNotFound, "File not found: shell32.dll"};
}};

}  // namespace vornacle::Module2
