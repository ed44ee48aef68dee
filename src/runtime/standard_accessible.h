// The system's standard object for a window, with every IAccessible call handed on to it: the base of
// the program's objects, which answer only what they know better. The accessibility library is bound
// when a screen reader first asks, never at start.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <new>
#include <utility>

#include "runtime/automation.h"
#include "runtime/declared.h"

namespace vornacle {

namespace oleacc {
// The accessibility library's functions, bound at a screen reader's first question.
extern Declared<HRESULT(HWND, LONG, const IID&, void**)> CreateStdAccessibleObject;
extern Declared<LRESULT(const IID&, WPARAM, IUnknown*)> LresultFromObject;
extern Declared<HRESULT(IAccessible*, LONG, LONG, VARIANT*, LONG*)> AccessibleChildren;
}  // namespace oleacc

inline bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
inline bool AsksForClient(LPARAM object_id) {
  return static_cast<DWORD>(object_id) == static_cast<DWORD>(OBJID_CLIENT);
}

// A text of static storage in the code page, for a COM caller; "none" (S_FALSE and no text) for null,
// as for a property that an element does not have.
inline HRESULT AnswerText(const char* text, BSTR* out) noexcept {
  if (out == nullptr) return E_INVALIDARG;
  *out = nullptr;
  if (text == nullptr) return S_FALSE;
  try {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length > 0) *out = automation::SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (*out != nullptr) MultiByteToWideChar(CP_ACP, 0, text, -1, *out, length);
  } catch (...) {
    // The automation library cannot be bound: no text.
  }
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

class StandardAccessible : public IAccessible {
 public:
  // Takes over the caller's reference to the system's object.
  explicit StandardAccessible(IAccessible* standard) : standard_(standard) {}
  StandardAccessible(const StandardAccessible&) = delete;
  StandardAccessible& operator=(const StandardAccessible&) = delete;

  // A COM object: it lives as long as its clients hold references, so it deletes itself. It answers
  // only what it is, so that every client reaches the same overrides.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible
               ? static_cast<IAccessible*>(this)
               : nullptr;
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // Once the window that the object was made for is gone, every call is refused.
  virtual bool Connected() const { return true; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return Connected() ? standard_->GetTypeInfoCount(count) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return Connected() ? standard_->GetTypeInfo(index, locale, info) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return Connected() ? standard_->GetIDsOfNames(iid, names, count, locale, ids) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* wrong_argument) override {
    return Connected()
               ? standard_->Invoke(id, iid, locale, flags, parameters, result, exception, wrong_argument)
               : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Connected() ? standard_->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return Connected() ? standard_->get_accChildCount(count) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return Connected() ? standard_->get_accChild(child, out) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Connected() ? standard_->get_accName(child, name) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Connected() ? standard_->get_accValue(child, value) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Connected() ? standard_->get_accDescription(child, text) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Connected() ? standard_->get_accRole(child, role) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Connected() ? standard_->get_accState(child, state) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Connected() ? standard_->get_accHelp(child, help) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return Connected() ? standard_->get_accHelpTopic(file, child, topic) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Connected() ? standard_->get_accKeyboardShortcut(child, shortcut) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return Connected() ? standard_->get_accFocus(focus) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Connected() ? standard_->get_accSelection(selection) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Connected() ? standard_->get_accDefaultAction(child, action) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return Connected() ? standard_->accSelect(flags, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return Connected() ? standard_->accLocation(left, top, width, height, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return Connected() ? standard_->accNavigate(direction, start, end) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return Connected() ? standard_->accHitTest(left, top, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Connected() ? standard_->accDoDefaultAction(child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return Connected() ? standard_->put_accName(child, name) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return Connected() ? standard_->put_accValue(child, value) : CO_E_OBJNOTCONNECTED;
  }

 protected:
  // Never by a caller's delete: the last Release deletes it, and the system's object goes with it.
  virtual ~StandardAccessible() { standard_->Release(); }

  IAccessible* const standard_;

 private:
  LONG references_ = 1;
};

// The answer to a window's WM_GETOBJECT for its client area: an object of type T over the system's
// own, made with the arguments, or 0 where none can be made and the window answers as the system
// does.
template <typename T, typename... Args>
LRESULT AnswerWithObject(HWND hwnd, WPARAM wparam, Args&&... args) noexcept {
  try {
    IAccessible* standard = nullptr;
    if (FAILED(oleacc::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, IID_IAccessible,
                                                 reinterpret_cast<void**>(&standard)))) {
      return 0;
    }
    auto* answer = new (std::nothrow) T(standard, std::forward<Args>(args)...);
    if (answer == nullptr) {
      standard->Release();
      return 0;
    }
    LRESULT result = 0;
    try {
      result = oleacc::LresultFromObject(IID_IAccessible, wparam, static_cast<IAccessible*>(answer));
    } catch (...) {
      // Not bound: the object goes with the release below.
    }
    answer->Release();
    return result > 0 ? result : 0;  // an error code is no answer to hand on
  } catch (...) {
    return 0;  // without the accessibility library the window is described by the system alone
  }
}

}  // namespace vornacle
