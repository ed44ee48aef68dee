// Stands in for a library that somebody left beside the program: it records that it was loaded.
#include <windows.h>

#include <fstream>
#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH];
    GetModuleFileNameA(self, path, MAX_PATH);
    std::ofstream(std::string(path) + ".loaded") << "loaded\n";
  }
  return TRUE;
}
