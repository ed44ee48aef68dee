// Holds the About window's declarations of the registry and the shell to the platform's own
// prototypes and constants.
#include <windows.h>

#include <shellapi.h>

#include "about/Module2.h"
#include "about/registry.h"

namespace vornacle {

static_assert(kSameShape<decltype(advapi32::RegOpenKeyExA), decltype(&::RegOpenKeyExA)>);
static_assert(kSameShape<decltype(advapi32::RegQueryValueExA), decltype(&::RegQueryValueExA)>);
static_assert(kSameShape<decltype(advapi32::RegCloseKey), decltype(&::RegCloseKey)>);
static_assert(kSameShape<decltype(shell32::ShellExecuteA), decltype(&::ShellExecuteA)>);
static_assert(kSameShape<decltype(user32::AllowSetForegroundWindow), decltype(&::AllowSetForegroundWindow)>);
static_assert(kKeyRead == KEY_READ && kKeyWow64_64Key == KEY_WOW64_64KEY && kRegSz == REG_SZ &&
              kRegDword == REG_DWORD);
static_assert(Module2::kElevationDefault == TokenElevationTypeDefault &&
              Module2::kElevationFull == TokenElevationTypeFull &&
              Module2::kElevationLimited == TokenElevationTypeLimited);

}  // namespace vornacle
