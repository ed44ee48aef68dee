// An elevated program's links open as the user: the request goes to the desktop's shell, which runs
// unelevated, by the documented way from the shell's window list to the desktop folder view's
// ShellExecute. The libraries are bound at the first link, never at start.
#include <initguid.h>  // defines the shell's GUIDs here: with static linking they are no import

#include <windows.h>

#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <new>
#include <utility>

#include "about/Module2.h"
#include "runtime/automation.h"
#include "runtime/handles.h"
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

bool TokenIsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  const Unique<HANDLE, CloseHandle> owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

template <typename Interface>
void ReleaseObject(Interface* object) {
  object->Release();
}
template <typename Interface>
using Com = Unique<Interface*, ReleaseObject<Interface>>;

// The interface that one step gives out, or none where the step failed.
template <typename Interface, typename Step>
Com<Interface> Ask(Step step) {
  Interface* object = nullptr;
  const HRESULT result = step(&object);
  Com<Interface> owned(object);
  return result == S_OK ? std::move(owned) : Com<Interface>();
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

// The shell of the desktop's own folder view, which runs in the desktop's process.
Com<IShellDispatch2> DesktopShell() {
  const auto windows = Ask<IShellWindows>([](IShellWindows** out) {
    return CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                            reinterpret_cast<void**>(out));
  });
  if (!windows) return {};
  Variant desktop_folder(CSIDL_DESKTOP), no_root;
  LONG window = 0;
  const auto desktop = Ask<IDispatch>([&](IDispatch** out) {
    return windows.get()->FindWindowSW(&desktop_folder.get(), &no_root.get(), SWC_DESKTOP, &window,
                                       SWFO_NEEDDISPATCH, out);
  });
  if (!desktop) return {};
  const auto services = Query<IServiceProvider>(desktop.get(), IID_IServiceProvider);
  if (!services) return {};
  const auto browser = Ask<IShellBrowser>([&](IShellBrowser** out) {
    return services.get()->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                        reinterpret_cast<void**>(out));
  });
  if (!browser) return {};
  const auto view =
      Ask<IShellView>([&](IShellView** out) { return browser.get()->QueryActiveShellView(out); });
  if (!view) return {};
  const auto background = Ask<IDispatch>([&](IDispatch** out) {
    return view.get()->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(out));
  });
  if (!background) return {};
  const auto folder_view = Query<IShellFolderViewDual>(background.get(), IID_IShellFolderViewDual);
  if (!folder_view) return {};
  const auto application =
      Ask<IDispatch>([&](IDispatch** out) { return folder_view.get()->get_Application(out); });
  if (!application) return {};
  return Query<IShellDispatch2>(application.get(), IID_IShellDispatch2);
}

// No arguments and no verb: the class's default verb, as the program's own request asks for.
bool OpenFromDesktopShell(const char* file, const char* directory, int show) {
  const auto shell = DesktopShell();
  if (!shell) return false;
  Variant target(file), arguments(""), folder(directory), verb(""), shown(show);
  return SUCCEEDED(shell.get()->ShellExecute(target.get().bstrVal, arguments.get(), folder.get(), verb.get(),
                                             shown.get()));
}

}  // namespace

Module2::PlatformPart<bool()> Module2::RunsElevated{TokenIsElevated};
Module2::PlatformPart<bool(const char*, const char*, int)> Module2::OpenFromDesktop{OpenFromDesktopShell};

}  // namespace vornacle
