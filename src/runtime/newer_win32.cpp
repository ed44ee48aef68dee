// The one place that may see the prototypes of functions newer than Windows 7: it looks each up by
// name, typed by the SDK's own prototype, so that a wrong signature cannot compile. Everything else
// is compiled for Windows 7, where a direct call to one of them does not compile either.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00
#include "runtime/system_library.h"

namespace vornacle::newer {

namespace {

template <typename Function>
Function LookUp(const char* library, const char* name) {
  HMODULE module = LoadSystemLibrary(library);
  return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                           : nullptr;
}

}  // namespace

// Looked up once, on the first call; `missing` is the answer where the system lacks the function.
#define VORNACLE_NEWER(library, name, missing, ...)                       \
  static const auto function = LookUp<decltype(&::name)>(library, #name); \
  return function != nullptr ? function(__VA_ARGS__) : (missing)

UINT GetDpiForWindow(HWND hwnd) { VORNACLE_NEWER("user32.dll", GetDpiForWindow, 0u, hwnd); }
UINT GetDpiForSystem() { VORNACLE_NEWER("user32.dll", GetDpiForSystem, 0u); }
int GetSystemMetricsForDpi(int index, UINT dpi) {
  VORNACLE_NEWER("user32.dll", GetSystemMetricsForDpi, 0, index, dpi);
}
BOOL AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD ex_style, UINT dpi) {
  VORNACLE_NEWER("user32.dll", AdjustWindowRectExForDpi, FALSE, rect, style, menu, ex_style, dpi);
}
BOOL SystemParametersInfoForDpi(UINT action, UINT param, void* value, UINT update, UINT dpi) {
  VORNACLE_NEWER("user32.dll", SystemParametersInfoForDpi, FALSE, action, param, value, update, dpi);
}
BOOL SetDefaultDllDirectories(DWORD flags) {
  VORNACLE_NEWER("kernel32.dll", SetDefaultDllDirectories, FALSE, flags);
}
BOOL IsWow64Process(HANDLE process, BOOL* wow64) {
  VORNACLE_NEWER("kernel32.dll", IsWow64Process, FALSE, process, wow64);
}

}  // namespace vornacle::newer
