// Stands in for the system-information tool, and for the browser and the mail program: records its
// command line and the name and id of the process that started it in "<its own path>.log".
#include <windows.h>

#include <tlhelp32.h>

#include <fstream>
#include <map>
#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::map<DWORD, PROCESSENTRY32> processes;  // by their ids
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  const std::unique_ptr<void, decltype(&CloseHandle)> all(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0),
                                                          CloseHandle);
  for (BOOL more = Process32First(all.get(), &entry); more; more = Process32Next(all.get(), &entry))
    processes[entry.th32ProcessID] = entry;
  const DWORD parent = processes[GetCurrentProcessId()].th32ParentProcessID;
  std::ofstream(std::string(path) + ".log", std::ios::app | std::ios::binary)
      << GetCommandLineA() << " by " << processes[parent].szExeFile << " " << parent << "\n";
  return 0;
}
