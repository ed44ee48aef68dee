// Stands in for the system-information tool: records its command line in "<its own path>.log".
#include <windows.h>

#include <fstream>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::ofstream(std::string(path) + ".log", std::ios::app | std::ios::binary) << GetCommandLineA() << "\n";
  return 0;
}
