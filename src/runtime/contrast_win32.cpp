// Read at each paint, so that a switch while the program runs shows at the next one.
#include <windows.h>

#include "runtime/contrast.h"

namespace vornacle {

Replaceable<bool()> HighContrastOn{[] {
  HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}};

}  // namespace vornacle
