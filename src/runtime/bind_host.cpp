// Natively on Linux there is no Windows library to bind: only fakes answer declared functions.
#include <string>

#include "runtime/declared.h"
#include "runtime/failure.h"

namespace vornacle {

void* BindEntry(const char* library, const char*) {
  throw RuntimeFailure{kErrFileNotFound, std::string("File not found: ") + library};
}

}  // namespace vornacle
