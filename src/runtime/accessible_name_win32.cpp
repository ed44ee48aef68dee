// The box answers the screen reader's request for its object with one that wraps the system's
// standard object and overrides the name alone, so value, role, states and focus stay the system's.
// The accessibility library is bound when a screen reader first asks, never at start.
#include <initguid.h>  // defines IID_IAccessible here: with static linking it is no import

#include "runtime/accessible_name.h"

#include <commctrl.h>
#include <oleacc.h>

#include <new>
#include <string>

#include "runtime/declared.h"

namespace vornacle::forms {

namespace {

constexpr UINT_PTR kSubclassId = 0x4E414D45;  // "NAME"

Declared<HRESULT(HWND, LONG, const IID&, void**)> CreateStdAccessibleObject{"oleacc.dll",
                                                                            "CreateStdAccessibleObject"};
Declared<LRESULT(const IID&, WPARAM, IUnknown*)> LresultFromObject{"oleacc.dll", "LresultFromObject"};
Declared<BSTR(const OLECHAR*, UINT)> SysAllocStringLen{"oleaut32.dll", "SysAllocStringLen"};
static_assert(kSameShape<decltype(CreateStdAccessibleObject), decltype(&::CreateStdAccessibleObject)>);
static_assert(kSameShape<decltype(LresultFromObject), decltype(&::LresultFromObject)>);
static_assert(kSameShape<decltype(SysAllocStringLen), decltype(&::SysAllocStringLen)>);

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A COM object: it lives as long as its clients hold references, so it deletes itself.
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(IAccessible* standard, const char* name) : standard_(standard), name_(name) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    if (name == nullptr) return E_INVALIDARG;
    try {
      std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, name_, -1, nullptr, 0)),
                        L'\0');
      MultiByteToWideChar(CP_ACP, 0, name_, -1, wide.data(), static_cast<int>(wide.size()));
      *name = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size() - 1));
      return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    } catch (...) {
      *name = nullptr;
      return E_FAIL;
    }
  }

  // Everything else is the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* wrong_argument) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, wrong_argument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { standard_->Release(); }

  IAccessible* standard_;
  const char* name_;
  LONG references_ = 1;
};

LRESULT CALLBACK AnswerWithName(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR name) {
  if (message == WM_GETOBJECT && static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT)) {
    try {
      IAccessible* standard = nullptr;
      if (SUCCEEDED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, IID_IAccessible,
                                              reinterpret_cast<void**>(&standard)))) {
        auto* named = new (std::nothrow) NamedAccessible(standard, reinterpret_cast<const char*>(name));
        if (named == nullptr) {
          standard->Release();
        } else {
          const LRESULT result = LresultFromObject(IID_IAccessible, wparam, named);
          named->Release();
          return result;
        }
      }
    } catch (...) {
      // Without the accessibility library the box is described by the system alone.
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, AnswerWithName, kSubclassId);
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace

void SetAccessibleName(HWND control, const char* name) {
  SetWindowSubclass(control, AnswerWithName, kSubclassId, reinterpret_cast<DWORD_PTR>(name));
}

}  // namespace vornacle::forms
