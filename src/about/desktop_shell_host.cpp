// Natively on Linux the program never runs elevated, and there is no desktop shell to hand a link to.
#include "about/Module2.h"

namespace vornacle::Module2 {

PlatformPart<bool()> RunsElevated{[] { return false; }};
PlatformPart<bool(const char*, const char*, int)> OpenFromDesktop{
    [](const char*, const char*, int) { return false; }};

}  // namespace vornacle::Module2
