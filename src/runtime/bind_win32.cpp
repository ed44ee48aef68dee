// Binds declared platform functions through the loader, from the system folder only.
#include <string>

#include "runtime/declared.h"
#include "runtime/failure.h"
#include "runtime/system_library.h"

namespace vornacle {

HMODULE LoadSystemLibrary(const char* library) {
  // A file of the same name beside the program or in the current folder could be anybody's.
  // Libraries stay loaded for the life of the process.
  HMODULE module = LoadLibraryForSystem(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    // A loader without that flag (Windows 7 before its 2011 update) is given the full path instead,
    // and looks for the library's own dependencies beside it.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
      module = LoadLibraryForSystem((std::string(folder) + "\\" + library).c_str(), nullptr,
                                    LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return module;
}

void* BindEntry(const char* library, const char* entry) {
  HMODULE module = LoadSystemLibrary(library);
  if (module == nullptr) throw RuntimeFailure{kErrFileNotFound, std::string("File not found: ") + library};
  FARPROC proc = GetProcAddress(module, entry);
  if (proc == nullptr) {
    throw RuntimeFailure{kErrEntryPointNotFound,
                         std::string("Can't find DLL entry point ") + entry + " in " + library};
  }
  return reinterpret_cast<void*>(proc);
}

}  // namespace vornacle
