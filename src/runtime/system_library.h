// Libraries from the system folder only, and the functions that systems newer than Windows 7 add,
// looked up at run time so that the program file still starts on Windows 7.
#pragma once

#include <windows.h>

namespace vornacle {

// The system's own copy of the library, never a file of that name beside the program or in the
// current folder; null when the system has none.
HMODULE LoadSystemLibrary(const char* library);
// The loader call behind it; tests put a recorder in its place.
inline HMODULE(WINAPI* LoadLibraryForSystem)(LPCSTR, HANDLE, DWORD) = ::LoadLibraryExA;

// Each calls the system's function where it has one and otherwise answers as stated.
namespace newer {
UINT GetDpiForWindow(HWND hwnd);                                                               // 0
UINT GetDpiForSystem();                                                                        // 0
int GetSystemMetricsForDpi(int index, UINT dpi);                                               // 0
BOOL AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD ex_style, UINT dpi);   // FALSE
BOOL SystemParametersInfoForDpi(UINT action, UINT param, void* value, UINT update, UINT dpi);  // FALSE
BOOL SetDefaultDllDirectories(DWORD flags);                                                    // FALSE
BOOL IsWow64Process(HANDLE process, BOOL* wow64);                                              // FALSE
}  // namespace newer

}  // namespace vornacle
