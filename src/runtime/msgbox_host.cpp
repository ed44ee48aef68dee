// Natively on Linux a box that no test captured is written to standard error, never lost.
#include <cstdio>

#include "runtime/msgbox.h"

namespace vornacle {

void ShowPlatformMessageBox(const std::string& prompt, int flags, const std::string& title) {
  std::fprintf(stderr, "[%s] (%d) %s\n", title.c_str(), flags, prompt.c_str());
}

}  // namespace vornacle
