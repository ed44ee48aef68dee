// The links of a program run elevated with a split token open as the user: the request goes to the
// desktop's shell, which runs unelevated, by the documented way from the shell's window list to the
// desktop folder view's ShellExecute; where no step answers, the step's failure is raised and nothing
// is started. The libraries are bound at the first link, never at start.
#include <initguid.h>  // defines the shell's GUIDs here: with static linking they are no import

#include <windows.h>

#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <new>

#include "about/Module2.h"
#include "runtime/automation.h"
#include "runtime/handles.h"
#include "runtime/system_failure.h"
#include "runtime/text.h"

namespace vornacle {

namespace {

Declared<BOOL(HANDLE, DWORD, HANDLE*)> OpenProcessToken{"advapi32.dll", "OpenProcessToken"};
Declared<BOOL(HANDLE, TOKEN_INFORMATION_CLASS, void*, DWORD, DWORD*)> GetTokenInformation{
    "advapi32.dll", "GetTokenInformation"};
Declared<HRESULT(const CLSID&, IUnknown*, DWORD, const IID&, void**)> CoCreateInstance{"ole32.dll",
                                                                                       "CoCreateInstance"};
Declared<HRESULT(VARIANT*)> VariantClear{"oleaut32.dll", "VariantClear"};
static_assert(kSameShape<decltype(OpenProcessToken), decltype(&::OpenProcessToken)>);
static_assert(kSameShape<decltype(GetTokenInformation), decltype(&::GetTokenInformation)>);
static_assert(kSameShape<decltype(CoCreateInstance), decltype(&::CoCreateInstance)>);
static_assert(kSameShape<decltype(VariantClear), decltype(&::VariantClear)>);

int TokenElevationTypeOf() {
  TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return type;
  const Unique<HANDLE, CloseHandle> owned(token);
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size)
             ? type
             : TokenElevationTypeDefault;
}

template <typename Interface>
void ReleaseObject(Interface* object) {
  object->Release();
}
template <typename Interface>
using Com = Unique<Interface*, ReleaseObject<Interface>>;

// The interface that one step gives out; where it gives none, the step's failure: its own, or "not
// found" where it answered without one (FindWindowSW's S_FALSE: no desktop window is listed).
template <typename Interface, typename Step>
Com<Interface> Ask(Step step) {
  Interface* object = nullptr;
  const HRESULT result = step(&object);
  Com<Interface> owned(object);
  if (result != S_OK || object == nullptr)
    throw SystemFailure(static_cast<DWORD>(FAILED(result) ? result : HRESULT_FROM_WIN32(ERROR_NOT_FOUND)));
  return owned;
}

template <typename Interface>
Com<Interface> Query(IUnknown* object, const IID& iid) {
  return Ask<Interface>(
      [&](Interface** out) { return object->QueryInterface(iid, reinterpret_cast<void**>(out)); });
}

// A VARIANT that clears what it holds: nothing, a number, or a text made from the program's ANSI text.
class Variant {
 public:
  Variant() = default;
  explicit Variant(int number) {
    value_.vt = VT_I4;
    value_.lVal = number;
  }
  explicit Variant(const char* text) {
    const std::wstring wide = Widen(text);
    value_.bstrVal = automation::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (value_.bstrVal == nullptr) throw std::bad_alloc();
    value_.vt = VT_BSTR;
  }
  // Only a text has anything to free, and its library is bound by then: nothing here can fail.
  ~Variant() {
    if (value_.vt == VT_BSTR) VariantClear(&value_);
  }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT& get() { return value_; }

 private:
  VARIANT value_{};  // VT_EMPTY
};

// The shell of the desktop's own folder view, which runs in the desktop's process, and that
// desktop's window.
Com<IShellDispatch2> DesktopShell(HWND& desktop_window) {
  const auto windows = Ask<IShellWindows>([](IShellWindows** out) {
    return CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                            reinterpret_cast<void**>(out));
  });
  Variant desktop_folder(CSIDL_DESKTOP), no_root;
  LONG window = 0;
  const auto desktop = Ask<IDispatch>([&](IDispatch** out) {
    return windows.get()->FindWindowSW(&desktop_folder.get(), &no_root.get(), SWC_DESKTOP, &window,
                                       SWFO_NEEDDISPATCH, out);
  });
  desktop_window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(window));
  const auto services = Query<IServiceProvider>(desktop.get(), IID_IServiceProvider);
  const auto browser = Ask<IShellBrowser>([&](IShellBrowser** out) {
    return services.get()->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                        reinterpret_cast<void**>(out));
  });
  const auto view =
      Ask<IShellView>([&](IShellView** out) { return browser.get()->QueryActiveShellView(out); });
  const auto background = Ask<IDispatch>([&](IDispatch** out) {
    return view.get()->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(out));
  });
  const auto folder_view = Query<IShellFolderViewDual>(background.get(), IID_IShellFolderViewDual);
  const auto application =
      Ask<IDispatch>([&](IDispatch** out) { return folder_view.get()->get_Application(out); });
  return Query<IShellDispatch2>(application.get(), IID_IShellDispatch2);
}

// No arguments and no verb: the class's default verb, as the program's own request asks for. The
// desktop's process may bring what it starts to the front only by the program's leave, given just
// before the request; without it the link still opens, perhaps behind, so its answer is not needed.
void OpenFromDesktopShell(const char* file, const char* directory, int show) {
  HWND desktop = nullptr;
  const auto shell = DesktopShell(desktop);
  Variant target(file), arguments(""), folder(directory), verb(""), shown(show);
  DWORD process = 0;
  GetWindowThreadProcessId(desktop, &process);
  user32::AllowSetForegroundWindow(process);
  const HRESULT result =
      shell.get()->ShellExecute(target.get().bstrVal, arguments.get(), folder.get(), verb.get(), shown.get());
  if (FAILED(result)) throw SystemFailure(static_cast<DWORD>(result));
}

}  // namespace

Module2::PlatformPart<int()> Module2::ElevationType{TokenElevationTypeOf};
Module2::PlatformPart<void(const char*, const char*, int)> Module2::OpenFromDesktop{OpenFromDesktopShell};

}  // namespace vornacle
