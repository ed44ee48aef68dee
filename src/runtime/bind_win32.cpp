// Binds declared platform functions through the loader, the way a declared function is bound.
#include <windows.h>

#include <string>

#include "runtime/declared.h"
#include "runtime/failure.h"

namespace vornacle {

void* BindEntry(const char* library, const char* entry) {
  // Libraries stay loaded for the life of the process: the bound pointers are kept.
  HMODULE module = LoadLibraryA(library);
  if (module == nullptr) throw RuntimeFailure{kErrFileNotFound, std::string("File not found: ") + library};
  FARPROC proc = GetProcAddress(module, entry);
  if (proc == nullptr) {
    throw RuntimeFailure{kErrEntryPointNotFound,
                         std::string("Can't find DLL entry point ") + entry + " in " + library};
  }
  return reinterpret_cast<void*>(proc);
}

}  // namespace vornacle
